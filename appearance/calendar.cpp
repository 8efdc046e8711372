#include "appearance/calendar.h"

#include <cmath>

namespace corvane {
namespace {

// Beyond this the millisecond count, and the day count times a day's milliseconds, would
// come close to the int64 range.
constexpr double kMsLimit = 4611686018427387904.0;  // 2^62

}  // namespace

bool IsLeapYear(std::int64_t year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(std::int64_t year, int month) {
  static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Days from and to civil dates by whole 400-year eras of 146097 days, with the year starting
// on 1 March so that the leap day comes last.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
  const std::int64_t y = year - (month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

CivilDate CivilFromDays(std::int64_t days) {
  const std::int64_t z = days + 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return CivilDate{yoe + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

int WeekdayFromDays(std::int64_t days) {
  // 1970-01-01 was a Thursday.
  const std::int64_t k = days + 4;
  return static_cast<int>(k - FloorDiv(k, 7) * 7);
}

CivilTime CivilFromMs(std::int64_t ms) {
  const std::int64_t days = FloorDiv(ms, kMsPerDay);
  std::int64_t rest = ms - days * kMsPerDay;
  CivilTime t{};
  t.date = CivilFromDays(days);
  t.weekday = WeekdayFromDays(days);
  t.hour = static_cast<int>(rest / kMsPerHour);
  rest %= kMsPerHour;
  t.minute = static_cast<int>(rest / kMsPerMinute);
  rest %= kMsPerMinute;
  t.second = static_cast<int>(rest / kMsPerSecond);
  t.millisecond = static_cast<int>(rest % kMsPerSecond);
  return t;
}

std::int64_t MsFromCivil(const CivilDate& date) {
  return DaysFromCivil(date.year, date.month, date.day) * kMsPerDay;
}

bool IsLabelledDate(std::int64_t ms) {
  static const std::int64_t kFirst = MsFromCivil(CivilDate{100, 1, 1});
  static const std::int64_t kEnd = MsFromCivil(CivilDate{10000, 1, 1});
  return ms >= kFirst && ms < kEnd;
}

double OleDateToDays(double ole) {
  if (!(ole < 0)) return ole;
  // The whole days count towards the past, the fraction forward from that day's midnight.
  const double day = std::ceil(ole);
  return day + (day - ole);
}

double DaysToOleDate(double days) {
  if (!(days < 0)) return days;
  const double day = std::floor(days);
  return day + (day - days);
}

bool ValueToMs(DateEpoch epoch, double value, std::int64_t* ms) {
  if (!std::isfinite(value)) return false;
  double m;
  if (epoch == DateEpoch::kOle) {
    const double days = OleDateToDays(value) - static_cast<double>(kOleDaysBefore1970);
    if (!(std::fabs(days) < kMsLimit / static_cast<double>(kMsPerDay))) return false;
    m = days * static_cast<double>(kMsPerDay);
  } else {
    if (!(std::fabs(value) < kMsLimit / static_cast<double>(kMsPerSecond))) return false;
    m = value * static_cast<double>(kMsPerSecond);
  }
  *ms = static_cast<std::int64_t>(std::llround(m));
  return true;
}

double MsToValue(DateEpoch epoch, std::int64_t ms) {
  if (epoch == DateEpoch::kUnix) {
    // Whole seconds and the milliseconds apart: exact for every whole second.
    const std::int64_t s = FloorDiv(ms, kMsPerSecond);
    return static_cast<double>(s) + static_cast<double>(ms - s * kMsPerSecond) / 1000.0;
  }
  // The day and the time of day apart, so that midnight and the fraction stay exact.
  const std::int64_t d = FloorDiv(ms, kMsPerDay);
  const double day = static_cast<double>(d + kOleDaysBefore1970);
  const double fraction =
      static_cast<double>(ms - d * kMsPerDay) / static_cast<double>(kMsPerDay);
  return day < 0 ? day - fraction : day + fraction;
}

}  // namespace corvane
