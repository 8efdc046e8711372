// FillRect, Rectangle, Polygon and the opaque text-background fill of the raster context.
#include <gtest/gtest.h>

#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

using raster_test::PixelSet;
using raster_test::TestCanvas;

PixelSet Box(int l, int t, int r, int b) {
  PixelSet s;
  for (int y = t; y < b; ++y)
    for (int x = l; x < r; ++x) s.insert({x, y});
  return s;
}

PixelSet Frame(int l, int t, int r, int b) {  // one-pixel outline of [l, r) x [t, b)
  PixelSet s = Box(l, t, r, b);
  for (const auto& p : Box(l + 1, t + 1, r - 1, b - 1)) s.erase(p);
  return s;
}

struct Brush {
  Brush(DeviceContext& dc, Color c) : dc_(dc), brush(dc.CreateSolidBrush(c)), old(dc.SelectObject(brush)) {}
  ~Brush() {
    dc_.SelectObject(old);
    dc_.DeleteObject(brush);
  }
  DeviceContext& dc_;
  ObjHandle brush, old;
};

TEST(RasterFill, FillRectExcludesRightAndBottomAndMirrorsInvertedRects) {
  TestCanvas c(60, 60);
  const ObjHandle brush = c.dc->CreateSolidBrush(0x112233);
  EXPECT_TRUE(c.dc->FillRect({10, 10, 20, 15}, brush));
  EXPECT_EQ(c.Ink(), Box(10, 10, 20, 15));
  // An inverted axis fills like a blit of negative extent: from the far edge + 1 through
  // the near edge.
  c.Clear();
  c.dc->FillRect({30, 20, 25, 10}, brush);
  EXPECT_EQ(c.Ink(), Box(26, 11, 31, 21));
  c.Clear();
  c.dc->FillRect({5, 5, 5, 50}, brush);
  c.dc->FillRect({-100, 58, 1000, 1000}, brush);
  EXPECT_EQ(c.Ink(), Box(0, 58, 60, 60));
  EXPECT_FALSE(c.dc->FillRect({0, 0, 5, 5}, c.dc->GetStockNullPen()));  // not a brush
  EXPECT_FALSE(c.dc->FillRect({0, 0, 5, 5}, 12345));                      // not an object
  c.dc->DeleteObject(brush);
  EXPECT_FALSE(c.dc->FillRect({0, 0, 5, 5}, brush));  // deleted
  EXPECT_EQ(c.Ink(), Box(0, 58, 60, 60));
}

TEST(RasterFill, RectangleOutlineAndInteriorEdges) {
  TestCanvas c(60, 60);
  Brush brush(*c.dc, 0x00FF00);
  c.SelectPen(1, 0x0000FF);
  EXPECT_TRUE(c.dc->Rectangle(10, 10, 20, 16));
  PixelSet outline, interior;
  for (const auto& p : c.Ink()) (c.At(p.first, p.second) == 0x0000FF ? outline : interior).insert(p);
  EXPECT_EQ(outline, Frame(10, 10, 20, 16));
  EXPECT_EQ(interior, Box(11, 11, 19, 15));
  // Corners in any order draw the same rectangle.
  const std::vector<Color> straight = c.Pixels();
  c.Clear();
  c.dc->Rectangle(20, 16, 10, 10);
  EXPECT_EQ(c.Pixels(), straight);
  // Without a pen the fill still leaves out the right column and bottom row.
  c.Clear();
  c.SelectNullPen();
  c.dc->Rectangle(10, 10, 20, 16);
  EXPECT_EQ(c.Ink(), Box(10, 10, 19, 15));
  c.Clear();
  c.dc->Rectangle(10, 10, 11, 11);
  EXPECT_TRUE(c.Ink().empty());
}

TEST(RasterFill, PolygonFillConvention) {
  TestCanvas c(60, 60);
  Brush brush(*c.dc, 0x000000);
  c.SelectNullPen();
  const IPoint square[] = {{10, 10}, {20, 10}, {20, 20}, {10, 20}};
  EXPECT_TRUE(c.dc->Polygon(square, 4));
  EXPECT_EQ(c.Ink(), Box(10, 10, 20, 20));
  // A pixel is in when its corner point is inside: a right triangle with legs on the
  // left and top edges keeps (x, y) with (x - 10) + (y - 10) < 10.
  c.Clear();
  const IPoint tri[] = {{10, 10}, {20, 10}, {10, 20}};
  c.dc->Polygon(tri, 3);
  PixelSet expected;
  for (int y = 10; y < 20; ++y)
    for (int x = 10; x < 20; ++x)
      if ((x - 10) + (y - 10) < 10) expected.insert({x, y});
  EXPECT_EQ(c.Ink(), expected);
}

