// The calendar steps of a date axis, fine to coarse: 1 2 5 10 20 50 100 200 500 ms; 1 2 5 10
// 15 30 s; 1 2 5 10 15 30 min; 1 2 3 6 12 h; 1 2 days; weeks from Monday; 1 2 3 6 months; 1 2 5
// 10 20 ... years. Their boundaries fall on the calendar: a day's steps at multiples of the
// step from midnight, 2-day steps on the even days from 1970-01-01, weeks on Mondays, months
// on the first of January, April, ... (every n-th month from January), years on the
// multiples of n. Every moment is milliseconds since 1970-01-01 00:00.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "appearance/calendar.h"
#include "appearance/label_format.h"

namespace corvane {

struct DateStep {
  enum class Unit { kMillisecond, kSecond, kMinute, kHour, kDay, kWeek, kMonth, kYear };
  Unit unit;
  std::int64_t count;

  // The step's length in milliseconds (months of 30.436875 days, years of 365.2425 days).
  double ApproximateMs() const;
  bool WithinADay() const { return unit < Unit::kDay; }

  // The last boundary at or before t, the first at or after it.
  std::int64_t AtOrBefore(std::int64_t t) const;
  std::int64_t AtOrAfter(std::int64_t t) const;
  // The boundaries in [a, b], ascending, into *out; false (out cleared) past `most`.
  bool Boundaries(std::int64_t a, std::int64_t b, std::size_t most,
                  std::vector<std::int64_t>* out) const;

  // The label of a boundary, with the date the reader needs: steps within a day show the
  // time, and the day where it changes from the tick before (the year where that changes, and
  // on the first tick); days and months show the year on the first tick and where it changes.
  // `previous` is the tick before on the axis, or null for the first.
  std::string Label(const CivilTime& t, const CivilTime* previous) const;
};

// The table, fine to coarse; the years run up to 10000.
const std::vector<DateStep>& DateSteps();

}  // namespace corvane
