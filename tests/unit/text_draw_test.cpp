// TextOut of the raster layer: placement in the cell, background modes, clipping,
// underline and the blending of antialiased ink.
#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <set>

#include "platform/raster/raster_text.h"
#include "platform/raster/raster_text_ink.h"
#include "tests/unit/text_test_canvas.h"

namespace corvane {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kGreen = 0x00FF00;
constexpr Color kRed = 0x0000FF;

FontRequest Request(std::int32_t height, std::int32_t weight = 400, bool underline = false) {
  FontRequest s;
  s.height = height;
  s.weight = weight;
  s.underline = underline;
  return s;
}

void Draw(const RasterFont& f, TestCanvas& c, std::int32_t x, std::int32_t y, const char* text,
          Color color = kBlack, int mode = kTransparent, Color bk = kGreen) {
  f.Draw(c, x, y, text, static_cast<std::int32_t>(std::strlen(text)), color, mode, bk);
}

class TextDraw : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!RasterFont(Request(16)).valid()) GTEST_SKIP() << "no face for \"Arial\" on this system";
  }
};

TEST_F(TextDraw, InkSitsInTheCellBelowTheTopLeftCorner) {
  const RasterFont f(Request(16));
  TestCanvas c(120, 40, kWhite);
  Draw(f, c, 10, 5, "HH");
  const IRect ink = c.InkBox(kWhite);
  const RasterFontMetrics& m = f.metrics();
  // 'H' stands on the baseline and reaches about the cap height above it.
  EXPECT_EQ(ink.bottom, 5 + m.ascent);
  EXPECT_GE(ink.top, 5 + m.internal_leading);
  EXPECT_LT(ink.top, 5 + m.ascent - m.ppem / 2);
  EXPECT_GE(ink.left, 10);
  EXPECT_LE(ink.right, 10 + f.Measure("HH", 2).cx);
}

TEST_F(TextDraw, InkIsCutAtTheCellsTopAndBottom) {
  // At 8 px the underscore and the descender of 'j' reach below the 7-pixel cell.
  const RasterFont f(Request(8));
  TestCanvas c(60, 30, kWhite);
  Draw(f, c, 5, 10, "_j_g");
  const IRect ink = c.InkBox(kWhite);
  EXPECT_GT(ink.bottom, ink.top);
  EXPECT_LE(ink.bottom, 10 + f.metrics().height);
  EXPECT_GE(ink.top, 10);
}

TEST_F(TextDraw, TransparentModeLeavesTheBackground) {
  const RasterFont f(Request(16));
  TestCanvas c(120, 40, kGreen);
  Draw(f, c, 4, 4, "Test -1.5", kBlack, kTransparent, kRed);
  std::set<Color> colors;
  for (std::int32_t y = 0; y < c.height(); ++y)
    for (std::int32_t x = 0; x < c.width(); ++x) colors.insert(c.At(x, y));
  // 16-pixel regular text is drawn bilevel, so only background and text colour occur.
  EXPECT_EQ(colors, (std::set<Color>{kGreen, kBlack}));
}

TEST_F(TextDraw, OpaqueModeFillsExactlyTheCellBox) {
  const RasterFont f(Request(15));
  TestCanvas c(120, 40, kWhite);
  const char* text = "Test 42";
  const TextSize size = f.Measure(text, 7);
  Draw(f, c, 6, 8, text, kBlack, kOpaque, kGreen);
  for (std::int32_t y = 0; y < c.height(); ++y) {
    for (std::int32_t x = 0; x < c.width(); ++x) {
      const bool in_cell = x >= 6 && x < 6 + size.cx && y >= 8 && y < 8 + size.cy;
      const Color p = c.At(x, y);
      if (in_cell) {
        EXPECT_TRUE(p == kGreen || p == kBlack) << x << "," << y;
      } else {
        EXPECT_EQ(p, kWhite) << x << "," << y;
      }
    }
  }
}

TEST_F(TextDraw, ClipIsHonoured) {
  const RasterFont f(Request(16, 700, true));
  TestCanvas full(120, 40, kWhite);
  TestCanvas clipped(120, 40, kWhite);
  const IRect clip{20, 9, 47, 17};
  clipped.SetClip(clip);
  Draw(f, full, 5, 5, "Clipped text", kRed, kOpaque, kGreen);
  Draw(f, clipped, 5, 5, "Clipped text", kRed, kOpaque, kGreen);
  for (std::int32_t y = 0; y < 40; ++y) {
    for (std::int32_t x = 0; x < 120; ++x) {
      const bool inside = x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom;
      EXPECT_EQ(clipped.At(x, y), inside ? full.At(x, y) : kWhite) << x << "," << y;
    }
  }
}