TEST(RasterFill, PolygonAlternateRuleLeavesTheStarCentreOpen) {
  TestCanvas c(100, 100);
  Brush brush(*c.dc, 0x000000);
  c.SelectNullPen();
  const IPoint star[] = {{50, 0}, {80, 95}, {2, 35}, {98, 35}, {20, 95}};
  c.dc->Polygon(star, 5);
  EXPECT_EQ(c.At(50, 55), raster_test::kWhite);  // pentagon in the middle: crossed twice
  EXPECT_NE(c.At(50, 10), raster_test::kWhite);  // a point of the star
  EXPECT_NE(c.At(10, 37), raster_test::kWhite);
}

TEST(RasterFill, PolygonOutlineIsTheClosedLineChain) {
  const IPoint pts[] = {{10, 10}, {50, 15}, {30, 50}};
  for (int w : {1, 4}) {
    TestCanvas a(60, 60), b(60, 60);
    a.SelectPen(w, 0x0000FF);
    b.SelectPen(w, 0x0000FF);
    const ObjHandle old = a.dc->SelectObject(a.dc->GetStockNullPen());
    {
      Brush brush(*a.dc, 0x00FF00);
      a.dc->Polygon(pts, 3);
    }
    a.dc->SelectObject(old);
    {
      Brush brush(*a.dc, 0x00FF00);
      // Pen selected again: the outline goes over the fill.
      a.dc->Polygon(pts, 3);
    }
    {
      Brush brush(*b.dc, 0x00FF00);
      const ObjHandle o = b.dc->SelectObject(b.dc->GetStockNullPen());
      b.dc->Polygon(pts, 3);
      b.dc->SelectObject(o);
    }
    b.dc->MoveToEx(10, 10);
    b.dc->LineTo(50, 15);
    b.dc->LineTo(30, 50);
    b.dc->LineTo(10, 10);
    EXPECT_EQ(a.Pixels(), b.Pixels()) << w;
  }
}

TEST(RasterFill, HugePolygonsFillOnlyTheSurfaceAndFinish) {
  TestCanvas c(50, 40);
  Brush brush(*c.dc, 0x000000);
  c.SelectNullPen();
  const IPoint big[] = {{-2147483647 - 1, -2147483647 - 1}, {2147483647, -2147483647 - 1}, {2147483647, 2147483647},
                        {-2147483647 - 1, 2147483647}};
  EXPECT_TRUE(c.dc->Polygon(big, 4));
  EXPECT_EQ(c.Ink().size(), 50u * 40u);
  // A polygon region of that size is bounded too, and clips like the surface.
  c.Clear();
  const ObjHandle rgn = c.dc->CreatePolygonRgn(big, 4);
  ASSERT_NE(rgn, kNoObject);
  EXPECT_EQ(c.dc->SelectClipRgn(rgn), kSimpleRegion);
  IRect box;
  EXPECT_EQ(c.dc->GetClipBox(&box), kSimpleRegion);
  EXPECT_EQ(box.right, 50);
  EXPECT_EQ(box.bottom, 40);
  c.dc->DeleteObject(rgn);
}

TEST(RasterFill, DegeneratePolygonsAreRefusedOrEmpty) {
  TestCanvas c(40, 40);
  Brush brush(*c.dc, 0x000000);
  c.SelectPen(1, 0x0000FF);
  const IPoint one[] = {{5, 5}};
  EXPECT_FALSE(c.dc->Polygon(one, 1));
  EXPECT_FALSE(c.dc->Polygon(nullptr, 3));
  const IPoint flat[] = {{5, 20}, {30, 20}, {15, 20}};
  EXPECT_TRUE(c.dc->Polygon(flat, 3));
  // No interior: only the outline along the row.
  for (const auto& p : c.Ink()) EXPECT_EQ(p.second, 20);
}

TEST(RasterFill, ExtTextOutOpaqueUsesTheBackgroundColourAndOrdersCorners) {
  TestCanvas c(40, 40);
  EXPECT_EQ(c.dc->SetBkColor(0x0000FF), 0xFFFFFFu);
  EXPECT_TRUE(c.dc->ExtTextOutOpaque({30, 20, 10, 5}));
  EXPECT_EQ(c.Ink(), Box(10, 5, 30, 20));
  EXPECT_EQ(c.At(10, 5), 0x0000FFu);
  const ObjHandle rgn = c.dc->CreateRectRgn(0, 0, 15, 40);
  c.dc->SelectClipRgn(rgn);
  c.dc->SetBkColor(0x00FF00);
  c.dc->ExtTextOutOpaque({0, 30, 40, 35});
  c.dc->SelectClipRgn(kNoObject);
  c.dc->DeleteObject(rgn);
  EXPECT_EQ(c.At(14, 30), 0x00FF00u);
  EXPECT_EQ(c.At(15, 30), raster_test::kWhite);
}

}  // namespace
}  // namespace corvane
