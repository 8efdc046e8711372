// Show and SaveToFile through the portable raster: real pixels in windows and files.
#include <gtest/gtest.h>

#include "control/automation.h"
#include "platform/raster/raster_system.h"
#include "platform/recording_dc.h"
#include "pipeline_test_files.h"

namespace corvane {
namespace {

using namespace pipeline_testing;

class PresentRasterTest : public ::testing::Test {
 protected:
  RasterGraphicsSystem system;
  CorvaneAutomation chart{system};
};

TEST_F(PresentRasterTest, ShowPaintsTheWindowOnlyOnceThereIsAPicture) {
  const std::int32_t hwnd = system.CreateWindowSurface(80, 60);
  ASSERT_NE(hwnd, 0);
  chart.put_hWnd(hwnd);
  chart.engine().background.firstColor = 0x0000FF;
  ASSERT_EQ(chart.Show(), kS_OK);  // no size yet
  const RasterBitmap* surface = system.WindowSurface(hwnd);
  ASSERT_NE(surface, nullptr);
  EXPECT_EQ(surface->Get(0, 0), 0u);
  EXPECT_EQ(surface->Get(40, 30), 0u);

  chart.SetSize(50, 40);
  chart.engine().background.firstColor = 0x0000FF;
  ASSERT_EQ(chart.Show(), kS_OK);
  surface = system.WindowSurface(hwnd);
  EXPECT_EQ(surface->Get(0, 0), 0x0000FFu);
  EXPECT_EQ(surface->Get(49, 39), 0x0000FFu);
  EXPECT_EQ(surface->Get(50, 39), 0u);  // outside the picture
  EXPECT_EQ(surface->Get(10, 45), 0u);
  EXPECT_EQ(system.LiveObjectCount(), 1u);
}

TEST_F(PresentRasterTest, SavedFileHoldsTheBottomRowFirstInBlueGreenRedOrder) {
  TempDir dir;
  const std::string path = dir.File("grad.bmp");
  CChartEngine& e = chart.engine();
  chart.SetSize(3, 3);
  e.background.fillKind = 1;
  e.background.firstColor = 0x0000FF;   // top row red
  e.background.secondColor = 0x00FF00;  // bottom row green
  ASSERT_EQ(Save(chart, path), kS_OK);
  const std::vector<unsigned char> b = ReadFile(path);
  ASSERT_EQ(b.size(), 54u + 12u * 3u);
  // First row in the file: the bottom picture row, pure green = 00 FF 00 per pixel.
  const unsigned char* bottom = b.data() + 54;
  EXPECT_EQ(bottom[0], 0x00);
  EXPECT_EQ(bottom[1], 0xFF);
  EXPECT_EQ(bottom[2], 0x00);
  const unsigned char* top = b.data() + 54 + 24;
  EXPECT_EQ(top[0], 0x00);  // pure red = 00 00 FF
  EXPECT_EQ(top[1], 0x00);
  EXPECT_EQ(top[2], 0xFF);
  // The gradient leaves the last column as the fresh bitmap had it (black); then padding.
  for (int k = 6; k < 12; ++k) EXPECT_EQ(top[k], 0) << k;

  // A saved picture and a shown one agree.
  const std::int32_t hwnd = system.CreateWindowSurface(3, 3);
  chart.put_hWnd(hwnd);
  chart.Show();
  EXPECT_EQ(system.WindowSurface(hwnd)->Get(0, 0), 0x0000FFu);
  EXPECT_EQ(system.WindowSurface(hwnd)->Get(1, 2), 0x00FF00u);
}

TEST_F(PresentRasterTest, WidthFourNeedsNoPaddingAndHugeSizesFailCleanly) {
  TempDir dir;
  chart.SetSize(4, 2);
  chart.engine().background.firstColor = 0x0000FF;
  ASSERT_EQ(Save(chart, dir.File("w4.bmp")), kS_OK);
  const std::vector<unsigned char> b = ReadFile(dir.File("w4.bmp"));
  ASSERT_EQ(b.size(), 54u + 24u);
  for (std::size_t i = 54; i < b.size(); i += 3) {
    EXPECT_EQ(b[i], 0x00);
    EXPECT_EQ(b[i + 1], 0x00);
    EXPECT_EQ(b[i + 2], 0xFF);
  }

  chart.SetSize(100000, 100000);
  EXPECT_EQ(Save(chart, dir.File("huge.bmp")), kE_OUTOFMEMORY);
  EXPECT_FALSE(Exists(dir.File("huge.bmp")));
  const std::int32_t hwnd = system.CreateWindowSurface(10, 10);
  chart.put_hWnd(hwnd);
  EXPECT_EQ(chart.Show(), kS_OK);
  EXPECT_EQ(system.WindowSurface(hwnd)->Get(5, 5), 0u);
}

// A recording system in front of the raster: the calls are logged and the pixels still land.
TEST(PresentThroughRecordingTest, RecordingForwardsShowToTheRaster) {
  RasterGraphicsSystem raster;
  RecordingGraphicsSystem recording(&raster);
  CorvaneAutomation chart{recording};
  const std::int32_t hwnd = raster.CreateWindowSurface(40, 30);
  chart.put_hWnd(hwnd);
  chart.SetSize(40, 30);
  chart.engine().background.fillKind = 2;  // texture: a tile context and 1,600 pixels
  ASSERT_EQ(chart.Show(), kS_OK);
  EXPECT_EQ(recording.log().Count("SetPixelV"), 1600u);
  EXPECT_EQ(recording.log().Count("BitBlt"), 2u);  // one tile, one copy into the window
  const RasterBitmap* surface = raster.WindowSurface(hwnd);
  ASSERT_NE(surface, nullptr);
  const Color c = surface->Get(39, 29);
  EXPECT_GE(RedOf(c), 0xFF - 24);  // white darkened by at most 24
  EXPECT_EQ(RedOf(c), BlueOf(c));
  chart.Dispose();
}

}  // namespace
}  // namespace corvane
