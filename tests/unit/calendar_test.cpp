// The calendar and the two date encodings: civil dates both ways over the whole range of
// years, leap years, weekdays, and automation dates before 1899-12-30.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "appearance/calendar.h"

namespace corvane {
namespace {

TEST(Calendar, CivilDatesRoundTripDayByDay) {
  // From 0001-01-01 to 10000-01-01 (and a stretch before year 0): each day follows the one
  // before, with month lengths and leap days as the Gregorian calendar has them.
  CivilDate previous = CivilFromDays(DaysFromCivil(-5, 12, 31));
  const std::int64_t last = DaysFromCivil(10000, 1, 1);
  int leapDays = 0;
  for (std::int64_t d = DaysFromCivil(-4, 1, 1); d <= last; ++d) {
    const CivilDate c = CivilFromDays(d);
    ASSERT_EQ(DaysFromCivil(c.year, c.month, c.day), d);
    const bool sameMonth = c.day == previous.day + 1 && c.month == previous.month;
    const bool newMonth = c.day == 1 && previous.day == DaysInMonth(previous.year, previous.month) &&
                          (c.month == previous.month + 1 || (c.month == 1 && previous.month == 12 &&
                                                              c.year == previous.year + 1));
    ASSERT_TRUE(sameMonth || newMonth) << c.year << "-" << c.month << "-" << c.day;
    if (c.month == 2 && c.day == 29 && c.year >= 1 && c.year <= 400) ++leapDays;
    previous = c;
  }
  EXPECT_EQ(leapDays, 97);  // 400 Gregorian years
}

TEST(Calendar, KnownDays) {
  struct Case {
    std::int64_t year;
    int month, day;
    std::int64_t days;
    int weekday;  // 0 = Sunday
  };
  const Case cases[] = {
      {1970, 1, 1, 0, 4},        {1969, 12, 31, -1, 3},     {2000, 2, 29, 11016, 2},
      {1900, 3, 1, -25508, 4},   {1899, 12, 30, -25569, 6}, {2024, 2, 29, 19782, 4},
      {2100, 3, 1, 47541, 1},    {100, 1, 1, -683003, 5},   {9999, 12, 31, 2932896, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DaysFromCivil(c.year, c.month, c.day), c.days) << c.year << "-" << c.month;
    EXPECT_EQ(WeekdayFromDays(c.days), c.weekday) << c.year << "-" << c.month;
  }
  EXPECT_FALSE(IsLeapYear(1900));
  EXPECT_TRUE(IsLeapYear(2000));
  EXPECT_FALSE(IsLeapYear(2100));
  EXPECT_EQ(DaysInMonth(2024, 2), 29);
  EXPECT_EQ(DaysInMonth(2023, 2), 28);
  EXPECT_EQ(DaysInMonth(2023, 13), 0);
}

TEST(Calendar, AutomationDatesCountTheTimeOfDayForwardBeforeTheirEpoch) {
  struct Case {
    double ole;
    std::int64_t year;
    int month, day, hour, minute;
  };
  const Case cases[] = {
      {0, 1899, 12, 30, 0, 0},     {0.5, 1899, 12, 30, 12, 0},  {-0.5, 1899, 12, 30, 12, 0},
      {-1, 1899, 12, 29, 0, 0},    {-1.25, 1899, 12, 29, 6, 0}, {-1.75, 1899, 12, 29, 18, 0},
      {-2.5, 1899, 12, 28, 12, 0}, {2.5, 1900, 1, 1, 12, 0},    {45261.375, 2023, 12, 1, 9, 0},
      {-657434, 100, 1, 1, 0, 0},  {2958465.999988426, 9999, 12, 31, 23, 59},
  };
  for (const Case& c : cases) {
    std::int64_t ms = 0;
    ASSERT_TRUE(ValueToMs(DateEpoch::kOle, c.ole, &ms)) << c.ole;
    const CivilTime t = CivilFromMs(ms);
    EXPECT_EQ(t.date.year, c.year) << c.ole;
    EXPECT_EQ(t.date.month, c.month) << c.ole;
    EXPECT_EQ(t.date.day, c.day) << c.ole;
    EXPECT_EQ(t.hour, c.hour) << c.ole;
    EXPECT_EQ(t.minute, c.minute) << c.ole;
    // Back to the value: the positive form for the hours of 1899-12-30.
    EXPECT_DOUBLE_EQ(MsToValue(DateEpoch::kOle, ms), c.ole == -0.5 ? 0.5 : c.ole) << c.ole;
  }
  EXPECT_DOUBLE_EQ(OleDateToDays(-1.25), -0.75);
  EXPECT_DOUBLE_EQ(DaysToOleDate(-0.75), -1.25);
}

TEST(Calendar, UnixSecondsAndTheLimitsOfTheCount) {
  std::int64_t ms = 0;
  ASSERT_TRUE(ValueToMs(DateEpoch::kUnix, 1700000000.25, &ms));
  EXPECT_EQ(ms, 1700000000250);
  EXPECT_EQ(MsToValue(DateEpoch::kUnix, -1500), -1.5);
  EXPECT_EQ(MsToValue(DateEpoch::kUnix, 1700000000250), 1700000000.25);
  for (double bad : {std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, 5e15})
    EXPECT_FALSE(ValueToMs(DateEpoch::kUnix, bad, &ms)) << bad;
  EXPECT_FALSE(ValueToMs(DateEpoch::kOle, 1e14, &ms));
  EXPECT_TRUE(IsLabelledDate(MsFromCivil(CivilDate{100, 1, 1})));
  EXPECT_FALSE(IsLabelledDate(MsFromCivil(CivilDate{100, 1, 1}) - 1));
  EXPECT_TRUE(IsLabelledDate(MsFromCivil(CivilDate{10000, 1, 1}) - 1));
  EXPECT_FALSE(IsLabelledDate(MsFromCivil(CivilDate{10000, 1, 1})));
}

}  // namespace
}  // namespace corvane
