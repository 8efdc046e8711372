// Candlesticks: wick and body geometry for unit widths around the body's 2-pixel limit, the
// colour by direction, the per-candle clip, and when a candle takes part in the picture.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "overlay_test_support.h"
#include "overlays/candlestick.h"

namespace corvane {
namespace {

using testing::RasterPicture;
using testing::RecordedChart;

// A candle over x [0, 10], y [0, 100] in a plot area from 100 to 100 + 10 * sx, 20 .. 220.
CCandleStick Candle(std::int32_t sx, double open, double close) {
  CCandleStick c;
  c.X = 2;
  c.Open = open;
  c.Close = close;
  c.High = 90;
  c.Low = 10;
  c.xmin = 0, c.xmax = 10, c.ymin = 0, c.ymax = 100;
  c.left = 100, c.right = 100 + 10 * sx, c.top = 20, c.bottom = 220;
  return c;
}

TEST(CandlestickDraw, WickThenBodyAcrossUnitWidths) {
  struct Case {
    std::int32_t sx;
    std::vector<std::string> calls;  // wick moves, then the body
  };
  // y: High 90 -> 40, Low 10 -> 200, Open 30 -> 160, Close 60 -> 100 (rising).
  const Case cases[] = {
      {50, {"MoveToEx 225 200", "LineTo 225 40", "Rectangle 202 100 249 160"}},
      {5, {"MoveToEx 112 200", "LineTo 112 40", "Rectangle 112 100 114 160"}},  // 2.0 wide
      {4, {"MoveToEx 110 200", "LineTo 110 40"}},                               // wick only
  };
  for (const Case& k : cases) {
    RecordingDc dc;
    Candle(k.sx, 30, 60).Draw(dc);
    std::vector<std::string> got;
    for (const RecordedCall& c : dc.log().calls())
      if (c.Name() == "MoveToEx" || c.Name() == "LineTo" || c.Name() == "Rectangle") got.push_back(c.text);
    EXPECT_EQ(got, k.calls) << "sx " << k.sx;
  }
}

TEST(CandlestickDraw, RisingGreenFallingAndFlatRedWithTheWickColourFrame) {
  struct Case {
    double open, close;
    const char* brush;
  };
  for (const Case& k : {Case{10, 12, "CreateSolidBrush 0x00ff00"}, Case{12, 10, "CreateSolidBrush 0x0000ff"},
                        Case{11, 11, "CreateSolidBrush 0x0000ff"}}) {
    for (std::uint8_t outline : {1, 0}) {
      RecordingDc dc;
      CCandleStick c = Candle(50, k.open, k.close);
      c.hasOutline = outline;
      c.Draw(dc);
      const CallLog& log = dc.log();
      EXPECT_GE(log.Find(k.brush), 0) << k.open << " " << k.close;
      const long body = log.Find("Rectangle");
      ASSERT_GT(body, 0);
      // The frame: the 1-pixel wick-colour pen, or the null pen.
      const long pen = log.Find("CreatePen 1 0xff0000", static_cast<std::size_t>(log.Find("LineTo")));
      ASSERT_GE(pen, 0);
      const std::string selected = log.calls()[static_cast<std::size_t>(body) - 1].text;
      EXPECT_EQ(selected, outline ? "SelectObject " + log.calls()[static_cast<std::size_t>(pen)].result
                                  : std::string("SelectObject nullpen"));
    }
  }
  // A flat body is a rectangle of no height.
  RecordingDc dc;
  Candle(50, 50, 50).Draw(dc);
  EXPECT_EQ(dc.log().Named("Rectangle"), std::vector<std::string>{"Rectangle 202 120 249 120"});
}

TEST(CandlestickDraw, TheWickLeavesOutTheHighPixel) {
  RasterPicture pic(400, 240);
  CCandleStick c = Candle(50, 30, 60);
  c.Draw(pic.dc());
  EXPECT_EQ(pic.At(225, 200), 0xFF0000u);
  EXPECT_EQ(pic.At(225, 41), 0xFF0000u);
  EXPECT_EQ(pic.At(225, 40), 0xFFFFFFu);
  EXPECT_EQ(pic.At(203, 130), 0x00FF00u);  // body inside its frame
}

TEST(CandlestickDraw, UnmappableCopiesAndNaNValuesDrawNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  CCandleStick zero;  // added after the last layout: all copies 0
  zero.High = 5, zero.Low = 1, zero.Open = 2, zero.Close = 3;
  CCandleStick nanHigh = Candle(50, 30, 60);
  nanHigh.High = nan;
  CCandleStick nanOpen = Candle(50, nan, 60);
  CCandleStick hugeWindow = Candle(50, 30, 60);
  hugeWindow.xmin = 1e17, hugeWindow.xmax = 1e17 + 16;  // a scale that overflows nothing
  CCandleStick infiniteWindow = Candle(50, 30, 60);
  infiniteWindow.ymax = std::numeric_limits<double>::infinity();
  struct Case {
    const char* name;
    CCandleStick c;
    std::size_t lines, bodies;
  };
  for (const Case& k : {Case{"zero copies", zero, 0, 0}, Case{"NaN high", nanHigh, 0, 0},
                        Case{"NaN open keeps the wick", nanOpen, 1, 0},
                        Case{"far but finite window", hugeWindow, 1, 0},
                        Case{"infinite window", infiniteWindow, 0, 0}}) {
    RecordingDc dc;
    k.c.Draw(dc);
    EXPECT_EQ(dc.log().Count("LineTo"), k.lines) << k.name;
    EXPECT_EQ(dc.log().Count("Rectangle"), k.bodies) << k.name;
    EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u) << k.name;
  }
}

TEST(CandlestickDraw, EachCandleIsClippedAndJoinsThePictureAtTheNextLayout) {
  RecordedChart r;
  r.chart.SetSegment(0, 10);
  r.chart.AddCandleStick(2, 10, 12, 15, 8);
  EXPECT_EQ(r.Render().Count("Rectangle"), 1u);
  r.chart.AddCandleStick(4, 12, 10, 30, 8);  // no layout: zero copies, range unchanged
  EXPECT_EQ(r.Render().Count("Rectangle"), 1u);
  EXPECT_LT(r.chart.engine().world.ymax, 30);
  r.chart.SetSize(RecordedChart::kWidth, RecordedChart::kHeight);
  const CallLog& log = r.Render();
  EXPECT_EQ(log.Count("Rectangle"), 2u);
  EXPECT_EQ(log.Named("SelectClipRgn").size(), 4u);  // one clip and one restore per candle
  EXPECT_GT(r.chart.engine().world.ymax, 30);        // High 30 plus the 10 % margin

  r.chart.put_candlesticsVisible(0);
  r.chart.AddCandleStick(6, 1, 2, 100, 0);
  r.chart.SetSize(RecordedChart::kWidth, RecordedChart::kHeight);
  EXPECT_EQ(r.Render().Count("Rectangle"), 0u);
  EXPECT_EQ(r.log().Count("LineTo"), 0u);
  EXPECT_GT(r.chart.engine().world.ymax, 100);  // hidden candles still shape the range
}

}  // namespace
}  // namespace corvane
