// Tick choice on numeric and logarithmic axes: which step wins for a range and an extent, how
// labels are written, how an automatic range widens, and that labels never crowd.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "appearance/axis_scale.h"
#include "appearance/label_format.h"
#include "appearance/nice_ticks.h"
#include "tick_test_support.h"

namespace corvane {
namespace {

constexpr AxisType kLinear = AxisType::kLinear;
constexpr AxisType kLog = AxisType::kLog10;

struct Expected {
  TickCase c;
  const char* labels;
  double from, to;  // the range the ticks belong to
  std::size_t minor = 0;
};

void ExpectTicks(const Expected& e) {
  const AxisTicks t = Choose(e.c);
  EXPECT_EQ(Joined(t.labels), e.labels) << e.c.from << ".." << e.c.to << " over " << e.c.extent;
  EXPECT_DOUBLE_EQ(t.from, e.from) << e.labels;
  EXPECT_DOUBLE_EQ(t.to, e.to) << e.labels;
  EXPECT_EQ(t.minor.size(), e.minor) << e.labels;
}

TEST(AxisTicks, RoundNumbers) {
  // 8 pixels a character and the gap of one: "10" needs 16 + 8 pixels from its neighbour's
  // edge, a vertical label 15 + 8.
  const Expected cases[] = {
      {{kLinear, 4.3, 36.7, 670, false, false}, "6|8|10|12|14|16|18|20|22|24|26|28|30|32|34|36", 4.3, 36.7},
      {{kLinear, 4.3, 36.7, 505, true, false}, "6|8|10|12|14|16|18|20|22|24|26|28|30|32|34|36", 4.3, 36.7},
      {{kLinear, 4.3, 36.7, 505, true, true}, "4|6|8|10|12|14|16|18|20|22|24|26|28|30|32|34|36|38", 4, 38},
      {{kLinear, 1, 2, 670, false, false}, "1.0|1.1|1.2|1.3|1.4|1.5|1.6|1.7|1.8|1.9|2.0", 1, 2},
      {{kLinear, -0.5, 0.5, 200, false, false}, "-0.4|-0.2|0.0|0.2|0.4", -0.5, 0.5},
      {{kLinear, -5, 5, 205, true, true}, "-6|-4|-2|0|2|4|6", -6, 6},
      {{kLinear, 0.1, 0.9, 100, true, true}, "0.0|0.5|1.0", 0, 1},
      {{kLinear, -1234567, 9876543, 670, false, false}, "0|2000000|4000000|6000000|8000000", -1234567, 9876543},
      {{kLinear, 0.0001234, 0.0001235, 670, false, false},
       "0.00012340|0.00012342|0.00012344|0.00012346|0.00012348|0.00012350", 0.0001234, 0.0001235},
      // Past 1e15, and for steps finer than 1e-10: exponents, with the digits the step needs.
      {{kLinear, 1e20, 1.5e20, 670, false, false}, "1.0E+20|1.1E+20|1.2E+20|1.3E+20|1.4E+20|1.5E+20", 1e20, 1.5e20},
      {{kLinear, 1e-12, 5e-12, 400, false, false}, "1E-12|2E-12|3E-12|4E-12|5E-12", 1e-12, 5e-12},
      {{kLinear, 0, 1e308, 670, false, false}, "0.0E+00|2.0E+307|4.0E+307|6.0E+307|8.0E+307|1.0E+308", 0, 1e308},
      // As many as fit: two where two fit, one where one does.
      {{kLinear, 1, 2, 20, false, false}, "1|2", 1, 2},
      {{kLinear, 1, 2, 10, false, false}, "2", 1, 2},
  };
  for (const Expected& e : cases) ExpectTicks(e);
}

TEST(AxisTicks, Logarithmic) {
  const Expected cases[] = {
      // Decades with every minor line where 9 and 10 are 3 pixels apart (a decade of 66).
      {{kLog, 1, 1e6, 670, false, false}, "1|10|100|1000|10000|100000|1000000", 1, 1e6, 48},
      {{kLog, 0.5, 2e5, 505, true, true}, "0.1|1|10|100|1000|10000|100000|1000000", 0.1, 1e6, 56},
      // A decade of 50 pixels: minor lines at 2 and 5 only.
      {{kLog, 1, 100, 100, false, false}, "1|10|100", 1, 100, 4},
      // Thinned to every other decade, the skipped powers as minor lines.
      {{kLog, 1, 1000, 60, false, false}, "1|100", 1, 1000, 2},
      {{kLog, 1e-20, 1e20, 670, false, false}, "1E-20|1E-15|1E-10|1E-05|1E+00|1E+05|1E+10|1E+15|1E+20", 1e-20, 1e20, 32},
      {{kLog, 5e-324, 1e308, 670, false, false}, "1E-300|1E-200|1E-100|1E+00|1E+100|1E+200|1E+300", 5e-324, 1e308},
      // Within a decade: round linear ticks, placed on the logarithmic scale (they crowd at
      // the top, so 40 and 38 would be 13 pixels apart: steps of 5).
      {{kLog, 2, 8, 670, false, false}, "2|3|4|5|6|7|8", 2, 8},
      {{kLog, 3, 40, 505, true, true}, "5|10|15|20|25|30|35|40", 3, 40},
      {{kLog, 20, 30, 505, true, true}, "20|21|22|23|24|25|26|27|28|29|30", 20, 30},
  };
  for (const Expected& e : cases) ExpectTicks(e);
  // Minor lines of a decade are 2..9 times its power, never on a labelled power.
  const AxisTicks t = Choose({kLog, 1, 1e6, 670, false, false});
  ASSERT_EQ(t.minor.size(), 48u);
  EXPECT_EQ(t.minor[0], 2);
  EXPECT_EQ(t.minor[7], 9);
  EXPECT_EQ(t.minor[8], 20);
  EXPECT_EQ(t.minor.back(), 900000);
}

TEST(AxisTicks, UserFormatsLabelEveryTickAndSkipStepsTheyCannotTellApart) {
  LabelFormat percent, whole;
  ASSERT_TRUE(LabelFormat::Parse("0.0%", &percent));
  ASSERT_TRUE(LabelFormat::Parse("0", &whole));
  EXPECT_EQ(Joined(Choose({kLinear, 0, 1, 670, false, false}, &percent).labels),
            "0.0%|10.0%|20.0%|30.0%|40.0%|50.0%|60.0%|70.0%|80.0%|90.0%|100.0%");
  // Steps of 0.5 would read 0 1 1 2 2 3 ...: the first step whose labels differ is 1.
  EXPECT_EQ(Joined(Choose({kLinear, 0, 4, 670, false, false}, &whole).labels), "0|1|2|3|4");
}

// Over many ranges and extents: neighbours keep a character apart, all labels of a step
// share one number of decimals, and the count stays under the pixels.
TEST(AxisTicks, LabelsNeverCrowdAndShareOneFormat) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> exponent(-6, 9), unit(0, 1);
  for (int n = 0; n < 3000; ++n) {
    const double scale = std::pow(10.0, exponent(random));
    double a = (unit(random) - 0.5) * 2 * scale, b = (unit(random) - 0.5) * 2 * scale;
    if (a > b) std::swap(a, b);
    if (!(a < b)) continue;
    const std::int32_t extent = 20 + static_cast<std::int32_t>(unit(random) * 1200);
    const bool vertical = n % 2 == 1;
    const AxisTicks t = Choose({kLinear, a, b, extent, vertical, n % 3 == 0});
    ASSERT_EQ(t.labels.size(), t.major.size());
    ASSERT_LE(t.major.size(), static_cast<std::size_t>(extent / (vertical ? 23 : 16) + 2));
    AxisMapping m;
    ASSERT_TRUE(AxisMapping::Make(AxisScale(), t.from, t.to, 0, extent, &m));
    std::size_t decimals = std::string::npos;
    for (std::size_t k = 0; k < t.major.size(); ++k) {
      const std::string& label = t.labels[k];
      if (label.find('E') != std::string::npos) break;  // exponent labels: digits differ by sign
      const std::size_t point = label.find('.');
      const std::size_t d = point == std::string::npos ? 0 : label.size() - point - 1;
      if (decimals == std::string::npos) decimals = d;
      ASSERT_EQ(d, decimals) << Joined(t.labels);
      if (k == 0) continue;
      const double room = vertical ? 15 : (t.labels[k].size() + t.labels[k - 1].size()) * 4.0;
      ASSERT_GE(m.Device(t.major[k]) - m.Device(t.major[k - 1]), room + 8) << Joined(t.labels);
    }
  }
}

TEST(NiceTicks, StepsAndMultiplesAreTheDecimalsTheyRead) {
  NiceStep s;
  ASSERT_TRUE(NiceStep::AtLeast(0.0031, &s));
  EXPECT_EQ(s.mantissa, 5);
  EXPECT_EQ(s.exponent, -3);
  ASSERT_TRUE(NiceStep::AtLeast(1000, &s));
  EXPECT_EQ(s.Value(), 1000);
  EXPECT_TRUE(s.Next());
  EXPECT_EQ(s.Value(), 2000);
  EXPECT_FALSE(NiceStep::AtLeast(1e308, &s));
  EXPECT_FALSE(NiceStep::AtLeast(0, &s));
  // 3 x 0.1 is the double nearest 0.3 (0.1 + 0.1 + 0.1 is not).
  const NiceStep tenth{1, -1};
  EXPECT_EQ(tenth.Multiple(3), 0.3);
  std::vector<double> v;
  ASSERT_TRUE(NiceMultiples(tenth, 0.3, 0.7, 10, &v));
  EXPECT_EQ(v, (std::vector<double>{0.3, 0.4, 0.5, 0.6, 0.7}));
  EXPECT_FALSE(NiceMultiples(tenth, 0.3, 0.7, 4, &v));            // more than asked for
  EXPECT_FALSE(NiceMultiples(NiceStep{1, 0}, 1e17, 1e17 + 64, 100, &v));  // steps of 1 at 1e17
  EXPECT_EQ(FloorToStep(NiceStep{2, 0}, -3), -4);
  EXPECT_EQ(CeilToStep(NiceStep{2, 0}, -3), -2);
  EXPECT_EQ(PowerOfTen(-5), 1e-5);
  EXPECT_EQ(PowerOfTen(308), 1e308);
  EXPECT_GT(PowerOfTen(-323), 0);
}

}  // namespace
}  // namespace corvane
