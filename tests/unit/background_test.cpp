#include "appearance/background_painter.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "platform/random_sequence.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

// Colours as the log prints them ("CreatePen 1 0xcfcfcf").
std::string PenFor(Color c) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "CreatePen 1 0x%06x", static_cast<unsigned>(c));
  return buf;
}

Color ColorOfPixelCall(const std::string& text) {  // "SetPixelV x y 0xrrggbb"
  return static_cast<Color>(std::stoul(text.substr(text.rfind(' ') + 1), nullptr, 16));
}

struct PainterFixture : ::testing::Test {
  void Size(std::int32_t w, std::int32_t h) {
    painter.pictureWidth = w;
    painter.pictureHeight = h;
  }
  RecordingDc dc{200, 200};  // outlives the painter's texture tile
  CBackgroundPainter painter;
};

TEST_F(PainterFixture, PicturesOfWidthOrHeightOneOrLessGetNoBackground) {
  for (auto [w, h] : {std::pair{1, 500}, std::pair{500, 1}, std::pair{0, 0}, std::pair{-5, 10}}) {
    for (int kind = 0; kind < 3; ++kind) {
      Size(w, h);
      painter.fillKind = kind;
      painter.PaintBackground(dc);
    }
  }
  EXPECT_EQ(dc.log().size(), 0u);
}

TEST_F(PainterFixture, SolidFillsThePictureWithTheFirstColour) {
  Size(120, 80);
  painter.PaintBackground(dc);
  EXPECT_EQ(dc.log().Texts(), (std::vector<std::string>{"SetBkColor 0xffffff",
                                                         "ExtTextOutOpaque 0 0 120 80"}));
  painter.fillKind = 7;  // unknown kinds paint solid too
  painter.firstColor = 0x123456;
  dc.log().Clear();
  painter.PaintBackground(dc);
  EXPECT_EQ(dc.log().calls()[0].text, "SetBkColor 0x123456");
}

