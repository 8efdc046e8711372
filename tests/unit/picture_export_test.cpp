// The picture members of the portable API against SaveToFile and the raster's own pixels:
// the PNG decodes to the BMP's pixels, the DIB is the BMP's pixel block, and the BGRA buffer
// holds the picture bitmap's pixels wherever the chart lands in it.
#include <gtest/gtest.h>
#include <png.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "control/automation.h"
#include "platform/random_sequence.h"
#include "platform/raster/raster_system.h"
#include "pipeline_test_files.h"

namespace corvane {
namespace {

using namespace pipeline_testing;

HResult SavePng(CorvaneAutomation& chart, const std::string& path) {
  const std::u16string name = U16(path);
  return chart.SaveToPng(name.data(), static_cast<std::uint32_t>(name.size()));
}

// The PNG's pixels in the BMP's layout (rows bottom-up, B G R, padded to 4 bytes); empty
// when the file is not an 8-bit RGB PNG.
std::vector<unsigned char> PngAsBmpPixels(const std::string& path, std::int32_t* w,
                                          std::int32_t* h) {
  const std::vector<unsigned char> file = ReadFile(path);
  // IHDR: bit depth 8, colour type 2 (RGB), no interlace.
  if (file.size() < 33 || file[24] != 8 || file[25] != 2 || file[28] != 0) return {};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return {};
  image.format = PNG_FORMAT_BGR;
  *w = static_cast<std::int32_t>(image.width);
  *h = static_cast<std::int32_t>(image.height);
  const std::int32_t stride = static_cast<std::int32_t>(BmpStride(*w));
  std::vector<unsigned char> pixels(static_cast<std::size_t>(stride) * image.height);
  // A negative stride asks for the rows bottom-up.
  if (!png_image_finish_read(&image, nullptr, pixels.data(), -stride, nullptr)) return {};
  return pixels;
}

void BuildChart(CorvaneAutomation& chart, std::int32_t w, std::int32_t h, std::int32_t fill) {
  chart.SetSize(w, h);
  chart.put_plotsCount(3);
  // Each export renders anew, and grid labels sample their background at random places.
  chart.put_gridVisible(3);
  chart.engine().background.fillKind = fill;
  std::vector<double> y(400);
  for (std::size_t i = 0; i < y.size(); ++i) y[i] = std::sin(double(i) / 20.0) * 50.0 + double(i % 7);
  chart.AddPointsToPlot2(1, y.data(), y.size());
  chart.SetPlotWidth(2, 3);
  chart.AddPointsToPlot2(2, y.data(), 50);
  chart.SetSquareApproximate(2);
  chart.put_preset(7);
  chart.AddMark(100, 10);
  const std::u16string label = u"legend";
  chart.AddLabelToLegend(0xFF, label.data(), static_cast<std::uint32_t>(label.size()));
}

struct PictureCase {
  const char* name;
  std::int32_t width, height, fill;
};

const PictureCase kPictures[] = {
    {"one pixel", 1, 1, 0},   {"three by two", 3, 2, 1},     {"padded rows", 101, 37, 1},
    {"chart", 800, 600, 1},   {"texture", 320, 240, 2},
};

// A render at the size of the last one draws into the same picture, aliased or antialiased:
// nothing of the earlier render may show through (a gradient leaves the last column as the
// picture held it, and tiny pictures get no background at all).
TEST(PictureExport, ARenderIntoTheKeptPictureDrawsWhatAFreshOneDraws) {
  RasterGraphicsSystem system;
  bool antialias = false;
  auto finalPicture = [&](const PictureCase& c, bool renderedBefore) {
    CorvaneAutomation chart(system);
    BuildChart(chart, c.width, c.height, c.fill);
    chart.put_Antialias(antialias);
    const std::u16string caption = u"a caption wider than any of these pictures";
    chart.put_caption(caption.data(), static_cast<std::uint32_t>(caption.size()));
    std::vector<std::uint8_t> pixels(std::size_t{4} * c.width * c.height);
    // Both charts take the same calls; only one renders between them.
    chart.put_captionVisible(-1);
    chart.put_preset(3);
    if (renderedBefore)
      EXPECT_EQ(chart.DrawTo(pixels.data(), c.width, c.height, 4 * c.width, 0, 0), kS_OK);
    chart.put_captionVisible(0);
    chart.put_preset(7);
    ResetRandomForTest();
    EXPECT_EQ(chart.DrawTo(pixels.data(), c.width, c.height, 4 * c.width, 0, 0), kS_OK);
    return pixels;
  };
  for (bool smooth : {false, true}) {
    antialias = smooth;
    for (const PictureCase& c : kPictures)
      EXPECT_TRUE(finalPicture(c, true) == finalPicture(c, false)) << c.name << (smooth ? ", antialiased" : "");
  }
}

TEST(PictureExport, PngDecodesToTheBitmapFilesPixels) {
  TempDir dir;
  for (const PictureCase& c : kPictures) {
    RasterGraphicsSystem system;
    CorvaneAutomation chart(system);
    BuildChart(chart, c.width, c.height, c.fill);
    const std::string bmp = dir.File("chart.bmp"), png = dir.File("chart.png");
    ASSERT_EQ(Save(chart, bmp), kS_OK) << c.name;
    ASSERT_EQ(SavePng(chart, png), kS_OK) << c.name;
    const std::vector<unsigned char> file = ReadFile(bmp);
    std::int32_t w = 0, h = 0;
    const std::vector<unsigned char> decoded = PngAsBmpPixels(png, &w, &h);
    EXPECT_EQ(w, c.width) << c.name;
    EXPECT_EQ(h, c.height) << c.name;
    ASSERT_EQ(decoded.size() + 54, file.size()) << c.name;
    EXPECT_TRUE(std::equal(decoded.begin(), decoded.end(), file.begin() + 54)) << c.name;
    if (c.width * c.height >= 800 * 600) {
      EXPECT_LT(ReadFile(png).size() * 10, file.size()) << "a chart's PNG is a small fraction";
    }
  }
}

TEST(PictureExport, PictureIsTheBitmapFilesPixelBlock) {
  TempDir dir;
  for (const PictureCase& c : kPictures) {
    RasterGraphicsSystem system;
    CorvaneAutomation chart(system);
    BuildChart(chart, c.width, c.height, c.fill);
    ASSERT_EQ(Save(chart, dir.File("chart.bmp")), kS_OK);
    DibPicture picture;
    ASSERT_EQ(chart.get_Picture(&picture), kS_OK) << c.name;
    EXPECT_EQ(picture.width, c.width);
    EXPECT_EQ(picture.height, c.height);
    const std::vector<unsigned char> file = ReadFile(dir.File("chart.bmp"));
    ASSERT_EQ(picture.bits.size() + 54, file.size()) << c.name;
    EXPECT_TRUE(std::equal(picture.bits.begin(), picture.bits.end(), file.begin() + 54)) << c.name;
  }
}

// Where the chart lands in a caller's buffer, and what stays untouched around it.
struct Placement {
  const char* name;
  std::int32_t bufferWidth, bufferHeight, x, y;
  std::ptrdiff_t extraStride;
};

TEST(PictureExport, BgraBufferHoldsTheRastersPixelsWhereTheChartLands) {
  const Placement placements[] = {
      {"exact", 120, 90, 0, 0, 0},          {"inside with padding", 200, 150, 30, 20, 12},
      {"clipped left and top", 100, 80, -25, -15, 0}, {"clipped right and bottom", 150, 100, 70, 40, 4},
      {"wholly outside", 50, 50, 60, 0, 0}, {"far outside", 50, 50, INT32_MIN, INT32_MAX, 0},
      {"empty buffer", 0, 0, 0, 0, 0},
  };
  constexpr std::uint32_t kUntouched = 0x5A5A5A5Au;
  RasterGraphicsSystem system;
  CorvaneAutomation chart(system);
  BuildChart(chart, 120, 90, 2);
  for (const Placement& p : placements) {
    const std::ptrdiff_t stride = std::ptrdiff_t{4} * p.bufferWidth + p.extraStride;
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(stride) * p.bufferHeight + 1, 0x5A);
    ASSERT_EQ(chart.DrawTo(p.bufferWidth ? buffer.data() : nullptr, p.bufferWidth, p.bufferHeight,
                           stride, p.x, p.y),
              kS_OK)
        << p.name;
    std::int32_t w = 0, h = 0;
    std::vector<std::uint32_t> picture;
    ASSERT_TRUE(system.ReadBitmap(chart.pictureBitmap(), &w, &h, &picture));
    ASSERT_EQ(w, 120);
    for (std::int32_t by = 0; by < p.bufferHeight; ++by) {
      for (std::int32_t bx = 0; bx < p.bufferWidth; ++bx) {
        std::uint32_t got;
        std::memcpy(&got, buffer.data() + by * stride + 4 * bx, 4);
        const std::int64_t cx = std::int64_t{bx} - p.x, cy = std::int64_t{by} - p.y;
        std::uint32_t want = kUntouched;
        if (cx >= 0 && cy >= 0 && cx < w && cy < h) {
          want = 0xFF000000u | RasterBitmap::ToNative(picture[cy * w + cx]);
        }
        ASSERT_EQ(got, want) << p.name << " at " << bx << "," << by;
      }
    }
    EXPECT_EQ(buffer.back(), 0x5A) << p.name << ": nothing beyond the last row";
  }
}

TEST(PictureExport, FailuresLeaveFilesAndThePictureAsTheyWere) {
  TempDir dir;
  RasterGraphicsSystem system;
  CorvaneAutomation chart(system);
  BuildChart(chart, 40, 30, 0);
  const std::string png = dir.File("kept.png");
  ASSERT_EQ(SavePng(chart, png), kS_OK);
  const std::vector<unsigned char> kept = ReadFile(png);
  const ObjHandle picture = chart.pictureBitmap();
  std::uint32_t pixel = 0;
  const std::u16string empty;
  const std::u16string embedded(u"\0x.png", 6);

  struct Failure {
    const char* name;
    std::function<HResult()> call;
    HResult expected;
  } const failures[] = {
      {"empty name", [&] { return chart.SaveToPng(empty.data(), 0); }, kE_INVALIDARG},
      {"null name", [&] { return chart.SaveToPng(nullptr, 5); }, kE_INVALIDARG},
      {"name ending at once", [&] { return chart.SaveToPng(embedded.data(), 6); }, kE_INVALIDARG},
      {"negative buffer", [&] { return chart.DrawTo(&pixel, -1, 1, 4, 0, 0); }, kE_INVALIDARG},
      {"short stride", [&] { return chart.DrawTo(&pixel, 2, 1, 7, 0, 0); }, kE_INVALIDARG},
      {"negative stride", [&] { return chart.DrawTo(&pixel, 1, 1, -4, 0, 0); }, kE_INVALIDARG},
      {"null buffer", [&] { return chart.DrawTo(nullptr, 1, 1, 4, 0, 0); }, kE_POINTER},
      {"null picture", [&] { return chart.get_Picture(nullptr); }, kE_POINTER},
  };
  for (const Failure& f : failures) {
    EXPECT_EQ(f.call(), f.expected) << f.name;
    EXPECT_EQ(chart.pictureBitmap(), picture) << f.name << ": no rendering";
  }
  EXPECT_EQ(pixel, 0u);
  // The file system's failure, after the rendering.
  EXPECT_EQ(SavePng(chart, dir.File("no/such.png")), HResultFromWin32(kErrorPathNotFound));
  EXPECT_FALSE(Exists(dir.File("no")));

  // A picture of no size: the size failures of SaveToFile, with nothing written.
  for (std::int32_t w : {0, -5}) {
    chart.SetSize(w, 30);
    EXPECT_EQ(SavePng(chart, png), kE_INVALIDARG);
    DibPicture dib;
    dib.width = 7;
    EXPECT_EQ(chart.get_Picture(&dib), kE_INVALIDARG);
    EXPECT_EQ(dib.width, 7);
    EXPECT_EQ(chart.DrawTo(&pixel, 1, 1, 4, 0, 0), kE_INVALIDARG);
  }
  // Too large for any bitmap: no picture can be made.
  chart.SetSize(40000, 40000);
  EXPECT_EQ(SavePng(chart, png), kE_OUTOFMEMORY);
  EXPECT_EQ(ReadFile(png), kept);
  EXPECT_EQ(pixel, 0u);
}

}  // namespace
}  // namespace corvane
