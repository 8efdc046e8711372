#include "appearance/date_ticks.h"

#include <algorithm>
#include <cmath>

namespace corvane {
namespace {

double ValueUnitsOfMs(DateEpoch epoch, double ms) {
  return epoch == DateEpoch::kOle ? ms / static_cast<double>(kMsPerDay) : ms / 1000.0;
}

// A stretch of values whose moments run one way: forward (the value grows with time), or
// one day before 1899-12-30 whose values (day - 1, day] run back through its hours.
struct Stretch {
  double lo, hi;
  bool reversed;
  double day;  // reversed stretches: the whole day of their values' ceiling
};

// The earliest and latest millisecond of a stretch.
bool MsBounds(DateEpoch epoch, const DateStep& step, const Stretch& s, std::int64_t* a,
              std::int64_t* b) {
  if (!s.reversed) {
    // Steps of days and more fall on midnights, whole values in both directions of time.
    const bool midnights = epoch == DateEpoch::kOle && !step.WithinADay();
    return ValueToMs(epoch, midnights ? std::floor(s.lo) : s.lo, a) &&
           ValueToMs(epoch, midnights ? std::ceil(s.hi) : s.hi, b);
  }
  if (!ValueToMs(epoch, s.hi, a) || !ValueToMs(epoch, s.lo, b)) return false;
  // The stretch's low end is the next day's midnight, which belongs to the stretch below.
  if (s.lo <= s.day - 1) {
    *b = (static_cast<std::int64_t>(s.day) + 1 - kOleDaysBefore1970) * kMsPerDay - 1;
  }
  return true;
}

}  // namespace

bool DateAxisTicks(DateEpoch epoch, const DateStep& step, double lo, double hi,
                   std::size_t most, std::vector<DateTick>* out) {
  out->clear();
  if (!std::isfinite(lo) || !std::isfinite(hi) || hi < lo) return false;
  const double slack = ValueUnitsOfMs(epoch, 0.25);
  const double a = lo - slack, b = hi + slack;

  std::vector<Stretch> stretches;
  if (epoch == DateEpoch::kUnix || a >= 0 || !step.WithinADay()) {
    stretches.push_back(Stretch{a, b, false, 0});
  } else {
    if (b >= 0) stretches.push_back(Stretch{0, b, false, 0});
    const double first = std::ceil(a), last = std::min(0.0, std::ceil(b));
    // Every day holds more than one tick of a step shorter than a day.
    if (last - first > static_cast<double>(most)) return false;
    for (double day = first; day <= last; ++day)
      stretches.push_back(Stretch{std::max(a, day - 1), std::min(b, day), true, day});
  }

  std::vector<std::int64_t> moments;
  const std::size_t budget = most + 4;  // the midnights just outside the range
  for (const Stretch& s : stretches) {
    std::int64_t msA = 0, msB = 0;
    if (!MsBounds(epoch, step, s, &msA, &msB) ||
        !step.Boundaries(msA, msB, budget - out->size(), &moments)) {
      out->clear();
      return false;
    }
    for (std::int64_t t : moments) {
      double v = MsToValue(epoch, t);
      if (s.reversed && s.day == 0) {
        // The values in (-1, 0) repeat the hours of 1899-12-30 with the other sign; its
        // midnight, 0, belongs to the forward stretch when there is one.
        if (v == 0 && b >= 0) continue;
        v = -v;
      }
      if (v >= a && v <= b) out->push_back(DateTick{v, t});
    }
  }
  if (out->size() > most) {
    out->clear();
    return false;
  }
  std::sort(out->begin(), out->end(),
            [](const DateTick& x, const DateTick& y) { return x.value < y.value; });
  return true;
}

std::vector<std::string> DateTickLabels(DateEpoch epoch, const DateStep& step,
                                        const std::vector<DateTick>& ticks,
                                        const LabelFormat* format) {
  std::vector<std::string> labels;
  labels.reserve(ticks.size());
  CivilTime previous{};
  bool first = true;
  for (const DateTick& tick : ticks) {
    if (format) {
      labels.push_back(FormatAxisValue(*format, tick.value, epoch));
    } else if (!IsLabelledDate(tick.ms)) {
      labels.push_back(PlainNumber(tick.value));
    } else {
      const CivilTime t = CivilFromMs(tick.ms);
      labels.push_back(step.Label(t, first ? nullptr : &previous));
      previous = t;
      first = false;
    }
  }
  return labels;
}

bool WidenToDateStep(DateEpoch epoch, const DateStep& step, double* lo, double* hi) {
  // Tick values lie at most a step apart, in both directions of time: the nearest one
  // outside each end is within a step of it.
  const double reach = ValueUnitsOfMs(epoch, step.ApproximateMs() * 1.1);
  std::vector<DateTick> below, above;
  if (!DateAxisTicks(epoch, step, *lo - reach, *lo, 64, &below) || below.empty()) return false;
  if (!DateAxisTicks(epoch, step, *hi, *hi + reach, 64, &above) || above.empty()) return false;
  *lo = below.back().value;
  *hi = above.front().value;
  return true;
}

}  // namespace corvane
