// The raster layer's fast constant-alpha blend against the plain per-channel formula, on
// seeded random pixels, clips and offsets.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "platform/raster/raster_blend.h"
#include "platform/raster/raster_polygon_scan.h"
#include "plot_test_support.h"
#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

using raster_test::TestCanvas;
using testing::SplitMix;

TEST(RasterBlend, RowsMatchThePlainFormulaInEveryLayout) {
  SplitMix rng(404);
  for (int dstBytes : {3, 4}) {
    for (int srcBytes : {3, 4}) {
      for (int alpha = 0; alpha < 256; ++alpha) {
        const auto n = static_cast<std::int32_t>(rng.Range(0, 37));
        std::vector<std::uint8_t> dst(static_cast<std::size_t>(n * dstBytes + 1));
        std::vector<std::uint8_t> src(static_cast<std::size_t>(n * srcBytes + 1));
        for (auto& b : dst) b = static_cast<std::uint8_t>(rng.Next());
        for (auto& b : src) b = static_cast<std::uint8_t>(rng.Next());
        const std::vector<std::uint8_t> before = dst;
        BlendRow(dst.data(), dstBytes, src.data(), srcBytes, n, static_cast<std::uint8_t>(alpha));
        for (std::int32_t i = 0; i < n; ++i) {
          for (int ch = 0; ch < 3; ++ch) {
            const std::size_t d = static_cast<std::size_t>(i * dstBytes + ch);
            const std::size_t s = static_cast<std::size_t>(i * srcBytes + ch);
            ASSERT_EQ(dst[d], BlendChannel(src[s], before[d], alpha))
                << dstBytes << "<-" << srcBytes << " alpha " << alpha << " pixel " << i;
          }
          if (dstBytes == 4 && srcBytes == 3) {
            ASSERT_EQ(dst[static_cast<std::size_t>(i * 4 + 3)], before[static_cast<std::size_t>(i * 4 + 3)]);
          }
        }
        ASSERT_EQ(dst.back(), before.back()) << "wrote past the run";
      }
    }
  }
}

TEST(RasterBlend, AlphaBlendThroughPolygonClipsMatchesThePixelRule) {
  SplitMix rng(7);
  for (int round = 0; round < 40; ++round) {
    TestCanvas c(97, 61);
    for (std::int32_t y = 0; y < 61; ++y)
      for (std::int32_t x = 0; x < 97; ++x)
        c.dc->SetPixelV(x, y, static_cast<Color>(rng.Next() & 0xFFFFFF));
    const bool dib = round % 2 == 0;
    auto src = c.system.CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const ObjHandle bmp = dib ? src->CreateDIBSection24(50, 40, &bits) : src->CreateCompatibleBitmap(50, 40);
    const ObjHandle old = src->SelectObject(bmp);
    for (std::int32_t y = 0; y < 40; ++y)
      for (std::int32_t x = 0; x < 50; ++x) src->SetPixelV(x, y, static_cast<Color>(rng.Next() & 0xFFFFFF));

    IPoint pts[6];
    for (IPoint& p : pts) p = {static_cast<std::int32_t>(rng.Range(-20, 117)), static_cast<std::int32_t>(rng.Range(-20, 81))};
    const ObjHandle rgn = c.dc->CreatePolygonRgn(pts, 6);
    c.dc->SelectClipRgn(rgn);
    const auto x = static_cast<std::int32_t>(rng.Range(-30, 90)), y = static_cast<std::int32_t>(rng.Range(-30, 55));
    const auto sx = static_cast<std::int32_t>(rng.Range(0, 20)), sy = static_cast<std::int32_t>(rng.Range(0, 15));
    const auto w = static_cast<std::int32_t>(rng.Range(1, 50 - sx)), h = static_cast<std::int32_t>(rng.Range(1, 40 - sy));
    const auto alpha = static_cast<std::uint8_t>(rng.Range(0, 255));

    const std::vector<Color> before = c.Pixels();
    ASSERT_TRUE(c.dc->AlphaBlend(x, y, w, h, *src, sx, sy, w, h, alpha));
    const RasterBitmap& from = *c.system.BitmapOf(bmp);
    const RasterRegion region = PolygonRegion(pts, 6);
    for (std::int32_t py = 0; py < 61; ++py) {
      for (std::int32_t px = 0; px < 97; ++px) {
        const Color d = before[static_cast<std::size_t>(py * 97 + px)];
        Color want = d;
        if (px >= x && px < x + w && py >= y && py < y + h && region.Contains(px, py)) {
          const Color s = from.Get(sx + px - x, sy + py - y);
          want = MakeColor(BlendChannel(RedOf(s), RedOf(d), alpha), BlendChannel(GreenOf(s), GreenOf(d), alpha),
                           BlendChannel(BlueOf(s), BlueOf(d), alpha));
        }
        ASSERT_EQ(c.At(px, py), want) << "round " << round << " at " << px << "," << py;
      }
    }
    c.dc->SelectClipRgn(kNoObject);
    c.dc->DeleteObject(rgn);
    src->SelectObject(old);
    src->DeleteObject(bmp);
  }
}

}  // namespace
}  // namespace corvane