TEST_F(TextDraw, UnderlineSpansTheExtentOnItsRows) {
  for (std::int32_t h : {16, 100}) {
    const RasterFont f(Request(h, 400, true));
    TestCanvas c(500, 140, kWhite);
    const char* text = "nun";  // no ink of its own below the baseline
    const std::int32_t cx = f.Measure(text, 3).cx;
    Draw(f, c, 10, 5, text, kRed);
    const RasterFontMetrics& m = f.metrics();
    const std::int32_t thickness = m.underline_thickness;
    const std::int32_t top = 5 + m.ascent - m.underline_position - thickness / 2;
    ASSERT_GE(thickness, 1);
    for (std::int32_t y = top; y < top + thickness; ++y) {
      for (std::int32_t x = 10; x < 10 + cx; ++x) ASSERT_EQ(c.At(x, y), kRed) << h << ": " << x << "," << y;
      EXPECT_EQ(c.At(9, y), kWhite);
      EXPECT_EQ(c.At(10 + cx, y), kWhite);
    }
    for (std::int32_t x = 10; x < 10 + cx; ++x) EXPECT_EQ(c.At(x, top + thickness), kWhite);
  }
}

TEST_F(TextDraw, TheFacesGaspTableDecidesAntialiasing) {
  const RasterFont regular(Request(16));
  const RasterFont bold(Request(16, 700));
  const RasterFont large(Request(40));
  EXPECT_FALSE(regular.antialiased());
  EXPECT_TRUE(bold.antialiased());
  EXPECT_TRUE(large.antialiased());
  TestCanvas c(200, 60, kWhite);
  Draw(bold, c, 2, 2, "Smooth");
  std::set<Color> colors;
  for (std::int32_t y = 0; y < c.height(); ++y)
    for (std::int32_t x = 0; x < c.width(); ++x) colors.insert(c.At(x, y));
  EXPECT_GT(colors.size(), 4u);
  EXPECT_TRUE(colors.count(kBlack));
}

TEST_F(TextDraw, FarOffOrHugeTextStaysSafe) {
  TestCanvas c(64, 48, kWhite);
  const RasterFont huge(Request(INT_MAX));
  Draw(huge, c, -300, -200, "WWWW", kBlack, kOpaque, kGreen);
  EXPECT_LE(c.writes(), static_cast<std::size_t>(2 * 64 * 48));
  const RasterFont f(Request(16, 400, true));
  TestCanvas far(64, 48, kWhite);
  Draw(f, far, INT_MAX - 4, INT_MIN, "far", kBlack, kOpaque, kGreen);
  Draw(f, far, INT_MIN, INT_MAX - 3, "far", kBlack, kOpaque, kGreen);
  EXPECT_EQ(far.InkBox(kWhite).right, 0);
  EXPECT_EQ(far.writes(), 0u);
}

TEST_F(TextDraw, NoTextDrawsNothing) {
  const RasterFont f(Request(16, 400, true));
  TestCanvas c(40, 30, kWhite);
  f.Draw(c, 2, 2, "", 0, kBlack, kOpaque, kGreen);
  f.Draw(c, 2, 2, nullptr, 4, kBlack, kOpaque, kGreen);
  f.Draw(c, 2, 2, "abc", -3, kBlack, kOpaque, kGreen);
  EXPECT_EQ(c.writes(), 0u);
}

TEST(TextInk, LevelsMoveEachChannelMonotonicallyFromBackgroundToText) {
  EXPECT_EQ(InkLevelFromCoverage(0), 0);
  EXPECT_EQ(InkLevelFromCoverage(255), kInkLevels);
  for (unsigned c = 1; c < 256; ++c) EXPECT_GE(InkLevelFromCoverage(c), InkLevelFromCoverage(c - 1));

  for (int dst = 0; dst < 256; dst += 15) {
    for (int text = 0; text < 256; text += 17) {
      const InkBlender blend(MakeColor(text, 255 - text, text / 2));
      const Color bg = MakeColor(dst, dst, 255 - dst);
      EXPECT_EQ(blend.Blend(bg, 0), bg);
      EXPECT_EQ(blend.Blend(bg, 1), bg);
      EXPECT_EQ(blend.Blend(bg, kInkLevels), MakeColor(text, 255 - text, text / 2));
      int previous = dst;
      for (unsigned level = 2; level < kInkLevels; ++level) {
        const int r = RedOf(blend.Blend(bg, level));
        EXPECT_GE(r, std::min(dst, text));
        EXPECT_LE(r, std::max(dst, text));
        EXPECT_LE(std::abs(r - text), std::abs(previous - text)) << dst << " " << text << " " << level;
        previous = r;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
