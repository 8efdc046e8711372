// Font resolution, GDI cell metrics and text extents of the raster layer's text.
#include "platform/raster/raster_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <thread>
#include <vector>

namespace corvane {
namespace {

FontRequest Request(std::int32_t height, std::int32_t weight = 400, bool italic = false) {
  FontRequest s;
  s.height = height;
  s.weight = weight;
  s.italic = italic;
  return s;
}

TextSize Measure(const RasterFont& f, const char* s) {
  return f.Measure(s, static_cast<std::int32_t>(std::strlen(s)));
}

class TextFont : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RasterFont(Request(16)).valid()) GTEST_SKIP() << "no face for \"Arial\" on this system";
  }
};

// Extents GetTextExtentPoint32A reports under Wine's GDI for the same requests (Arial
// resolving to Liberation Sans), for the sizes the chart uses.
TEST_F(TextFont, ExtentsMatchGdiForTheChartSizes) {
  struct Case {
    std::int32_t height, weight;
    const char* text;
    std::int32_t cx, cy;
  };
  const Case cases[] = {
      {14, 400, "Test_string", 60, 14},         {14, 700, "Test_string", 65, 14},
      {15, 400, "Corvane Version 1.1", 118, 15}, {15, 700, "Corvane Version 1.1", 125, 15},
      {16, 400, "Corvane Version 1.1", 130, 16}, {16, 700, "Corvane Version 1.1", 137, 16},
      {15, 400, "-12.345", 43, 15},             {16, 400, "0123456789", 80, 16},
      {0, 700, "Test_string", 78, 16},          {-12, 400, "-12.345", 42, 14},
      {8, 400, "Test_string", 36, 7},           {24, 700, "0123456789", 120, 23},
  };
  for (const Case& c : cases) {
    const TextSize size = Measure(RasterFont(Request(c.height, c.weight)), c.text);
    EXPECT_EQ(size.cx, c.cx) << c.height << "/" << c.weight << " \"" << c.text << "\"";
    EXPECT_EQ(size.cy, c.cy) << c.height << "/" << c.weight << " \"" << c.text << "\"";
  }
}

TEST_F(TextFont, PositiveHeightIsTheCellAndNegativeTheEm) {
  for (std::int32_t h : {14, 15, 16, 20, 48, 100}) {
    const RasterFontMetrics m = RasterFont(Request(h)).metrics();
    EXPECT_EQ(m.height, h);
    EXPECT_EQ(m.ascent + m.descent, m.height);
    EXPECT_GT(m.ascent, 3 * m.descent);
  }
  // Rounding ascent and descent separately can miss the request by a pixel, never more.
  for (std::int32_t h = 1; h <= 400; ++h) {
    EXPECT_NEAR(RasterFont(Request(h)).metrics().height, h, 1) << h;
  }
  EXPECT_EQ(RasterFont(Request(-16)).metrics().ppem, 16);
  EXPECT_EQ(RasterFont(Request(-16)).metrics().height, 17);
  EXPECT_EQ(RasterFont(Request(-12)).metrics().height, 14);
  EXPECT_EQ(RasterFont(Request(0)).metrics().height, RasterFont(Request(16)).metrics().height);
}

TEST_F(TextFont, WeightChoosesTheNearestFace) {
  const RasterFont regular(Request(16, 400));
  const RasterFont bold(Request(16, 700));
  EXPECT_GT(Measure(bold, "Test_string").cx, Measure(regular, "Test_string").cx);
  EXPECT_EQ(Measure(RasterFont(Request(16, 551)), "Test_string").cx, Measure(bold, "Test_string").cx);
  EXPECT_EQ(Measure(RasterFont(Request(16, 550)), "Test_string").cx, Measure(regular, "Test_string").cx);
  EXPECT_EQ(Measure(RasterFont(Request(16, 0)), "Test_string").cx, Measure(regular, "Test_string").cx);
  EXPECT_EQ(bold.metrics().height, regular.metrics().height);
  EXPECT_EQ(RasterFont(Request(16, 400, true)).metrics().height, regular.metrics().height);
}

