// BitBlt, AlphaBlend and the 24-bpp DIB layout of the raster layer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "platform/pixel_rows.h"
#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

using raster_test::TestCanvas;

// A second memory context on the same system holding a bitmap of the given kind.
struct Source {
  Source(TestCanvas& c, std::int32_t w, std::int32_t h, bool dib) : sys(c.system) {
    dc = sys.CreateCompatibleDC(nullptr);
    bitmap = dib ? dc->CreateDIBSection24(w, h, &bits) : dc->CreateCompatibleBitmap(w, h);
    old = dc->SelectObject(bitmap);
  }
  ~Source() {
    dc->SelectObject(old);
    dc->DeleteObject(bitmap);
  }
  RasterGraphicsSystem& sys;
  std::unique_ptr<DeviceContext> dc;
  ObjHandle bitmap = kNoObject, old = kNoObject;
  void* bits = nullptr;
};

TEST(RasterBlit, AlphaBlendRoundsToTheNearestValue) {
  TestCanvas c(256, 256);
  Source src(c, 256, 256, true);
  for (int alpha : {0, 1, 2, 64, 127, 128, 200, 254, 255}) {
    // Destination red = x, source red = y: every pair of channel values once.
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        c.dc->SetPixelV(x, y, MakeColor(x, 255 - x, x / 2));
        src.dc->SetPixelV(x, y, MakeColor(y, y / 3, 255 - y));
      }
    ASSERT_TRUE(c.dc->AlphaBlend(0, 0, 256, 256, *src.dc, 0, 0, 256, 256, static_cast<std::uint8_t>(alpha)));
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        const Color got = c.At(x, y);
        const int dst[3] = {x, 255 - x, x / 2};
        const int s[3] = {y, y / 3, 255 - y};
        const int out[3] = {RedOf(got), GreenOf(got), BlueOf(got)};
        for (int ch = 0; ch < 3; ++ch) {
          const int exact255 = s[ch] * alpha + dst[ch] * (255 - alpha);  // 255 x the exact result
          ASSERT_LE(std::abs(out[ch] * 255 - exact255), 127) << alpha << " " << x << "," << y << " ch " << ch;
        }
      }
  }
}

TEST(RasterBlit, AlphaBlendKeepsTheClipAndRefusesSourcesBeyondTheSurface) {
  TestCanvas c(40, 40);
  Source src(c, 20, 20, true);
  const ObjHandle brush = src.dc->CreateSolidBrush(0x000000);
  src.dc->FillRect({0, 0, 20, 20}, brush);
  src.dc->DeleteObject(brush);
  EXPECT_FALSE(c.dc->AlphaBlend(0, 0, 20, 20, *src.dc, 1, 0, 20, 20, 255));
  EXPECT_FALSE(c.dc->AlphaBlend(0, 0, 20, 20, *src.dc, -1, 0, 20, 20, 255));
  EXPECT_FALSE(c.dc->AlphaBlend(0, 0, -5, 20, *src.dc, 0, 0, 20, 20, 255));
  EXPECT_TRUE(c.dc->AlphaBlend(0, 0, 0, 20, *src.dc, 0, 0, 0, 20, 255));
  EXPECT_TRUE(c.Ink().empty());
  const IPoint tri[] = {{0, 0}, {20, 0}, {0, 20}};
  const ObjHandle rgn = c.dc->CreatePolygonRgn(tri, 3);
  c.dc->SelectClipRgn(rgn);
  EXPECT_TRUE(c.dc->AlphaBlend(0, 0, 20, 20, *src.dc, 0, 0, 20, 20, 255));
  c.dc->SelectClipRgn(kNoObject);
  c.dc->DeleteObject(rgn);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) EXPECT_EQ(c.At(x, y) == 0, x + y < 20) << x << "," << y;
}

