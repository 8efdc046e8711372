// CTextLabel and CPointLabel: placement around the anchor, the dot, the box, what the context
// gets back, and the background test on real pixels. The recording context measures
// 8 pixels per byte by the font's height, so "12345" in a 14-pixel font is 40 x 14.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "appearance/text_label.h"
#include "platform/random_sequence.h"
#include "platform/recording_dc.h"
#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

CPointLabel FortyByFourteen() {
  CPointLabel label;
  label.text = "12345";
  label.height = 14;
  return label;
}

TEST(PointLabel, NinePlacementsAroundTheAnchorAndTheCornerForTheRest) {
  struct Case {
    std::int32_t placement;
    const char* textOut;
  };
  const Case cases[] = {
      {0, "TextOutA 53 26 \"12345\""},   {1, "TextOutA 80 29 \"12345\""},
      {2, "TextOutA 107 29 \"12345\""},  {3, "TextOutA 53 57 \"12345\""},
      {4, "TextOutA 80 57 \"12345\""},   {5, "TextOutA 107 57 \"12345\""},
      {6, "TextOutA 53 43 \"12345\""},   {7, "TextOutA 107 43 \"12345\""},
      {8, "TextOutA 80 43 \"12345\""},   {9, "TextOutA 0 0 \"12345\""},
      {-1, "TextOutA 0 0 \"12345\""},
  };
  for (const Case& c : cases) {
    RecordingDc dc(400, 300);
    CPointLabel label = FortyByFourteen();
    label.placement = c.placement;
    label.showDot = 0;  // placement 0 still leaves room for the dot's radius
    label.Draw(100, 50, dc);
    EXPECT_EQ(dc.log().Named("TextOutA"), std::vector<std::string>{c.textOut}) << c.placement;
    EXPECT_EQ(label.anchorX, 100);
    EXPECT_EQ(label.anchorY, 50);
  }
}

TEST(PointLabel, DotIsASquareOfTwiceTheRadiusEvenWithoutText) {
  struct Case {
    std::int32_t radius;
    std::uint8_t show;
    const char* text;
    const char* dot;  // "" for none
    std::size_t textOuts;
  };
  const Case cases[] = {
      {3, 1, "12345", "FillRect 97 47 103 53", 1},
      {3, 1, "", "FillRect 97 47 103 53", 0},
      {0, 1, "12345", "SetPixelV 100 50 0x0000ff", 1},
      {-4, 1, "", "SetPixelV 100 50 0x0000ff", 0},
      {3, 0, "12345", "", 1},
      {INT32_MAX, 1, "", "FillRect -2147483547 -2147483597 2147483647 2147483647", 0},
  };
  for (const Case& c : cases) {
    RecordingDc dc(400, 300);
    CPointLabel label = FortyByFourteen();
    label.text = c.text;
    label.dotRadius = c.radius;
    label.showDot = c.show;
    label.dotColor = 0x0000FF;
    label.Draw(100, 50, dc);
    const CallLog& log = dc.log();
    std::string dot;
    if (log.Count("FillRect")) dot = log.Named("FillRect")[0].substr(0, log.Named("FillRect")[0].rfind(' '));
    if (log.Count("SetPixelV")) dot = log.Named("SetPixelV")[0];
    EXPECT_EQ(dot, c.dot) << c.radius << " " << c.text;
    EXPECT_EQ(log.Count("TextOutA"), c.textOuts);
    EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
  }
}

TEST(TextLabel, BoxFramesTheTextAndTheContextIsGivenBack) {
  RecordingDc dc(400, 300);
  dc.SetTextColor(0x123456);
  dc.SetBkMode(kOpaque);
  CTextLabel label;
  label.text = "12345";
  label.height = 14;
  label.noBox = 0;
  label.textColor = 0x00FF00;
  dc.log().Clear();
  label.Draw(10, 20, dc);
  const CallLog& log = dc.log();
  EXPECT_EQ(log.Named("Rectangle"), std::vector<std::string>{"Rectangle 9 19 51 35"});
  EXPECT_EQ(log.Named("CreatePen"), std::vector<std::string>{"CreatePen 1 0x000000"});
  EXPECT_EQ(log.Named("CreateSolidBrush"), std::vector<std::string>{"CreateSolidBrush 0xccffff"});
  EXPECT_EQ(log.Named("CreateFontA")[0], "CreateFontA 14 400 0 0");
  EXPECT_LT(log.Find("Rectangle"), log.Find("TextOutA"));  // box first, text on it
  EXPECT_EQ(dc.GetTextColor(), 0x123456u);
  EXPECT_EQ(dc.GetBkMode(), kOpaque);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);

  // An empty text draws neither box nor text, and creates nothing.
  dc.log().Clear();
  label.text.clear();
  label.Draw(10, 20, dc);
  EXPECT_EQ(dc.log().size(), 0u);
}