TEST_F(TextFont, ExtentIsTheSumOfTheCharacterAdvances) {
  const RasterFont f(Request(15));
  const char* text = "AVAWTo Wave, -1.25e+03";
  std::int32_t sum = 0;
  for (const char* p = text; *p; ++p) sum += f.Measure(p, 1).cx;
  EXPECT_EQ(Measure(f, text).cx, sum);  // GDI applies no kerning here
}

TEST_F(TextFont, NoTextMeasuresNothing) {
  const RasterFont f(Request(16));
  EXPECT_EQ(f.Measure("", 0).cx, 0);
  EXPECT_EQ(f.Measure("", 0).cy, 0);
  EXPECT_EQ(f.Measure(nullptr, 5).cx, 0);
  EXPECT_EQ(f.Measure("abc", -1).cy, 0);
  EXPECT_EQ(f.Measure("abc", 2).cx, Measure(f, "ab").cx);
}

TEST_F(TextFont, TextIsUtf8) {
  const RasterFont f(Request(16));
  const TextSize zhe = Measure(f, "\xD0\x96");  // U+0416
  EXPECT_GT(zhe.cx, 0);
  EXPECT_EQ(Measure(f, "\xD0\x96\xD0\x96").cx, 2 * zhe.cx);
  EXPECT_EQ(Measure(f, "\xC3\xA9").cx, Measure(f, "e").cx);  // U+00E9 has the width of 'e'
  // A character the face lacks shows its notdef glyph, the same for every such character.
  const std::int32_t notdef = Measure(f, "\xE4\xB8\x80").cx;  // U+4E00
  EXPECT_GT(notdef, 0);
  EXPECT_EQ(Measure(f, "\xE4\xB8\x81").cx, notdef);
}

TEST_F(TextFont, InvalidUtf8IsOneReplacementPerBadSequence) {
  const RasterFont f(Request(16));
  const std::int32_t replacement = Measure(f, "\xEF\xBF\xBD").cx;
  EXPECT_EQ(Measure(f, "\xFF").cx, replacement);
  EXPECT_EQ(Measure(f, "a\xE2\x82" "b").cx, Measure(f, "ab").cx + replacement);
  // A sequence cut by the length: the copy holds exactly the counted bytes, so an
  // over-read shows under the address sanitizer.
  auto cut = std::make_unique<char[]>(2);
  cut[0] = 'a';
  cut[1] = '\xD0';
  EXPECT_EQ(f.Measure(cut.get(), 2).cx, Measure(f, "a").cx + replacement);
}

TEST_F(TextFont, AbsurdHeightsAreClamped) {
  for (std::int32_t h : {INT_MIN, -INT_MAX, -100000, 100000, INT_MAX}) {
    const RasterFont f(Request(h, INT_MAX));
    ASSERT_TRUE(f.valid()) << h;
    EXPECT_GE(f.metrics().ppem, 1);
    EXPECT_LE(f.metrics().ppem, kMaxFontPixels);
    EXPECT_GT(Measure(f, "W").cx, 0);
  }
  EXPECT_LE(RasterFont(Request(INT_MAX)).metrics().height, kMaxFontPixels);
  EXPECT_GE(RasterFont(Request(1)).metrics().height, 1);
}

TEST_F(TextFont, FontsMayBeUsedFromSeveralThreads) {
  const char* text = "Corvane Version 1.1 -0.5";
  std::vector<std::int32_t> expected;
  for (std::int32_t h = 10; h < 30; ++h) expected.push_back(Measure(RasterFont(Request(h, h % 2 ? 700 : 400)), text).cx);
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 50; ++round) {
        for (std::int32_t h = 10; h < 30; ++h) {
          const RasterFont f(Request(h, h % 2 ? 700 : 400, (round + t) % 3 == 0));
          if (!f.request().italic && Measure(f, text).cx != expected[h - 10]) ++mismatches[t];
        }
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ(mismatches[t], 0) << "thread " << t;
}

}  // namespace
}  // namespace corvane