TEST(RasterBlit, Dib24IsBottomUpBgrWithPaddedRows) {
  TestCanvas c(10, 10);
  c.dc->SetPixelV(0, 2, 0x0000FF);  // red, bottom-left of the copied 5 x 3 block
  c.dc->SetPixelV(4, 0, 0x00FF00);  // green, top-right
  c.dc->SetPixelV(1, 1, 0x563412);
  Source dib(c, 5, 3, true);
  ASSERT_NE(dib.bits, nullptr);
  EXPECT_TRUE(dib.dc->BitBlt(0, 0, 5, 3, *c.dc, 0, 0));
  const auto* b = static_cast<const std::uint8_t*>(dib.bits);
  const int stride = 16;  // 15 bytes rounded up to a multiple of 4
  EXPECT_EQ(b[0], 0x00);
  EXPECT_EQ(b[1], 0x00);
  EXPECT_EQ(b[2], 0xFF);
  EXPECT_EQ(b[2 * stride + 4 * 3 + 1], 0xFF);  // top row is the last in memory
  EXPECT_EQ(b[1 * stride + 3 + 0], 0x56);      // B, G, R order
  EXPECT_EQ(b[1 * stride + 3 + 2], 0x12);
  for (int row = 0; row < 3; ++row) EXPECT_EQ(b[row * stride + 15], 0) << row;  // padding
  // And back: a 24-bpp source copies into a 32-bpp surface unchanged.
  TestCanvas back(10, 10);
  Source dib2(back, 5, 3, true);
  std::memcpy(dib2.bits, dib.bits, static_cast<std::size_t>(stride) * 3);
  EXPECT_TRUE(back.dc->BitBlt(2, 2, 5, 3, *dib2.dc, 0, 0));
  EXPECT_EQ(back.At(2, 4), 0x0000FFu);
  EXPECT_EQ(back.At(3, 3), 0x563412u);
}

TEST(RasterBlit, BitBltCopiesOnlyWhatTheSourceHasAndHandlesOverlap) {
  TestCanvas c(30, 30);
  Source src(c, 10, 10, false);
  const ObjHandle brush = src.dc->CreateSolidBrush(0x0000FF);
  src.dc->FillRect({0, 0, 10, 10}, brush);
  src.dc->DeleteObject(brush);
  EXPECT_TRUE(c.dc->BitBlt(0, 0, 30, 30, *src.dc, 5, -5));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) EXPECT_EQ(c.At(x, y) == 0x0000FF, x < 5 && y >= 5 && y < 15) << x << "," << y;
  // Overlapping copy within one surface reads the pixels as they were before.
  TestCanvas d(20, 1);
  for (int x = 0; x < 20; ++x) d.dc->SetPixelV(x, 0, MakeColor(x, 0, 0));
  EXPECT_TRUE(d.dc->BitBlt(3, 0, 15, 1, *d.dc, 0, 0));
  for (int x = 3; x < 18; ++x) EXPECT_EQ(RedOf(d.At(x, 0)), x - 3);
}

// The packed row copies against a byte at a time, for every remainder of four pixels and
// at odd offsets, with guard bytes on both sides that must stay as they were.
TEST(PixelRowsTest, PackedCopiesMatchBytewiseAndStayInside) {
  std::uint32_t seed = 12345;
  auto next = [&seed] { return static_cast<std::uint8_t>((seed = seed * 1103515245u + 12345u) >> 16); };
  for (std::size_t n = 0; n <= 13; ++n) {
    for (std::size_t offset = 0; offset < 3; ++offset) {
      std::uint8_t src32[80], src24[60], to24[60], to32[80];
      for (auto& b : src32) b = next();
      for (auto& b : src24) b = next();
      std::memset(to24, 0xA5, sizeof to24);
      std::memset(to32, 0x5A, sizeof to32);
      CopyRow32To24(src32 + offset, to24 + offset, n);
      CopyRow24To32Opaque(src24 + offset, to32 + offset, n);
      for (std::size_t i = 0; i < sizeof to24; ++i) {
        const bool inside = i >= offset && i < offset + 3 * n;
        const std::size_t px = (i - offset) / 3, c = (i - offset) % 3;
        EXPECT_EQ(to24[i], inside ? src32[offset + 4 * px + c] : 0xA5) << n << " " << i;
      }
      for (std::size_t i = 0; i < sizeof to32; ++i) {
        const bool inside = i >= offset && i < offset + 4 * n;
        const std::size_t px = (i - offset) / 4, c = (i - offset) % 4;
        const std::uint8_t want = !inside ? 0x5A : c == 3 ? 0xFF : src24[offset + 3 * px + c];
        EXPECT_EQ(to32[i], want) << n << " " << i;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
