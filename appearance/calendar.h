// The proleptic Gregorian calendar without time zones, and the two date encodings of the
// date axes: automation dates (days since 1899-12-30) and Unix seconds. Inside, a moment is
// an integer count of milliseconds since 1970-01-01 00:00, so that calendar steps are exact.
#pragma once
#include <cstdint>

namespace corvane {

constexpr std::int64_t kMsPerSecond = 1000;
constexpr std::int64_t kMsPerMinute = 60 * kMsPerSecond;
constexpr std::int64_t kMsPerHour = 60 * kMsPerMinute;
constexpr std::int64_t kMsPerDay = 24 * kMsPerHour;
// 1899-12-30 is 25569 days before 1970-01-01.
constexpr std::int64_t kOleDaysBefore1970 = 25569;

struct CivilDate {
  std::int64_t year;
  int month;  // 1..12
  int day;    // 1..31
};

struct CivilTime {
  CivilDate date;
  int hour, minute, second, millisecond;
  int weekday;  // 0 = Sunday .. 6 = Saturday
};

bool IsLeapYear(std::int64_t year);
int DaysInMonth(std::int64_t year, int month);
// Days since 1970-01-01 of a date (months and days outside their ranges are not checked).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day);
CivilDate CivilFromDays(std::int64_t days);
int WeekdayFromDays(std::int64_t days);  // 0 = Sunday
// Floor division and its remainder, for moments before 1970.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b);
CivilTime CivilFromMs(std::int64_t ms);
std::int64_t MsFromCivil(const CivilDate& date);  // midnight of that date

// The moments the calendar labels as dates: 0100-01-01 00:00 up to 9999-12-31 23:59:59.999,
// the years a four-digit label and the automation Date can hold.
bool IsLabelledDate(std::int64_t ms);

// Which number a date axis holds.
enum class DateEpoch { kOle, kUnix };

// Automation dates count whole days from 1899-12-30 and carry the time of day as the
// fraction's magnitude, forward from midnight whatever the sign: -1.25 is 1899-12-29 06:00,
// -0.5 and 0.5 are both 1899-12-30 12:00. These give and take the continuous day count
// (-0.75 for 1899-12-29 06:00), which grows with time.
double OleDateToDays(double ole);
double DaysToOleDate(double days);  // the non-negative fraction form for days in (-1, 0)

// A value of the axis as milliseconds, rounded to the nearest one; false when the value is
// not finite or lies beyond the +-2^62 ms (146 million years) the calendar reckons with.
bool ValueToMs(DateEpoch epoch, double value, std::int64_t* ms);
double MsToValue(DateEpoch epoch, std::int64_t ms);

}  // namespace corvane
