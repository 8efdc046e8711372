// Helpers for the polygon, rectangle and candlestick tests: a chart built through the
// automation members and rendered into a blank recording context, or into a raster picture.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "control/automation.h"
#include "engine_test_support.h"
#include "plot_test_support.h"
#include "platform/recording_dc.h"

namespace corvane::testing {

class RecordedChart {
 public:
  static constexpr std::int32_t kWidth = 400, kHeight = 300;  // plot area 65, 60, 335, 265

  // Arrows and grid are left out, so that the log holds the overlays' own lines and shapes.
  RecordedChart() {
    chart.SetSize(kWidth, kHeight);
    chart.put_arrowVisible(0);
    chart.put_gridVisible(3);
  }

  // Renders the whole chart; the log then holds this render's calls only.
  const CallLog& Render() {
    dc.log().Clear();
    chart.engine().RenderChart(&dc);
    return dc.log();
  }
  const CallLog& log() { return dc.log(); }

  // The context outlives the chart: a texture preset's tile is made through its system.
  NoDrawingGraphicsSystem graphics;
  RecordingDc dc{kWidth, kHeight};
  CorvaneAutomation chart{graphics};
};

// The last number of a call's text ("AlphaBlend ... 127" -> 127).
inline long LastNumber(const std::string& text) {
  return std::stol(text.substr(text.find_last_of(' ') + 1));
}

// Whether `first` occurs in the log before `second` (both by Find's rules).
inline bool Before(const CallLog& log, const std::string& first, const std::string& second) {
  const long a = log.Find(first);
  const long b = log.Find(second);
  return a >= 0 && b >= 0 && a < b;
}

}  // namespace corvane::testing
