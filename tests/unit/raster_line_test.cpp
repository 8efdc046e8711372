// Cosmetic and wide pen lines of the raster context.
#include <gtest/gtest.h>

#include <cstdint>

#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

using raster_test::PixelSet;
using raster_test::TestCanvas;

// Reference for one-pixel lines, stepping every major-axis position with exact rational
// offsets: a half-way offset rounds toward the start point when an x-major line runs toward
// +y or a y-major line toward +x, away from it otherwise; the end pixel is left out.
PixelSet ReferenceLine(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1, std::int32_t w,
                       std::int32_t h) {
  PixelSet out;
  const std::int64_t dx = x1 - x0, dy = y1 - y0;
  const std::int64_t adx = dx < 0 ? -dx : dx, ady = dy < 0 ? -dy : dy;
  const bool y_major = ady > adx;
  const std::int64_t major = y_major ? ady : adx, minor = y_major ? adx : ady;
  const bool toward_start = y_major ? dx > 0 : dy > 0;
  // Only the major-axis positions on the surface can give visible pixels.
  const std::int64_t a0 = y_major ? y0 : x0;
  const std::int64_t sa = (y_major ? dy : dx) < 0 ? -1 : 1;
  for (std::int64_t a = 0; a < (y_major ? h : w); ++a) {
    const std::int64_t i = (a - a0) * sa;
    if (i < 0 || i >= major) continue;
    const __int128 twice = static_cast<__int128>(2) * i * minor;  // 2 * exact offset * major
    std::int64_t off = static_cast<std::int64_t>(twice / (2 * major));
    const __int128 frac = twice % (2 * major);
    if (frac > major || (frac == major && !toward_start)) ++off;
    std::int64_t x, y;
    if (y_major) {
      y = a;
      x = x0 + (dx < 0 ? -off : off);
    } else {
      x = a;
      y = y0 + (dy < 0 ? -off : off);
    }
    if (x >= 0 && y >= 0 && x < w && y < h) out.insert({static_cast<std::int32_t>(x), static_cast<std::int32_t>(y)});
  }
  return out;
}

TEST(RasterLine, CosmeticLinesMatchTheReferenceInEveryOctant) {
  TestCanvas c(64, 64);
  for (int width : {0, 1}) {
    c.SelectPen(width);
    for (int dx = -9; dx <= 9; ++dx)
      for (int dy = -9; dy <= 9; ++dy) {
        c.Clear();
        c.Line(30, 31, 30 + dx, 31 + dy);
        EXPECT_EQ(c.Ink(), ReferenceLine(30, 31, 30 + dx, 31 + dy, 64, 64)) << dx << "," << dy << " width " << width;
      }
  }
}

TEST(RasterLine, LastPixelLeftOutAndPositionMoves) {
  TestCanvas c(40, 40);
  c.SelectPen(1);
  c.Line(5, 5, 5, 5);
  EXPECT_TRUE(c.Ink().empty());
  c.Line(5, 5, 9, 5);
  EXPECT_EQ(c.Ink(), (PixelSet{{5, 5}, {6, 5}, {7, 5}, {8, 5}}));
  EXPECT_EQ(static_cast<RasterDc&>(*c.dc).CurrentPosition().x, 9);
  // A chain covers every vertex but the last one.
  c.Clear();
  c.dc->MoveToEx(10, 10);
  c.dc->LineTo(12, 10);
  c.dc->LineTo(12, 12);
  EXPECT_EQ(c.Ink(), (PixelSet{{10, 10}, {11, 10}, {12, 10}, {12, 11}}));
}

TEST(RasterLine, HugeCoordinatesKeepExactlyTheVisiblePixels) {
  TestCanvas c(160, 120);
  c.SelectPen(1);
  const std::int64_t cases[][4] = {{-100000, -73100, 100000, 73300},
                                   {50, -1000000, 53, 1000000},
                                   {-1000000, 70, 1000000, 71},
                                   {-2147483647 - 1, -2147483647 - 1, 2147483647, 2147483647},
                                   {-2147483647 - 1, 60, 2147483647, 61},
                                   {40, 2147483647, 41, -2147483647 - 1},
                                   {2147483647, -5, -2147483647 - 1, 100}};
  for (const auto& k : cases) {
    c.Clear();
    c.Line(static_cast<std::int32_t>(k[0]), static_cast<std::int32_t>(k[1]), static_cast<std::int32_t>(k[2]),
           static_cast<std::int32_t>(k[3]));
    const PixelSet ink = c.Ink();
    EXPECT_FALSE(ink.empty()) << k[0] << "," << k[1] << " " << k[2] << "," << k[3];
    EXPECT_EQ(ink, ReferenceLine(k[0], k[1], k[2], k[3], 160, 120)) << k[0] << "," << k[1];
  }
}

