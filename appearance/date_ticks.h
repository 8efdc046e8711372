// The ticks of one calendar step on a date axis, as axis values with their labels.
// Automation dates before 1899-12-30 count their time of day forward while the value counts
// back (-1.25 is 06:00 and -1.75 is 18:00 of 1899-12-29), so within such a day the ticks of
// a step shorter than a day lie in reverse order of time; they are found day by day.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "appearance/calendar.h"
#include "appearance/date_steps.h"
#include "appearance/label_format.h"

namespace corvane {

struct DateTick {
  double value;
  std::int64_t ms;
};

// The boundaries of `step` whose values lie in [lo, hi] (a quarter of a millisecond of slack
// at each end), ascending by value, into *out. False (out cleared) past `most` ticks or when
// the range is not a range of moments.
bool DateAxisTicks(DateEpoch epoch, const DateStep& step, double lo, double hi,
                   std::size_t most, std::vector<DateTick>* out);

// Labels of ticks in axis order: through `format` when there is one (moments outside the
// years 100..9999 as numbers), otherwise the step's automatic labels.
std::vector<std::string> DateTickLabels(DateEpoch epoch, const DateStep& step,
                                        const std::vector<DateTick>& ticks,
                                        const LabelFormat* format);

// The range widened outward to the step's boundaries; false when it cannot be.
bool WidenToDateStep(DateEpoch epoch, const DateStep& step, double* lo, double* hi);

}  // namespace corvane
