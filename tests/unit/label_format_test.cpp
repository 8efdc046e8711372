// Label format codes: numbers and moments written through them, the codes refused, and
// hostile input (long, random, byte soup) read safely.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "appearance/calendar.h"
#include "appearance/label_format.h"

namespace corvane {
namespace {

std::string Number(const std::string& code, double v) {
  LabelFormat f;
  if (!LabelFormat::Parse(code, &f)) return "<refused>";
  if (f.kind() != LabelFormat::Kind::kNumber) return "<date code>";
  return f.FormatNumber(v);
}

TEST(LabelFormat, NumberCodes) {
  struct Case {
    const char* code;
    double value;
    const char* text;
  };
  const Case cases[] = {
      {"0", 1.5, "2"},  // half away from zero, as spreadsheets round
      {"0", 2.5, "3"},
      {"0", -1.5, "-2"},
      {"0", -0.4, "0"},  // no "-0"
      {"0.00", 3.14159, "3.14"},
      {"0.00", 0.145, "0.15"},  // the decimal the user typed, not 0.14499...
      {"0.00", -0.005, "-0.01"},
      {"0.00", 1e6, "1000000.00"},
      {"#,##0.00", 1234567.891, "1,234,567.89"},
      {"#,##0.00", 12, "12.00"},
      {"#,##0", -999.5, "-1,000"},
      {"#,##0", 0, "0"},
      {"#.##", 0.5, ".5"},
      {"#.##", 5, "5."},
      {"#", 0, ""},
      {"0.0#", 1.5, "1.5"},
      {"0.0#", 1.25, "1.25"},
      {"0.0#", 1, "1.0"},
      {"000", 7, "007"},
      {"000", 12345, "12345"},  // more digits than places: all of them
      {".00", 12.5, "12.50"},
      {".00", 0.5, ".50"},
      {"0%", 0.256, "26%"},
      {"0.0%", 0.5, "50.0%"},
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.00E+00", 0.000123, "1.23E-04"},
      {"0.00E+00", 0, "0.00E+00"},
      {"0.00E+00", 9.999, "1.00E+01"},  // the carry moves the exponent
      {"0.00E+00", -12345, "-1.23E+04"},
      {"0.0E-0", 12345, "1.2E4"},
      {"0.0e-0", 0.5, "5.0e-1"},
      {"##0.0E+0", 12345, "12.3E+3"},
      {"##0.0E+0", 999999, "1.0E+6"},
      {"##0.0E+0", 0.012, "12.0E-3"},
      {"0,", 1234567, "1235"},
      {"0.0,,", 1234567, "1.2"},
      {"$#,##0", 1234.5, "$1,235"},
      {"(0)", 5, "(5)"},
      {"-0+", 5, "-5+"},
      {"\"x = \"0.0", 2, "x = 2.0"},
      {"0\" kg\"", 3, "3 kg"},
      {"0\\m", 3, "3m"},
      {"0", 1e20, "100000000000000000000"},
      {"0", 1.23456789012345678e20, "123456789012346000000"},  // 15 digits, as shown
      {"0.0", std::numeric_limits<double>::infinity(), "inf"},
  };
  for (const Case& c : cases) EXPECT_EQ(Number(c.code, c.value), c.text) << c.code << " " << c.value;
}

TEST(LabelFormat, DateCodes) {
  // Thursday 2024-02-29 13:05:09.045.
  const std::int64_t ms = MsFromCivil(CivilDate{2024, 2, 29}) + 13 * kMsPerHour +
                          5 * kMsPerMinute + 9 * kMsPerSecond + 45;
  const CivilTime t = CivilFromMs(ms);
  const CivilTime midnight = CivilFromMs(MsFromCivil(CivilDate{2024, 1, 7}) + 20 * kMsPerMinute);
  struct Case {
    const char* code;
    const CivilTime* moment;
    const char* text;
  };
  const Case cases[] = {
      {"yyyy-mm-dd", &t, "2024-02-29"},
      {"dd/mm/yy", &t, "29/02/24"},
      {"d mmm yyyy", &t, "29 Feb 2024"},
      {"dddd, mmmm d", &t, "Thursday, February 29"},
      {"ddd", &t, "Thu"},
      {"m/d/yyyy", &t, "2/29/2024"},
      {"dd.mm.yyyy", &t, "29.02.2024"},  // a point that is no fraction separates
      {"hh:nn:ss", &t, "13:05:09"},
      {"hh:mm", &t, "13:05"},  // m after an hour is the minute
      {"mm:ss", &t, "05:09"},  // and before the seconds
      {"HH:NN:SS", &t, "13:05:09"},
      {"h:nn AM/PM", &t, "1:05 PM"},
      {"h a/p", &t, "1 p"},
      {"hh am/pm", &midnight, "12 am"},
      {"DDDD h:nn", &midnight, "Sunday 0:20"},
      {"ss.000", &t, "09.045"},
      {"s.00", &t, "9.04"},
      {"hh:nn:ss.0", &t, "13:05:09.0"},
      {"yyyy\"Q\"", &t, "2024Q"},
  };
  for (const Case& c : cases) {
    LabelFormat f;
    ASSERT_TRUE(LabelFormat::Parse(c.code, &f)) << c.code;
    EXPECT_EQ(f.kind(), LabelFormat::Kind::kDate) << c.code;
    EXPECT_EQ(f.FormatDate(*c.moment), c.text) << c.code;
  }
}

TEST(LabelFormat, AxisValuesReadInTheirEpoch) {
  LabelFormat date, number;
  ASSERT_TRUE(LabelFormat::Parse("yyyy-mm-dd hh:nn", &date));
  ASSERT_TRUE(LabelFormat::Parse("0.0", &number));
  EXPECT_EQ(FormatAxisValue(date, 45261.375, DateEpoch::kOle), "2023-12-01 09:00");
  EXPECT_EQ(FormatAxisValue(date, -1.25, DateEpoch::kOle), "1899-12-29 06:00");
  EXPECT_EQ(FormatAxisValue(date, 1700000000, DateEpoch::kUnix), "2023-11-14 22:13");
  // Outside the years 100..9999 a date code shows the number.
  EXPECT_EQ(FormatAxisValue(date, -700000, DateEpoch::kOle), "-700000");
  EXPECT_EQ(FormatAxisValue(date, 1e300, DateEpoch::kUnix), "1e+300");
  EXPECT_EQ(FormatAxisValue(date, std::nan(""), DateEpoch::kOle), "nan");
  EXPECT_EQ(FormatAxisValue(number, 45261.375, DateEpoch::kOle), "45261.4");
}

TEST(LabelFormat, RefusesWhatItCannotRead) {
  const std::string refused[] = {
      "", "abc", "0.0.0", "0;0", "\"open", "0\\", "yyy", "y", "mmmmm", "ddddd", "hhh", "0 yyyy",
      "yyyy 0", "yyyy #", "E+00", "0E+", "0E", "0E+00E+00", "@", "[Red]0", "0/0", "0:0",
      "hh:nn.000", "ss.0000", "\"just text\"", "*0", "_0", "?", "0\t", std::string("0\0", 2),
      "\xC3\xA9" "0", std::string(LabelFormat::kMaxLength + 1, '0'), std::string(5000, '#'),
  };
  for (const std::string& code : refused) {
    LabelFormat f;
    ASSERT_TRUE(LabelFormat::Parse("0.00", &f));
    EXPECT_FALSE(LabelFormat::Parse(code, &f)) << code;
    EXPECT_EQ(f.FormatNumber(1), "1.00") << "a refused code leaves the format as it was: " << code;
  }
  // What the longest code may hold, and text of any bytes inside quotes.
  LabelFormat f;
  ASSERT_TRUE(LabelFormat::Parse(std::string(LabelFormat::kMaxLength, '0'), &f));
  EXPECT_EQ(f.FormatNumber(1e308).size(), 309u);
  ASSERT_TRUE(LabelFormat::Parse("\"\xC3\xA9 \"0", &f));
  EXPECT_EQ(f.FormatNumber(4), "\xC3\xA9 4");
  ASSERT_TRUE(LabelFormat::Parse("0." + std::string(LabelFormat::kMaxLength - 2, '0'), &f));
  EXPECT_EQ(f.FormatNumber(-1e308).size(), 1 + 309 + 1 + LabelFormat::kMaxLength - 2);
  ASSERT_TRUE(LabelFormat::Parse("0" + std::string(LabelFormat::kMaxLength - 1, '%'), &f));
  EXPECT_EQ(f.FormatNumber(1), "inf");
}

// Codes of random characters from the alphabet of codes, and of random bytes: each is read
// or refused, and whatever is read writes a bounded label for extreme values.
TEST(LabelFormat, RandomCodesAreReadOrRefused) {
  const std::string alphabet = "0#.,%E+-e\"\\ymdhnsAMP/:$() ;@[]?*_x\x80";
  const double values[] = {0, -0.0, 1, -1, 0.5, 123456.789, 1e308, -1e308, 5e-324,
                           std::numeric_limits<double>::quiet_NaN()};
  std::mt19937 random(20240601);
  int read = 0;
  for (int n = 0; n < 20000; ++n) {
    std::string code;
    const int length = 1 + static_cast<int>(random() % 12);
    for (int k = 0; k < length; ++k) {
      const unsigned r = random();
      code.push_back(n % 4 == 3 ? static_cast<char>(r & 0xFF)
                                : alphabet[static_cast<std::size_t>(r) % alphabet.size()]);
    }
    LabelFormat f;
    if (!LabelFormat::Parse(code, &f)) continue;
    ++read;
    for (double v : values) {
      const std::string text = f.kind() == LabelFormat::Kind::kNumber
                                   ? f.FormatNumber(v)
                                   : FormatAxisValue(f, v, DateEpoch::kOle);
      EXPECT_LE(text.size(), 2 * LabelFormat::kMaxLength + 330) << code;
    }
  }
  EXPECT_GT(read, 500);  // the alphabet reads often enough to exercise the formatter
}

}  // namespace
}  // namespace corvane
