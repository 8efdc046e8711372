// The world window's rules that need no engine: the running vertical range over the data,
// the repair of empty and zero-width ranges, and the segment and scroll steps that move the
// plots' point windows together with the grid's label window. The engine gathers its
// collections into these; nothing here knows the engine.
#pragma once
#include <cfloat>
#include <cstdint>

#include "platform/geometry.h"
#include "series/point_summary.h"

namespace corvane {

class CChartGrid;
class CPlotSeries;

// Running vertical range. Infinite values are left out like NaN: one of them would turn the
// whole window, and every device position mapped with it, into NaN.
struct VerticalRangeScan {
  static constexpr double kLowSentinel = 1.0E7;
  static constexpr double kHighSentinel = -1.0E7;

  double ymin = kLowSentinel;
  double ymax = kHighSentinel;
  bool margin = true;  // the 10 % margin; the last value that widened the range decides

  // True when v widened the range.
  bool Take(double v) {
    bool changed = false;
    if (v < ymin && v >= -DBL_MAX) {
      ymin = v;
      changed = true;
    }
    if (v > ymax && v <= DBL_MAX) {
      ymax = v;
      changed = true;
    }
    return changed;
  }
  void TakeSettingMargin(double v, bool flag) {
    if (Take(v)) margin = flag;
  }
  // Takes the extremes of values scanned elsewhere in order (a plot's kept extremes), as if
  // those values came now; they widen the range but never touch the margin flag.
  void TakeExtremes(const YSpan& part) {
    if (part.lo < ymin) ymin = part.lo;
    if (part.hi > ymax) ymax = part.hi;
  }
};

// Writes the scanned range into world.ymin/ymax and repairs what cannot be mapped: no data
// gives the unit window, an empty x range is widened by one on each side, an empty y range
// likewise, and otherwise the margin flag adds 10 % above and below.
void FinishWorldWindow(const VerticalRangeScan& scan, WorldWindow& world);

// SetSegment's selection: the point window of plots[0..active) and the grid's label window
// from trunc(a - 1) to trunc(b - 1), each clamped into its own array.
void SelectSegment(double a, double b, CPlotSeries* plots, std::int32_t active, CChartGrid& grid);

// One scroll step (+1 right, -1 left). The grid's label window decides whether the segment
// moves; when it does, world.xmin/xmax move by one and each plot whose point window can move
// moves with it. Returns whether the segment moved.
bool ScrollSegment(int direction, CPlotSeries* plots, std::int32_t active, CChartGrid& grid,
                   WorldWindow& world);

}  // namespace corvane