TEST(RasterLine, ClipRegionsCutLinesToTheirPixels) {
  TestCanvas c(100, 100);
  c.SelectPen(1);
  const IPoint tri[] = {{0, 0}, {100, 20}, {30, 100}};
  const ObjHandle rgn = c.dc->CreatePolygonRgn(tri, 3);
  c.dc->SelectClipRgn(rgn);
  c.Line(0, 99, 99, 0);
  c.Line(-500, 10, 900, 60);
  c.dc->SelectClipRgn(kNoObject);
  const PixelSet ink = c.Ink();
  // Same lines unclipped, then masked by the region's pixels.
  PixelSet expected;
  for (const auto& p : ReferenceLine(0, 99, 99, 0, 100, 100)) expected.insert(p);
  for (const auto& p : ReferenceLine(-500, 10, 900, 60, 100, 100)) expected.insert(p);
  TestCanvas mask(100, 100);
  const ObjHandle brush = mask.dc->CreateSolidBrush(0);
  const ObjHandle old = mask.dc->SelectObject(brush);
  mask.SelectNullPen();
  mask.dc->Polygon(tri, 3);
  mask.dc->SelectObject(old);
  mask.dc->DeleteObject(brush);
  const PixelSet inside = mask.Ink();
  PixelSet clipped;
  for (const auto& p : expected)
    if (inside.count(p)) clipped.insert(p);
  EXPECT_EQ(ink, clipped);
  c.dc->DeleteObject(rgn);
}

TEST(RasterLine, PolylineEqualsMoveToLineToChain) {
  const IPoint pts[] = {{5, 5}, {60, 20}, {30, 80}, {30, 80}, {150, 110}, {150, 10}, {-40, 60}, {100, 300}};
  const int n = sizeof pts / sizeof pts[0];
  for (int width : {1, 2, 5, 12}) {
    TestCanvas a, b;
    a.SelectPen(width, 0x0000FF);
    b.SelectPen(width, 0x0000FF);
    a.dc->MoveToEx(77, 77);
    EXPECT_TRUE(a.dc->Polyline(pts, n));
    b.dc->MoveToEx(pts[0].x, pts[0].y);
    for (int i = 1; i < n; ++i) b.dc->LineTo(pts[i].x, pts[i].y);
    EXPECT_EQ(a.Pixels(), b.Pixels()) << "width " << width;
    EXPECT_EQ(static_cast<RasterDc&>(*a.dc).CurrentPosition().x, 77);  // Polyline leaves it
  }
  TestCanvas c;
  c.SelectPen(1);
  EXPECT_FALSE(c.dc->Polyline(pts, 1));
  EXPECT_FALSE(c.dc->Polyline(nullptr, 3));
}

TEST(RasterLine, WidePensHaveTheirWidthAndRoundCaps) {
  TestCanvas c(80, 80);
  for (int w = 2; w <= 15; ++w) {
    c.SelectPen(w);
    c.Clear();
    c.Line(20, 40, 60, 40);
    const PixelSet ink = c.Ink();
    // The body spans w rows, centred with the extra row above for even widths ...
    const int top = 40 - w / 2;
    for (int y = top; y < top + w; ++y) EXPECT_TRUE(ink.count({40, y})) << w << " row " << y;
    EXPECT_FALSE(ink.count({40, top - 1}));
    EXPECT_FALSE(ink.count({40, top + w}));
    // ... and the caps reach past both ends on the centre row, rounded off at the corners.
    EXPECT_TRUE(ink.count({60 + (w - 1) / 2, 40})) << w;
    EXPECT_TRUE(ink.count({20 - w / 2, 40})) << w;
    if (w >= 5) {
      EXPECT_FALSE(ink.count({20 - w / 2, top}));
    }
    // Mirror symmetry of a vertical line around its own axis.
    c.Clear();
    c.Line(40, 10, 40, 70);
    const PixelSet vertical = c.Ink();
    for (const auto& p : vertical) EXPECT_TRUE(vertical.count({2 * 40 - p.first - (w % 2 ? 0 : 1), p.second}));
  }
}

TEST(RasterLine, WideLinesFarAwayEqualTheirVisiblePart) {
  for (int w : {3, 8}) {
    TestCanvas near, far;
    near.SelectPen(w);
    far.SelectPen(w);
    near.Line(-1000, 50, 1000, 50);
    far.Line(-2000000000, 50, 2000000000, 50);
    EXPECT_EQ(near.Pixels(), far.Pixels());
    // Along a 3-4-5 direction the body offsets are the same for any multiple.
    near.Clear();
    far.Clear();
    near.Line(-300, -400, 300, 400);
    far.Line(-300000, -400000, 300000, 400000);
    EXPECT_EQ(near.Pixels(), far.Pixels());
  }
}

TEST(RasterLine, LinesMissingTheSurfaceDrawNothing) {
  TestCanvas c;
  for (int w : {1, 4, 1000}) {
    c.SelectPen(w);
    c.Line(-5000, -900, 5000, -800 + (w > 100 ? -2000 : 0));
    c.Line(2147483647, 0, 2147483647, 119);
    EXPECT_TRUE(c.Ink().empty()) << w;
  }
  // A null pen moves the position without drawing.
  c.SelectNullPen();
  c.Line(0, 0, 100, 100);
  EXPECT_TRUE(c.Ink().empty());
  EXPECT_EQ(static_cast<RasterDc&>(*c.dc).CurrentPosition().y, 100);
}

TEST(RasterLine, VeryWidePenCoversTheSurfaceWithoutHanging) {
  TestCanvas c(50, 40);
  c.SelectPen(2000000000, 0x00FF00);
  c.Line(25, 20, 26, 20);
  EXPECT_EQ(c.Ink().size(), 50u * 40u);
}

}  // namespace
}  // namespace corvane