TEST_F(PainterFixture, GradientRowsRunFromFirstToSecondColour) {
  Size(100, 3);
  painter.fillKind = 1;
  painter.PaintBackground(dc);
  const std::vector<std::string> pens = dc.log().Named("CreatePen");
  // 255 + (160 - 255) * 0.5 = 207.5 truncates to 0xCF.
  EXPECT_EQ(pens, (std::vector<std::string>{PenFor(0xFFFFFF), PenFor(0xCFCFCF), PenFor(0xA0A0A0)}));
  // Each row stops short of the last column, which keeps what was there.
  EXPECT_EQ(dc.log().Named("MoveToEx"),
            (std::vector<std::string>{"MoveToEx 0 0", "MoveToEx 0 1", "MoveToEx 0 2"}));
  EXPECT_EQ(dc.log().Named("LineTo"),
            (std::vector<std::string>{"LineTo 99 0", "LineTo 99 1", "LineTo 99 2"}));
  // The null pen is selected first and is what every row puts back; no pen survives.
  EXPECT_EQ(dc.log().Named("SelectObject").front(), "SelectObject nullpen");
  EXPECT_EQ(dc.log().Named("SelectObject").back(), "SelectObject nullpen");
  EXPECT_EQ(dc.log().Count("DeleteObject"), 3u);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST_F(PainterFixture, GradientInterpolatesEachChannelOnItsOwn) {
  Size(10, 4);
  painter.fillKind = 1;
  painter.firstColor = 0x102030;   // R 0x30, G 0x20, B 0x10
  painter.secondColor = 0x405060;  // R 0x60, G 0x50, B 0x40
  painter.PaintBackground(dc);
  const std::vector<std::string> pens = dc.log().Named("CreatePen");
  ASSERT_EQ(pens.size(), 4u);
  EXPECT_EQ(pens[0], PenFor(0x102030));
  EXPECT_EQ(pens[1], PenFor(0x203040));  // a third of the way: +0x10 on each channel
  EXPECT_EQ(pens[3], PenFor(0x405060));

  Size(10, 2);
  dc.log().Clear();
  painter.PaintBackground(dc);
  EXPECT_EQ(dc.log().Named("CreatePen"),
            (std::vector<std::string>{PenFor(0x102030), PenFor(0x405060)}));
}

TEST_F(PainterFixture, TextureNoiseStaysInRangeAndChangesBrightnessOnly) {
  Size(100, 50);
  painter.fillKind = 2;
  painter.firstColor = 0xFCFCFC;
  for (int darkens : {0, 1}) {
    ResetRandomForTest();
    painter.textureDarkens = darkens;
    dc.log().Clear();
    painter.PaintBackground(dc);
    const std::vector<std::string> pixels = dc.log().Named("SetPixelV");
    ASSERT_EQ(pixels.size(), 1600u);
    // Column by column: x outer, y inner.
    EXPECT_EQ(pixels[1].substr(0, 14), "SetPixelV 0 1 ");
    EXPECT_EQ(pixels[40].substr(0, 14), "SetPixelV 1 0 ");
    std::set<int> levels;
    for (const std::string& p : pixels) {
      const Color c = ColorOfPixelCall(p);
      const int r = RedOf(c);
      ASSERT_EQ(GreenOf(c), r) << p;
      ASSERT_EQ(BlueOf(c), r) << p;
      if (darkens) {
        ASSERT_GE(r, 0xE4) << p;  // 252 - 24
        ASSERT_LE(r, 0xFC) << p;
      } else {
        ASSERT_GE(r, 0xFC) << p;
        ASSERT_LE(r, 0xFF) << p;  // clamped at 255
      }
      levels.insert(r);
    }
    if (darkens)
      EXPECT_EQ(levels.size(), 25u);  // every noise value 0..24 occurs in 1,600 pixels
    else
      EXPECT_EQ(levels, (std::set<int>{0xFC, 0xFD, 0xFE, 0xFF}));
  }
}

TEST_F(PainterFixture, TextureTilesThePictureFromOneKeptTile) {
  Size(100, 50);
  painter.fillKind = 2;
  painter.PaintBackground(dc);
  const std::vector<std::string> blits = dc.log().Named("BitBlt");
  ASSERT_EQ(blits.size(), 6u);
  const char* expected[] = {"BitBlt 0 0 40 40", "BitBlt 0 40 40 40", "BitBlt 40 0 40 40",
                            "BitBlt 40 40 40 40", "BitBlt 80 0 40 40", "BitBlt 80 40 40 40"};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(blits[i].substr(0, std::string(expected[i]).size()), expected[i]);
    EXPECT_EQ(blits[i].substr(blits[i].size() - 4), " 0 0");
  }
  EXPECT_EQ(dc.log().Named("CreateCompatibleBitmap"),
            (std::vector<std::string>{"CreateCompatibleBitmap 40 40"}));
  const ObjHandle tile = painter.textureBitmap.get();
  EXPECT_NE(tile, kNoObject);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 1u);

  // The next paint replaces the tile; the memory context never outlives the paint.
  painter.PaintBackground(dc);
  EXPECT_NE(painter.textureBitmap.get(), tile);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 1u);
  EXPECT_EQ(dc.log().Count("DeleteDC"), 2u);

  // No tile: nothing painted, the memory context is released all the same.
  dc.recordingSystem().SetRefuseBitmaps(true);
  dc.log().Clear();
  painter.PaintBackground(dc);
  EXPECT_EQ(dc.log().Count("SetPixelV"), 0u);
  EXPECT_EQ(dc.log().Count("BitBlt"), 0u);
  EXPECT_EQ(dc.log().Count("DeleteDC"), 1u);
  EXPECT_FALSE(painter.textureBitmap);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST_F(PainterFixture, EnormousPicturesPaintOnlyWhatTheContextShows) {
  Size(INT32_MAX, INT32_MAX);
  painter.fillKind = 2;
  painter.PaintBackground(dc);
  EXPECT_EQ(dc.log().Count("BitBlt"), 25u);  // 5 x 5 tiles cover 200 x 200
  painter.fillKind = 1;
  dc.log().Clear();
  painter.PaintBackground(dc);
  EXPECT_EQ(dc.log().Count("LineTo"), 200u);
}

}  // namespace
}  // namespace corvane