TEST(TextLabel, BackgroundTestDrawsXThenYAndStopsAtTheFirstFailingSample) {
  // A blank recording context answers 0 inside the surface: a uniform background, so every
  // one of the 16 x 3 = 48 samples is read, each taking two numbers of the sequence.
  RecordingDc dc(400, 300);
  CTextLabel label;
  label.text = "ab";
  label.height = 3;
  dc.SelectObject(dc.CreateFontA(label.Font()));  // as Draw has it selected
  dc.log().Clear();
  ResetRandomForTest();
  EXPECT_TRUE(label.IsBackgroundUniform(20, 30, dc));
  const std::vector<std::string> reads = dc.log().Named("GetPixel");
  ASSERT_EQ(reads.size(), 49u);
  EXPECT_EQ(reads[0], "GetPixel 20 30");
  // The first pair of the sequence from state 1 is 41, 18467: x from the first.
  EXPECT_EQ(reads[1], "GetPixel " + std::to_string(20 + 41 * 16 / 32768) + " " +
                          std::to_string(30 + 18467 * 3 / 32768));
  std::uint32_t state = 1;
  for (int k = 0; k < 96; ++k) state = state * 214013u + 2531011u;
  EXPECT_EQ(NextRandom(), static_cast<int>(((state * 214013u + 2531011u) >> 16) & 0x7FFF));

  // Over a dark band the test ends at the first sample that lands on it.
  raster_test::TestCanvas canvas(200, 100);
  canvas.SelectPen(1, 0x000000);
  for (std::int32_t y = 40; y < 60; ++y) canvas.Line(0, y, 200, y);
  RecordingDc over(canvas.dc.get());
  label.text = "a long label over a band";
  label.height = 16;
  ResetRandomForTest();
  EXPECT_FALSE(label.IsBackgroundUniform(10, 30, over));
  const std::vector<RecordedCall>& calls = over.log().calls();
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls.back().result, "0x000000");  // the failing sample is the last read
  for (std::size_t k = 0; k + 1 < calls.size(); ++k)
    if (calls[k].Name() == "GetPixel") {
      EXPECT_EQ(calls[k].result, "0xffffff") << k;
    }
}

TEST(TextLabel, CheckedLabelKeepsToUniformBackgroundsInsideThePicture) {
  raster_test::TestCanvas canvas(300, 120);
  CPointLabel label;
  label.text = "-12.50";
  label.height = 15;
  label.showDot = 0;
  label.checkBackground = 1;
  label.placement = 7;
  const auto inkAt = [&](std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    int n = 0;
    for (std::int32_t y = y0; y < y1; ++y)
      for (std::int32_t x = x0; x < x1; ++x) n += canvas.At(x, y) == 0x000000;
    return n;
  };
  ResetRandomForTest();
  label.Draw(10, 20, *canvas.dc);  // flat white: written
  EXPECT_GT(inkAt(15, 5, 80, 35), 10);

  // A grey line right through the text rectangle: suppressed.
  canvas.SelectPen(1, 0x808080);
  canvas.Line(0, 80, 300, 80);
  label.Draw(10, 80, *canvas.dc);
  EXPECT_EQ(inkAt(15, 65, 80, 95), 0);

  // A faint line within the threshold (R+G+B 75 below white) does not stop it.
  canvas.SelectPen(1, 0xE6E6E7);
  canvas.Line(150, 20, 300, 20);
  label.Draw(150, 20, *canvas.dc);
  EXPECT_GT(inkAt(155, 5, 230, 35), 10);

  // Partly outside the picture: reads there are no uniform background.
  canvas.Clear();
  label.Draw(260, 50, *canvas.dc);
  EXPECT_EQ(inkAt(260, 35, 300, 65), 0);
  // A box is drawn before the test, which then finds it uniform: text over a dark line.
  label.noBox = 0;
  canvas.SelectPen(1, 0x000000);
  canvas.Line(0, 50, 300, 50);
  label.Draw(10, 50, *canvas.dc);
  EXPECT_GT(inkAt(18, 44, 40, 57), 10);
}

}  // namespace
}  // namespace corvane
