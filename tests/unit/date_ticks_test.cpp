// Date axes: every calendar step's boundaries across month, year and leap-day boundaries,
// the steps and labels chosen for whole axes, and automation dates before 1899-12-30.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "appearance/calendar.h"
#include "appearance/date_steps.h"
#include "appearance/date_ticks.h"
#include "tick_test_support.h"

namespace corvane {
namespace {

using Unit = DateStep::Unit;

std::int64_t At(std::int64_t year, int month, int day, int hour = 0, int minute = 0) {
  return MsFromCivil(CivilDate{year, month, day}) + hour * kMsPerHour + minute * kMsPerMinute;
}

double Ole(std::int64_t year, int month, int day, int hour = 0, int minute = 0) {
  return MsToValue(DateEpoch::kOle, At(year, month, day, hour, minute));
}

// Whether t is a boundary of the step, judged from the calendar fields alone.
bool OnBoundary(const DateStep& s, std::int64_t t) {
  const CivilTime c = CivilFromMs(t);
  const std::int64_t ofDay = t - FloorDiv(t, kMsPerDay) * kMsPerDay;
  const std::int64_t days = FloorDiv(t, kMsPerDay);
  switch (s.unit) {
    case Unit::kMillisecond: return ofDay % s.count == 0;
    case Unit::kSecond: return ofDay % (s.count * kMsPerSecond) == 0;
    case Unit::kMinute: return ofDay % (s.count * kMsPerMinute) == 0;
    case Unit::kHour: return ofDay % (s.count * kMsPerHour) == 0;
    case Unit::kDay: return ofDay == 0 && days % s.count == 0;
    case Unit::kWeek: return ofDay == 0 && c.weekday == 1;
    case Unit::kMonth: return ofDay == 0 && c.date.day == 1 && (c.date.month - 1) % s.count == 0;
    case Unit::kYear:
      return ofDay == 0 && c.date.day == 1 && c.date.month == 1 && c.date.year % s.count == 0;
  }
  return false;
}

// Every step of the table over about eight of its steps around moments where the calendar
// turns: each boundary it gives lies on the calendar, none is missing between two it gives,
// and AtOrBefore / AtOrAfter agree with them.
TEST(DateSteps, EveryStepFallsOnTheCalendarAcrossMonthYearAndLeapDays) {
  const std::int64_t turns[] = {
      At(2024, 1, 1),  At(2024, 2, 29), At(2024, 3, 1), At(2100, 3, 1), At(2000, 2, 29),
      At(1970, 1, 1),  At(1600, 3, 1),  At(2023, 7, 31, 23, 59),
  };
  for (const DateStep& s : DateSteps()) {
    for (std::int64_t turn : turns) {
      const std::int64_t half = static_cast<std::int64_t>(s.ApproximateMs() * 4) + 7;
      const std::int64_t a = turn - half, b = turn + half;
      std::vector<std::int64_t> got;
      ASSERT_TRUE(s.Boundaries(a, b, 100, &got)) << static_cast<int>(s.unit) << " " << s.count;
      ASSERT_GE(got.size(), 7u) << static_cast<int>(s.unit) << " " << s.count;
      for (std::size_t k = 0; k < got.size(); ++k) {
        ASSERT_TRUE(OnBoundary(s, got[k])) << static_cast<int>(s.unit) << " " << s.count;
        ASSERT_EQ(s.AtOrAfter(got[k]), got[k]);
        ASSERT_EQ(s.AtOrBefore(got[k]), got[k]);
        if (k == 0) continue;
        ASSERT_EQ(s.AtOrAfter(got[k - 1] + 1), got[k]);  // nothing in between
        ASSERT_EQ(s.AtOrBefore(got[k] - 1), got[k - 1]);
      }
      ASSERT_LT(s.AtOrBefore(got.front() - 1), a);
      ASSERT_GT(s.AtOrAfter(got.back() + 1), b);
    }
  }
}

TEST(DateSteps, MonthsAndYearsHaveTheirLengths) {
  const DateStep month{Unit::kMonth, 1};
  std::vector<std::int64_t> b;
  ASSERT_TRUE(month.Boundaries(At(2024, 1, 15), At(2024, 4, 15), 10, &b));
  ASSERT_EQ(b.size(), 3u);
  EXPECT_EQ((b[1] - b[0]) / kMsPerDay, 29);  // February 2024
  ASSERT_TRUE(month.Boundaries(At(2100, 1, 15), At(2100, 4, 15), 10, &b));
  EXPECT_EQ((b[1] - b[0]) / kMsPerDay, 28);  // 2100 is no leap year
  const DateStep quarter{Unit::kMonth, 3};
  ASSERT_TRUE(quarter.Boundaries(At(2023, 2, 1), At(2024, 2, 1), 10, &b));
  EXPECT_EQ(b, (std::vector<std::int64_t>{At(2023, 4, 1), At(2023, 7, 1), At(2023, 10, 1), At(2024, 1, 1)}));
  EXPECT_FALSE(DateStep({Unit::kMillisecond, 1}).Boundaries(0, kMsPerDay, 1000, &b));
  EXPECT_TRUE(b.empty());
}

struct Expected {
  TickCase c;
  const char* labels;
};

TEST(DateTicks, StepsAndLabelsOfWholeAxes) {
  constexpr AxisType kOle = AxisType::kOleDate, kUnix = AxisType::kUnixTime;
  const Expected cases[] = {
      // An hour of minute data; the first tick carries the date.
      {{kOle, Ole(2023, 12, 1), Ole(2023, 12, 1, 1), 670, false, false},
       "1 Dec 2023 00:00|00:10|00:20|00:30|00:40|00:50|01:00"},
      {{kOle, Ole(2023, 12, 1), Ole(2023, 12, 2), 670, false, false},
       "1 Dec 2023 00:00|06:00|12:00|18:00|2 Dec 00:00"},
      // Over New Year the first tick of the year says which.
      {{kOle, Ole(2023, 12, 31, 20), Ole(2024, 1, 1, 4), 670, false, false},
       "31 Dec 2023 20:00|22:00|1 Jan 2024 00:00|02:00|04:00"},
      {{kOle, Ole(2024, 2, 27), Ole(2024, 3, 3), 670, false, false},
       "27 Feb 2024|28 Feb|29 Feb|1 Mar|2 Mar|3 Mar"},
      {{kOle, Ole(2024, 2, 27), Ole(2024, 3, 3), 300, false, false}, "27 Feb 2024|29 Feb|2 Mar"},
      {{kOle, Ole(2024, 1, 1), Ole(2024, 3, 1), 670, false, false},
       "1 Jan 2024|8 Jan|15 Jan|22 Jan|29 Jan|5 Feb|12 Feb|19 Feb|26 Feb"},  // Mondays
      {{kOle, Ole(2024, 1, 1), Ole(2024, 3, 1), 200, false, false}, "Jan 2024|Feb|Mar"},
      {{kOle, Ole(2023, 1, 1), Ole(2024, 1, 1), 670, false, false},
       "Jan 2023|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec|Jan 2024"},
      {{kOle, Ole(2023, 1, 1), Ole(2024, 1, 1), 300, false, false}, "Jan 2023|Apr|Jul|Oct|Jan 2024"},
      {{kOle, Ole(2000, 1, 1), Ole(2024, 1, 1), 670, false, false},
       "2000|2002|2004|2006|2008|2010|2012|2014|2016|2018|2020|2022|2024"},
      {{kOle, Ole(1000, 1, 1), Ole(2024, 1, 1), 670, false, false},
       "1000|1100|1200|1300|1400|1500|1600|1700|1800|1900|2000"},
      // The whole range of the automation Date, and one day more: numbers then.
      {{kOle, -657434, 2958465, 670, false, false}, "1000|2000|3000|4000|5000|6000|7000|8000|9000"},
      {{kOle, -657435, 2958465, 670, false, false}, "-500000|0|500000|1000000|1500000|2000000|2500000"},
      {{kUnix, 1700000000, 1700000030, 670, false, false},
       "14 Nov 2023 22:13:20|22:13:30|22:13:40|22:13:50"},
      {{kUnix, 1700000000, 1700000000.2, 670, false, false},
       "14 Nov 2023 22:13:20.00|22:13:20.05|22:13:20.10|22:13:20.15|22:13:20.20"},
      {{kUnix, 1700000000, 1700000000.0005, 670, false, false}, "14 Nov 2023 22:13:20.000"},
      // Before 1899-12-30 the hours of a day run backwards along the values.
      {{kOle, -1.6, -1.1, 670, false, false}, "29 Dec 1899 14:00|12:00|10:00|08:00|06:00|04:00"},
      {{kOle, -1.5, 0.5, 670, false, false}, "29 Dec 1899 12:00|00:00|30 Dec 12:00|00:00|12:00"},
      {{kOle, -3.3, -0.2, 670, false, false}, "27 Dec 1899|28 Dec|29 Dec"},
  };
  for (const Expected& e : cases) {
    const AxisTicks t = Choose(e.c);
    EXPECT_EQ(Joined(t.labels), e.labels) << e.c.from << ".." << e.c.to;
    for (std::size_t k = 1; k < t.major.size(); ++k) ASSERT_LT(t.major[k - 1], t.major[k]);
  }
  // The values of those reversed hours: 14:00 of 1899-12-29 is -1 - 14/24.
  const AxisTicks reversed = Choose({kOle, -1.6, -1.1, 670, false, false});
  ASSERT_EQ(reversed.major.size(), 6u);
  EXPECT_DOUBLE_EQ(reversed.major[0], -1 - 14.0 / 24);
  EXPECT_DOUBLE_EQ(reversed.major[4], -1.25);
}

TEST(DateTicks, VerticalRangesWidenToWholeSteps) {
  const AxisTicks seconds = Choose({AxisType::kUnixTime, 1700000007, 1700000043, 505, true, true});
  EXPECT_EQ(seconds.from, 1700000006);
  EXPECT_EQ(seconds.to, 1700000044);
  EXPECT_EQ(seconds.major.size(), 20u);
  const AxisTicks weeks = Choose({AxisType::kOleDate, 45292.3, 45352.8, 505, true, true});
  EXPECT_EQ(weeks.from, Ole(2024, 1, 1));  // a Monday
  EXPECT_EQ(weeks.to, Ole(2024, 3, 4));
  EXPECT_EQ(Joined(weeks.labels), "1 Jan 2024|8 Jan|15 Jan|22 Jan|29 Jan|5 Feb|12 Feb|19 Feb|26 Feb|4 Mar");
}

TEST(DateTicks, UserFormatsAndTheirLimits) {
  LabelFormat dayMonth, year;
  ASSERT_TRUE(LabelFormat::Parse("dd/mm", &dayMonth));
  ASSERT_TRUE(LabelFormat::Parse("yyyy", &year));
  EXPECT_EQ(Joined(Choose({AxisType::kOleDate, 45000, 45004, 670, false, false}, &dayMonth).labels),
            "15/03|16/03|17/03|18/03|19/03");
  // Month steps would all read 2023: years are the first step whose labels differ.
  EXPECT_EQ(Joined(Choose({AxisType::kOleDate, Ole(2020, 1, 1), Ole(2023, 6, 1), 670, false, false},
                          &year).labels),
            "2020|2021|2022|2023");
}

}  // namespace
}  // namespace corvane
