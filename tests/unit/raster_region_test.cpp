// Regions and clipping of the raster layer.
#include <gtest/gtest.h>

#include "platform/raster/raster_polygon_scan.h"
#include "platform/raster/raster_region.h"
#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

using raster_test::TestCanvas;

bool Same(const IRect& a, const IRect& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST(RasterRegion, RectRegionsNormaliseAndReportTheirKind) {
  const RasterRegion r = RasterRegion::FromRect(30, 40, 10, 20);
  EXPECT_TRUE(Same(r.Bounds(), {10, 20, 30, 40}));
  EXPECT_EQ(r.Kind(), kSimpleRegion);
  EXPECT_TRUE(r.Contains(10, 20));
  EXPECT_FALSE(r.Contains(30, 20));  // right edge exclusive
  EXPECT_FALSE(r.Contains(10, 40));  // bottom edge exclusive
  EXPECT_EQ(RasterRegion::FromRect(5, 5, 5, 9).Kind(), kNullRegion);
}

TEST(RasterRegion, IntersectionKeepsOnlyCommonPixels) {
  const IPoint tri[] = {{0, 0}, {40, 0}, {0, 40}};
  const RasterRegion a = PolygonRegion(tri, 3);
  const RasterRegion b = RasterRegion::FromRect(10, 5, 50, 50);
  const RasterRegion both = a.Intersect(b);
  for (int y = -2; y < 45; ++y)
    for (int x = -2; x < 55; ++x) EXPECT_EQ(both.Contains(x, y), a.Contains(x, y) && b.Contains(x, y)) << x << "," << y;
  EXPECT_EQ(both.Kind(), kComplexRegion);
  EXPECT_TRUE(a.Intersect(RasterRegion::FromRect(100, 100, 200, 200)).empty());
  // Identical rows share bands: a rectangle region built from a square polygon is one band.
  const IPoint square[] = {{3, 4}, {13, 4}, {13, 9}, {3, 9}};
  EXPECT_TRUE(PolygonRegion(square, 4) == RasterRegion::FromRect(3, 4, 13, 9));
}

TEST(RasterRegion, SelectClipRgnCopiesAndNullRemovesTheClip) {
  TestCanvas c(50, 40);
  IRect box;
  EXPECT_EQ(c.dc->GetClipBox(&box), kSimpleRegion);
  EXPECT_TRUE(Same(box, {0, 0, 50, 40}));
  const ObjHandle rgn = c.dc->CreateRectRgn(10, 10, 20, 20);
  EXPECT_EQ(c.dc->SelectClipRgn(rgn), kSimpleRegion);
  EXPECT_TRUE(c.dc->DeleteObject(rgn));  // the context holds a copy, not the region
  c.FillThroughClip(0x000000);
  c.dc->SelectClipRgn(kNoObject);
  int black = 0;
  for (const auto& p : c.Ink()) {
    EXPECT_TRUE(p.first >= 10 && p.first < 20 && p.second >= 10 && p.second < 20);
    ++black;
  }
  EXPECT_EQ(black, 100);
  EXPECT_EQ(c.dc->GetClipBox(&box), kSimpleRegion);
  EXPECT_TRUE(Same(box, {0, 0, 50, 40}));
  EXPECT_EQ(c.dc->SelectClipRgn(rgn), kRegionError);  // deleted handle
}

TEST(RasterRegion, AndClippingIntersectsAndClipBoxFollowsGdi) {
  TestCanvas c(50, 40);
  const ObjHandle a = c.dc->CreateRectRgn(-30, 5, 30, 35);
  const ObjHandle b = c.dc->CreateRectRgn(10, -20, 45, 25);
  // Without a clip, AND takes the region itself.
  EXPECT_EQ(c.dc->ExtSelectClipRgnAnd(a), kSimpleRegion);
  EXPECT_EQ(c.dc->ExtSelectClipRgnAnd(b), kSimpleRegion);
  IRect box;
  EXPECT_EQ(c.dc->GetClipBox(&box), kSimpleRegion);
  EXPECT_TRUE(Same(box, {10, 5, 30, 25}));
  c.FillThroughClip(0x000000);
  c.dc->SelectClipRgn(kNoObject);
  EXPECT_EQ(c.Ink().size(), 20u * 20u);
  // A clip wholly off the surface: a null region and the empty overlap of the boxes.
  const ObjHandle off = c.dc->CreateRectRgn(-50, -50, -10, 30);
  EXPECT_EQ(c.dc->SelectClipRgn(off), kSimpleRegion);
  EXPECT_EQ(c.dc->GetClipBox(&box), kNullRegion);
  EXPECT_TRUE(Same(box, {0, 0, -10, 30}));
  EXPECT_EQ(c.dc->GetPixel(0, 0), kInvalidColor);
  // Parts of the clip off the surface still widen the box, as in GDI.
  // Here a wedge above the surface reaches x = 2; on the surface the region is [20, 40).
  const IPoint wedge[] = {{20, -30}, {40, -30}, {40, 30}, {20, 30}, {20, -5}, {2, -20}};
  const ObjHandle n = c.dc->CreatePolygonRgn(wedge, 6);
  c.Clear();
  EXPECT_EQ(c.dc->SelectClipRgn(n), kComplexRegion);
  EXPECT_EQ(c.dc->GetClipBox(&box), kComplexRegion);
  EXPECT_TRUE(Same(box, {2, 0, 40, 30}));
  c.FillThroughClip(0x000000);
  for (const auto& p : c.Ink(raster_test::kWhite)) EXPECT_GE(p.first, 20);
  EXPECT_EQ(c.dc->ExtSelectClipRgnAnd(12345), kRegionError);
  for (ObjHandle h : {a, b, off, n}) c.dc->DeleteObject(h);
}

TEST(RasterRegion, GetPixelAnswersInvalidOutsideSurfaceOrClip) {
  TestCanvas c(20, 20);
  c.dc->SetPixelV(5, 5, 0x123456);
  EXPECT_EQ(c.dc->GetPixel(5, 5), 0x123456u);
  EXPECT_EQ(c.dc->GetPixel(-1, 5), kInvalidColor);
  EXPECT_EQ(c.dc->GetPixel(20, 5), kInvalidColor);
  const ObjHandle rgn = c.dc->CreateRectRgn(0, 0, 5, 5);
  c.dc->SelectClipRgn(rgn);
  EXPECT_EQ(c.dc->GetPixel(5, 5), kInvalidColor);
  EXPECT_EQ(c.dc->GetPixel(4, 4), raster_test::kWhite);
  EXPECT_TRUE(c.dc->SetPixelV(6, 6, 0));  // succeeds, but the clip keeps the pixel
  c.dc->SelectClipRgn(kNoObject);
  EXPECT_EQ(c.dc->GetPixel(6, 6), raster_test::kWhite);
  c.dc->DeleteObject(rgn);
}

}  // namespace
}  // namespace corvane
