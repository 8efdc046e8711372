// Tick choice in tests: labels measured as the recording context measures them (8 pixels a
// byte, 15 high), results written as "a|b|c" for tables.
#pragma once
#include <string>
#include <vector>

#include "appearance/axis_ticks.h"
#include "appearance/label_fit.h"

namespace corvane {

class EightPixelMeasure : public LabelMeasure {
 public:
  TextSize Measure(const std::string& text) override {
    ++calls;
    return TextSize{static_cast<std::int32_t>(text.size()) * 8, 15};
  }
  int calls = 0;
};

struct TickCase {
  AxisType type;
  double from, to;
  std::int32_t extent;
  bool vertical, widen;
};

inline AxisTicks Choose(const TickCase& c, const LabelFormat* format = nullptr, bool* ok = nullptr) {
  EightPixelMeasure measure;
  TickRequest r;
  r.type = c.type;
  r.from = c.from;
  r.to = c.to;
  r.room.extent = c.extent;
  r.room.vertical = c.vertical;
  r.widen = c.widen;
  r.format = format;
  AxisTicks ticks;
  const bool chosen = ChooseAxisTicks(r, measure, &ticks);
  if (ok) *ok = chosen;
  return ticks;
}

inline std::string Joined(const std::vector<std::string>& texts) {
  std::string s;
  for (const std::string& t : texts) s += (s.empty() ? "" : "|") + t;
  return s;
}

}  // namespace corvane
