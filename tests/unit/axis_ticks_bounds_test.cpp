// Tick choice on hostile ranges: not a number, infinite, huge, tiny, narrower than a
// millisecond, wider than ten thousand years, negative on a logarithmic axis, extents of one
// pixel, of the largest picture and beyond. Each gives a clear refusal or a sound set of ticks.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <string>

#include "appearance/date_ticks.h"
#include "tick_test_support.h"

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(AxisTicksBounds, RefusedOrSoundWhateverTheRange) {
  struct Range {
    double from, to;
  };
  const Range ranges[] = {
      {kNaN, 1},       {0, kNaN},          {-kInf, 0},       {0, kInf},          {1, 1},
      {2, 1},          {-1e308, 1e308},    {0, 1e308},       {-1e308, -1e307},   {0, 5e-324},
      {-5e-324, 5e-324}, {1e300, 1e300 * (1 + 1e-15)}, {45000, 45000 + 1e-12}, {1.7e9, 1.7e9 + 1e-6},
      {-1e7, 1e7},     {-1e15, 1e15},      {-10, -1},        {0, 10},            {1e-300, 1e300},
      {-0.9, -0.1},    {-5000, -4999.99},  {0.5, 1e6},       {2958465, 2958466},
  };
  const AxisType types[] = {AxisType::kLinear, AxisType::kOleDate, AxisType::kUnixTime,
                            AxisType::kLog10};
  const std::int32_t extents[] = {0, 1, 7, 670, 32767, INT32_MAX};
  for (const Range& r : ranges) {
    for (AxisType type : types) {
      for (std::int32_t extent : extents) {
        for (bool vertical : {false, true}) {
          bool ok = false;
          const TickCase c{type, r.from, r.to, extent, vertical, vertical};
          const AxisTicks t = Choose(c, nullptr, &ok);
          const std::string where = std::to_string(static_cast<int>(type)) + " " +
                                    std::to_string(r.from) + ".." + std::to_string(r.to) + " / " +
                                    std::to_string(extent);
          ASSERT_EQ(t.labels.size(), t.major.size()) << where;
          ASSERT_LE(t.major.size(), static_cast<std::size_t>(std::min(extent, 32767)) + 2) << where;
          ASSERT_LE(t.minor.size(), 8 * static_cast<std::size_t>(std::min(extent, 32767)) + 16) << where;
          if (!ok) {
            ASSERT_TRUE(t.major.empty()) << where;
            continue;
          }
          ASSERT_LE(t.from, r.from) << where;
          ASSERT_GE(t.to, r.to) << where;
          for (std::size_t k = 0; k < t.major.size(); ++k) {
            ASSERT_TRUE(std::isfinite(t.major[k])) << where;
            ASSERT_FALSE(t.labels[k].empty()) << where;
            if (k > 0) {
              ASSERT_LT(t.major[k - 1], t.major[k]) << where;
            }
          }
        }
      }
    }
  }
}

TEST(AxisTicksBounds, WhatCannotCarryTicksIsRefused) {
  const TickCase refused[] = {
      {AxisType::kLinear, kNaN, 1, 670, false, false},
      {AxisType::kLinear, 0, kInf, 670, false, false},
      {AxisType::kLinear, 2, 1, 670, false, false},
      {AxisType::kLinear, -1e308, 1e308, 670, false, false},  // the span overflows
      {AxisType::kLinear, 0, 1, 0, false, false},
      {AxisType::kLog10, -10, -1, 670, false, false},
      {AxisType::kLog10, 0, 10, 670, false, false},
      {AxisType::kGrid, 0, 10, 670, false, false},  // the grid's own stepping, not ticks
      {static_cast<AxisType>(9), 0, 10, 670, false, false},
  };
  for (const TickCase& c : refused) {
    bool ok = true;
    const AxisTicks t = Choose(c, nullptr, &ok);
    EXPECT_FALSE(ok) << static_cast<int>(c.type) << " " << c.from << ".." << c.to;
    EXPECT_TRUE(t.from == c.from || (std::isnan(t.from) && std::isnan(c.from)));
  }
  // A range a double cannot divide: sound, and without ticks.
  bool ok = false;
  EXPECT_TRUE(Choose({AxisType::kLinear, 0, 5e-324, 670, false, false}, nullptr, &ok).major.empty());
  EXPECT_TRUE(ok);
}

TEST(AxisTicksBounds, DateTickLoopsStopAtTheirBudget) {
  // One-millisecond steps over ten thousand years, and over a year before 1899 (a stretch
  // per day): both stop at the budget instead of walking every millisecond.
  std::vector<DateTick> ticks;
  const DateStep ms{DateStep::Unit::kMillisecond, 1};
  EXPECT_FALSE(DateAxisTicks(DateEpoch::kOle, ms, -657434, 2958465, 1000, &ticks));
  EXPECT_FALSE(DateAxisTicks(DateEpoch::kOle, ms, -400, -35, 1000, &ticks));
  EXPECT_TRUE(ticks.empty());
  EXPECT_FALSE(DateAxisTicks(DateEpoch::kUnix, ms, kNaN, 1, 1000, &ticks));
  EXPECT_FALSE(DateAxisTicks(DateEpoch::kUnix, ms, 0, 1e300, 1000, &ticks));
}

}  // namespace
}  // namespace corvane
