// The grid's value formatter and its decimals.
#include <gtest/gtest.h>

#include <clocale>
#include <limits>
#include <string>

#include "appearance/chart_grid.h"

namespace corvane {
namespace {

std::string Format(double v, std::int32_t digits) {
  CChartGrid g;
  g.digitsAfterPoint = digits;
  return g.FormatGridValue(v);
}

TEST(FormatGridValue, FixedPointWithTheGridsDecimals) {
  EXPECT_EQ(Format(1.5, 2), "1.50");
  EXPECT_EQ(Format(-0.25, 2), "-0.25");
  EXPECT_EQ(Format(1000, 2), "1000.00");
  EXPECT_EQ(Format(1.6667, 0), "2");
  EXPECT_EQ(Format(-1.6667, 0), "-2");
  EXPECT_EQ(Format(-1.6667, 4), "-1.6667");
  EXPECT_EQ(Format(1e7, 0), "10000000");
}

TEST(FormatGridValue, DigitsOutsideZeroToFourAreResetToTwo) {
  for (std::int32_t digits : {5, 6, -1, std::numeric_limits<std::int32_t>::min()}) {
    CChartGrid g;
    g.digitsAfterPoint = digits;
    EXPECT_EQ(g.FormatGridValue(1.6667), "1.67") << digits;
    EXPECT_EQ(g.digitsAfterPoint, 2) << digits;
  }
}

TEST(FormatGridValue, ExtremeValuesFitAndStayFixedPoint) {
  const std::string lowest = Format(-std::numeric_limits<double>::max(), 4);
  EXPECT_EQ(lowest.size(), 1u + 309u + 5u);
  EXPECT_EQ(lowest.substr(0, 2), "-1");
  EXPECT_EQ(lowest.substr(lowest.size() - 5), ".0000");
  EXPECT_EQ(Format(5e-324, 4), "0.0000");
  EXPECT_FALSE(Format(std::numeric_limits<double>::quiet_NaN(), 2).empty());
}

// Hosts may switch the process locale; grid labels must keep the '.' decimal point.
TEST(FormatGridValue, DecimalPointIgnoresTheProcessLocale) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  const std::string saved = previous ? previous : "C";
  bool switched = false;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "ru_RU.UTF-8"})
    if (std::setlocale(LC_NUMERIC, name)) {
      switched = true;
      break;
    }
  const std::string text = Format(1.5, 2);
  std::setlocale(LC_NUMERIC, saved.c_str());
  if (!switched) GTEST_SKIP() << "no comma-decimal locale installed";
  EXPECT_EQ(text, "1.50");
}

}  // namespace
}  // namespace corvane
