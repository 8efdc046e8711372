// The ticks of one axis of types 1 to 4: as many round, calendar or decade ticks as have room
// for their labels, chosen by walking the steps from fine to coarse and taking the first
// whose labels keep a character's width apart (and fit the room beyond the ends); for an
// automatic vertical range, the range widened outward to whole ticks of that step.
#pragma once
#include <string>
#include <vector>

#include "appearance/axis_scale.h"
#include "appearance/label_fit.h"
#include "appearance/label_format.h"

namespace corvane {

struct TickRequest {
  AxisType type = AxisType::kLinear;
  double from = 0, to = 0;  // the axis's range, from < to
  LabelRoom room;           // extent in pixels, orientation, room beyond the ends
  const LabelFormat* format = nullptr;  // null: the step chooses the format
  bool widen = false;       // widen [from, to] outward to whole ticks
};

struct AxisTicks {
  std::vector<double> major;        // ascending values
  std::vector<std::string> labels;  // one per major tick
  std::vector<double> minor;        // ascending values, none on a major tick
  double from = 0, to = 0;          // the range the ticks belong to (widened when asked)
};

// False, leaving *out with no ticks over the request's range, when the range cannot carry
// ticks at all: an end not finite or refused by the scale, from >= to, a span that
// overflows, an extent under one pixel. Otherwise true, with no ticks when not even one
// label has room. Dates outside the years 100..9999 get round numeric ticks.
bool ChooseAxisTicks(const TickRequest& request, LabelMeasure& measure, AxisTicks* out);

}  // namespace corvane
