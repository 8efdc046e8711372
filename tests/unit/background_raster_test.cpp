// The background painter's pixels through the portable raster.
#include <gtest/gtest.h>

#include <memory>

#include "appearance/background_painter.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace {

struct RasterPainterTest : ::testing::Test {
  RasterPainterTest() {
    dc = system.CreateCompatibleDC(nullptr);
    bitmap = dc->CreateCompatibleBitmap(100, 3);
    previous = dc->SelectObject(bitmap);
  }
  ~RasterPainterTest() override {
    painter.textureBitmap.Reset();
    dc->SelectObject(previous);
    dc.reset();
    system.DeleteObject(bitmap);
  }
  RasterGraphicsSystem system;
  std::unique_ptr<DeviceContext> dc;
  ObjHandle bitmap = kNoObject, previous = kNoObject;
  CBackgroundPainter painter;
};

TEST_F(RasterPainterTest, GradientPixelsAndTheUntouchedLastColumn) {
  ASSERT_NE(bitmap, kNoObject);
  const IRect all{0, 0, 100, 3};
  const ObjHandle brush = dc->CreateSolidBrush(0x112233);
  dc->FillRect(all, brush);
  dc->DeleteObject(brush);
  painter.pictureWidth = 100;
  painter.pictureHeight = 3;
  painter.fillKind = 1;
  painter.PaintBackground(*dc);
  EXPECT_EQ(dc->GetPixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(dc->GetPixel(98, 1), 0xCFCFCFu);
  EXPECT_EQ(dc->GetPixel(50, 2), 0xA0A0A0u);
  for (int y = 0; y < 3; ++y) EXPECT_EQ(dc->GetPixel(99, y), 0x112233u);

  painter.fillKind = 0;
  painter.firstColor = 0x0000FF;
  painter.PaintBackground(*dc);
  EXPECT_EQ(dc->GetPixel(99, 2), 0x0000FFu);
  EXPECT_EQ(dc->GetBkColor(), 0x0000FFu);  // left as the solid fill set it
}

}  // namespace
}  // namespace corvane
