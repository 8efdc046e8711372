// HitTest over a chart with a record of every kind: what lies under a pixel, the painting
// order deciding overlaps, ties, hidden records and the edge of the radius.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>
#include <vector>
#include <string>

#include "control/automation.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace {

// Every kind of record, placed so that some of them overlap.
class HitTestOnAChart : public ::testing::Test {
 protected:
  HitTestOnAChart() {
    c.SetSize(400, 300);
    c.SetSegment(0, 10);
    c.put_polygonsCount(2);
    for (const DPoint p : {DPoint{1, 1}, DPoint{3, 1}, DPoint{2, 3}}) c.AddPointToPolygon(1, p.X, p.Y);
    for (const DPoint p : {DPoint{6, 1}, DPoint{8, 1}, DPoint{8, 3}, DPoint{6, 3}})
      c.AddPointToPolygon(2, p.X, p.Y);
    c.SetPolygonVisible(2, kVariantFalse);
    c.AddRectangle(4, 3, 5, 1, 0x00FF00, 0.5);
    c.AddRectangle(4.5, 2, 5.5, 0.5, 0xFF0000, 0.5);  // over the first one
    c.AddRectangle(2.8, 1.5, 3.5, 0.8, 0x0000FF, 0.5);  // over the triangle's right corner
    c.AddMark(7, 4);
    c.AddMark(8.5, 2.8);  // on the candlestick's wick, which is painted over it
    c.AddCandleStick(8, 1, 2, 3, 0.5);
    c.put_plotsCount(6);
    Points(1, {{1, 5}, {2, 6}, {3, 5}});
    Points(2, {{1, 5}, {2, 4}, {3, 5}});  // shares (1, 5) with plot 1 and is painted later
    Points(3, {{5, 8}, {6, 8}, {7, 8}});
    c.SetLinearApproximate(3);  // a horizontal line under the legend
    Points(4, {{0.2, 9}, {0.5, 9.5}});
    c.SetPlotVisible(4, kVariantFalse);
    Points(5, {{12, 6}, {11, 6}});  // beyond the window's right end
    c.SetPointVisible(5, kVariantTrue);
    c.AddLabelToLegend(0x0000FF, u"first", 5);
    c.AddLabelToLegend(0x00FF00, u"second", 6);
    c.put_legendPosition(1);  // top right
  }

  void Points(std::int32_t plot, std::initializer_list<DPoint> pts) {
    for (const DPoint& p : pts) c.AddPointToPlot(plot, p.X, p.Y);
    c.SetSimplePlot(plot);
  }

  // The device position of a world position, as the drawers map it.
  DPoint Pixel(double x, double y) {
    DPoint p{0, 0};
    EXPECT_EQ(c.WorldToPixelX(x, &p.X), kS_OK);
    EXPECT_EQ(c.WorldToPixelY(y, &p.Y), kS_OK);
    return p;
  }

  ChartHit At(DPoint pixel, double radius) {
    ChartHit h;
    h.kind = -1;
    EXPECT_EQ(c.HitTest(pixel.X, pixel.Y, radius, &h), kS_OK);
    return h;
  }

  RasterGraphicsSystem graphics;
  CorvaneAutomation c{graphics};
};

TEST_F(HitTestOnAChart, WhatLiesUnderEachPixel) {
  // A mark added after the layout has no place yet: it is not drawn, so it is not hit.
  Pixel(0, 0);
  c.AddMark(3.5, 8.5);

  struct Case {
    const char* what;
    double x, y;  // world position probed
    double dx, dy;  // then moved by this many pixels
    double radius;
    std::int32_t kind, plot, index;
  };
  const Case cases[] = {
      {"a point", 2, 6, 1, 1, 3, kHitPoint, 1, 2},
      {"a point both plots have: the later plot", 1, 5, 0, 0, 3, kHitPoint, 2, 1},
      {"between two points: the line, its first point", 2.5, 5.5, 0, 0, 2, kHitLine, 1, 2},
      {"a fitted line: no points shown, index 0", 3, 8, 0, 1, 2, kHitLine, 3, 0},
      {"the legend over the fitted line", 9.5, 8, 0, 0, 2, kHitLegendEntry, 0, 2},
      {"inside the triangle", 2, 1.5, 0, 0, 0, kHitPolygon, 0, 1},
      {"a hidden polygon", 7, 2, 0, 0, 1, kHitNothing, 0, 0},
      {"the rectangle over the triangle", 2.9, 1.1, 0, 0, 0, kHitRectangle, 0, 3},
      {"two rectangles: the later", 4.75, 1.5, 0, 0, 0, kHitRectangle, 0, 2},
      {"the earlier rectangle alone", 4.2, 2.8, 0, 0, 0, kHitRectangle, 0, 1},
      {"beside a rectangle, within reach", 5.5, 1, 3, 0, 4, kHitRectangle, 0, 2},
      {"a mark", 7, 4, 1, -1, 2, kHitMark, 0, 1},
      {"a mark under the candlestick", 8.5, 2.8, 0, 0, 2, kHitCandleStick, 0, 1},
      {"a candlestick's body", 8.5, 1.5, 0, 0, 0, kHitCandleStick, 0, 1},
      {"a hidden plot", 0.35, 9.25, 0, 0, 3, kHitNothing, 0, 0},
      {"a point outside the plot area", 12, 6, 0, 0, 3, kHitNothing, 0, 0},
      {"a mark not laid out", 3.5, 8.5, 0, 0, 3, kHitNothing, 0, 0},
      {"empty space", 6, 6, 0, 0, 5, kHitNothing, 0, 0},
  };
  for (const Case& t : cases) {
    DPoint p = Pixel(t.x, t.y);
    p.X += t.dx;
    p.Y += t.dy;
    const ChartHit h = At(p, t.radius);
    EXPECT_EQ(h.kind, t.kind) << t.what;
    EXPECT_EQ(h.plot, t.plot) << t.what;
    EXPECT_EQ(h.index, t.index) << t.what;
  }
}

TEST_F(HitTestOnAChart, ReportsWhereAndHowFar) {
  // A point: its stored coordinates, the distance to its position.
  DPoint p = Pixel(2, 6);
  ChartHit h = At(DPoint{p.X + 3, p.Y + 4}, 6);
  EXPECT_EQ(h.kind, kHitPoint);
  EXPECT_EQ(h.x, 2);
  EXPECT_EQ(h.y, 6);
  EXPECT_DOUBLE_EQ(h.distance, 5);
  // Inside an area: distance 0 and the probe's own world position.
  p = Pixel(4.2, 2.8);
  h = At(p, 0);
  EXPECT_EQ(h.kind, kHitRectangle);
  EXPECT_EQ(h.distance, 0);
  EXPECT_NEAR(h.x, 4.2, 1e-9);
  EXPECT_NEAR(h.y, 2.8, 1e-9);
  // On a line: the nearest place on it, as world coordinates.
  p = Pixel(2.5, 5.5);
  h = At(DPoint{p.X, p.Y - 3}, 5);
  EXPECT_EQ(h.kind, kHitLine);
  double back = 0;
  ASSERT_EQ(c.PixelToWorldY(p.Y - 3, &back), kS_OK);
  EXPECT_GT(h.y, 5.5);  // above the probe's line position, towards the probe
  EXPECT_LT(h.y, back);
  EXPECT_NEAR(h.y - 5.5, -(h.x - 2.5), 1e-9);  // on the segment from (2, 6) to (3, 5)
}

TEST_F(HitTestOnAChart, TheRadiusEdgeCounts) {
  // Straight above plot 1's peak at (2, 6): the point is 5 pixels away, the polyline (2
  // pixels wide) reaches to within 4.
  DPoint p = Pixel(2, 6);
  p.Y -= 5;
  EXPECT_EQ(At(p, 5).kind, kHitPoint);
  const ChartHit line = At(p, 4.5);
  EXPECT_EQ(line.kind, kHitLine);
  EXPECT_DOUBLE_EQ(line.distance, 4);
  EXPECT_EQ(At(p, 4).kind, kHitLine);
  EXPECT_EQ(At(p, 3.99).kind, kHitNothing);
}

TEST_F(HitTestOnAChart, TheFittedCurveThatTheNextRenderDraws) {
  // New points make the fit pending: the hit follows the line the next render draws, while
  // the coefficients read back stay those of the last fit until then.
  double slopeBefore = 0;
  ASSERT_EQ(c.GetA(3, &slopeBefore), kS_OK);
  c.DisposePlot(3);
  Points(3, {{5, 2}, {6, 4}, {7, 6}});
  c.SetLinearApproximate(3);  // the mode call fits at once: y = 2x - 8
  double slope = 0;
  ASSERT_EQ(c.GetA(3, &slope), kS_OK);
  EXPECT_EQ(slope, 2);
  c.AddPointToPlot(3, 8, 0);  // pending: y = -0.4x + 5.6
  const ChartHit pending = At(Pixel(6.5, 3), 1);
  EXPECT_EQ(pending.kind, kHitLine);
  EXPECT_EQ(pending.plot, 3);
  ASSERT_EQ(c.GetA(3, &slope), kS_OK);
  EXPECT_EQ(slope, 2) << "a hit test refits nothing";

  // A parabola: the chain of chords.
  c.DisposePlot(6);
  Points(6, {{5, 7}, {6, 8}, {7, 7}});
  c.SetSquareApproximate(6);
  ChartHit h = At(Pixel(6, 8), 2);
  EXPECT_EQ(h.kind, kHitLine);
  EXPECT_EQ(h.plot, 6);
  EXPECT_EQ(h.index, 0);
  EXPECT_NEAR(h.y, 8, 0.05);
}

TEST_F(HitTestOnAChart, TheUserGridsWindowLimitsThePoints) {
  for (const char16_t* label : {u"a", u"b", u"c"}) c.AddLabelToGrid(label, 1);
  c.SetUserTypeGrid();
  c.DisposePlot(1);
  Points(1, {{2.2, 5}, {2.5, 6}, {2.8, 5}});
  c.SetSegment(2, 3);  // points 2 and 3 of each plot, whatever their X
  EXPECT_EQ(At(Pixel(2.2, 5), 3).kind, kHitNothing);
  const ChartHit h = At(Pixel(2.5, 6), 3);
  EXPECT_EQ(h.kind, kHitPoint);
  EXPECT_EQ(h.plot, 1);
  EXPECT_EQ(h.index, 2);
}

TEST(HitTestInput, BadProbesAreRefused) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation c(graphics);
  ChartHit h;
  h.kind = 42;
  EXPECT_EQ(c.HitTest(1, 1, 1, &h), kS_OK) << "no size: nothing is shown";
  EXPECT_EQ(h.kind, kHitNothing);
  c.SetSize(200, 100);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const double probes[][3] = {{nan, 1, 1}, {1, inf, 1}, {1, 1, -0.5}, {1, 1, 10000.5},
                              {1, 1, nan}, {-inf, 1, 1}};
  h.kind = 42;
  for (const auto& p : probes) EXPECT_EQ(c.HitTest(p[0], p[1], p[2], &h), kE_INVALIDARG);
  EXPECT_EQ(h.kind, 42);
  EXPECT_EQ(c.engine().layoutPassCount, 0u) << "a refused probe lays nothing out";
  EXPECT_EQ(c.HitTest(1, 1, 1, nullptr), kE_POINTER);
  EXPECT_EQ(c.HitTest(1e9, -1e9, 10000, &h), kS_OK);
  EXPECT_EQ(h.kind, kHitNothing);
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// The plain answer for one plot drawn as a polyline: every point, then every segment, in
// order, through the read-back mapping; what the index must find too.
ChartHit WalkEveryPoint(CorvaneAutomation& c, std::int32_t plot, double px, double py,
                        double radius, double reach, const DBox& area) {
  std::int32_t n = 0;
  c.get_PointCount(plot, &n);
  std::vector<DPoint> dev(static_cast<std::size_t>(n));
  for (std::int32_t k = 0; k < n; ++k) {
    double x = 0, y = 0;
    c.get_PointX(plot, k + 1, &x);
    c.get_PointY(plot, k + 1, &y);
    if (!std::isfinite(x) || !std::isfinite(y) || c.WorldToPixelX(x, &dev[k].X) != kS_OK ||
        c.WorldToPixelY(y, &dev[k].Y) != kS_OK)
      dev[k] = DPoint{NAN, NAN};
  }
  ChartHit best;
  auto offer = [&](double d, std::int32_t kind, std::int32_t k) {
    if (d <= radius && (best.kind == kHitNothing || d <= best.distance)) {
      best.kind = kind;
      best.index = k + 1;
      best.plot = plot;
      best.distance = d;
    }
  };
  for (std::int32_t k = 0; k < n; ++k)
    if (std::isfinite(dev[k].X) && Contains(area, dev[k].X, dev[k].Y))
      offer(std::hypot(px - dev[k].X, py - dev[k].Y), kHitPoint, k);
  if (best.kind != kHitNothing) return best;
  for (std::int32_t k = 0; k + 1 < n; ++k) {
    double ax = dev[k].X, ay = dev[k].Y, bx = dev[k + 1].X, by = dev[k + 1].Y;
    if (!ClipSegmentToBox(area, &ax, &ay, &bx, &by)) continue;
    offer(std::fmax(0.0, NearestOnSegment(px, py, ax, ay, bx, by).distance - reach), kHitLine, k);
  }
  return best;
}

// Seeded random plots whose X never decreases -- duplicate X, long flat runs, spikes, gaps --
// probed all over: the index's answer is the walk's, point for point and to the last bit.
TEST(HitTestIndex, FindsWhatAWalkOverEveryPointFinds) {
  RasterGraphicsSystem graphics;
  std::mt19937 random(20261210);
  for (int chart = 0; chart < 12; ++chart) {
    CorvaneAutomation c(graphics);
    c.SetSize(320, 240);
    c.put_plotsCount(1);
    c.SetSimplePlot(1);
    c.put_legendVisible(kVariantFalse);
    const int width = 1 + chart % 4;
    c.SetPlotWidth(1, width);
    const int n = 500 + static_cast<int>(random() % 20000);
    std::vector<double> xs(n), ys(n);
    double x = 0, y = 0;
    for (int k = 0; k < n; ++k) {
      const unsigned kind = random() % 100;
      if (kind >= 20) x += (random() % 4) * 0.25;  // a fifth repeat their X
      if (kind < 5) y += (random() % 2 ? 30.0 : -30.0);  // spikes
      else if (kind < 40) y += 0;                        // flat runs
      else y += std::uniform_real_distribution<double>(-1, 1)(random);
      xs[k] = x;
      ys[k] = kind == 99 ? NAN : y;  // now and then a gap
    }
    ASSERT_EQ(c.AddPointsToPlot(1, xs.data(), ys.data(), n), kS_OK);
    ASSERT_TRUE(c.engine().plots[0].XOrdered());
    // Windows over all of it, and zoomed in to a few points.
    const double span = x > 0 ? x : 1;
    const double from = chart % 3 == 0 ? span * 0.4 : 0;
    const double to = chart % 3 == 0 ? from + span / 200 : span;
    c.SetSegment(from, to);
    // The points in the window, where the targeted probes go.
    const int shownFrom = static_cast<int>(std::lower_bound(xs.begin(), xs.end(), from) - xs.begin());
    const int shownTo = static_cast<int>(std::upper_bound(xs.begin(), xs.end(), to) - xs.begin());
    std::int32_t l = 0, t = 0, r = 0, b = 0;
    c.get_PlotAreaLeft(&l);
    c.get_PlotAreaTop(&t);
    c.get_PlotAreaRight(&r);
    c.get_PlotAreaBottom(&b);
    const DBox area{double(l), double(t), double(r), double(b)};
    for (int probe = 0; probe < 200; ++probe) {
      double px = std::uniform_real_distribution<double>(l - 10, r + 10)(random);
      double py = std::uniform_real_distribution<double>(t - 10, b + 10)(random);
      if (probe % 3 != 0) {
        // Most probes next to the middle of a segment, where the line is what they find.
        const int shown = std::max(1, shownTo - shownFrom - 1);
        const int k = std::min(n - 2, shownFrom + static_cast<int>(random() % shown));
        double ax = 0, ay = 0, bx = 0, by = 0;
        if (c.WorldToPixelX(xs[k], &ax) == kS_OK && c.WorldToPixelX(xs[k + 1], &bx) == kS_OK &&
            c.WorldToPixelY(std::isnan(ys[k]) ? 0 : ys[k], &ay) == kS_OK &&
            c.WorldToPixelY(std::isnan(ys[k + 1]) ? 0 : ys[k + 1], &by) == kS_OK) {
          px = (ax + bx) / 2 + (random() % 5) - 2.0;
          py = (ay + by) / 2 + (random() % 5) - 2.0;
        }
      }
      const double radius = (random() % 12) * 0.75;
      ChartHit got;
      ASSERT_EQ(c.HitTest(px, py, radius, &got), kS_OK);
      const ChartHit want = WalkEveryPoint(c, 1, px, py, radius, width / 2.0, area);
      ASSERT_EQ(got.kind, want.kind) << chart << " at " << px << ", " << py << " r " << radius;
      EXPECT_EQ(got.index, want.index) << chart;
      EXPECT_EQ(got.distance, want.distance) << chart;
    }
  }
}

}  // namespace
}  // namespace corvane

namespace corvane {
namespace {

// Every segment of a long zigzag can be found at its middle, and every point on itself,
// window after window: no range the index splits loses one.
TEST(HitTestIndex, FindsEverySegmentAndEveryPoint) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation c(graphics);
  c.SetSize(400, 300);
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  c.SetPlotWidth(1, 1);
  const int n = 3000;
  std::vector<double> ys(n);
  for (int k = 0; k < n; ++k) ys[k] = k % 2 ? 10 : 0;
  ASSERT_EQ(c.AddPointsToPlot2(1, ys.data(), n), kS_OK);
  for (int from = 1; from < n; from += 8) {
    c.SetSegment(from, from + 8);
    for (int k = from; k < from + 8 && k < n; ++k) {
      double ax = 0, ay = 0, bx = 0, by = 0;
      ASSERT_EQ(c.WorldToPixelX(k, &ax), kS_OK);
      ASSERT_EQ(c.WorldToPixelY(ys[k - 1], &ay), kS_OK);
      ASSERT_EQ(c.WorldToPixelX(k + 1, &bx), kS_OK);
      ASSERT_EQ(c.WorldToPixelY(ys[k], &by), kS_OK);
      ChartHit h;
      ASSERT_EQ(c.HitTest((ax + bx) / 2, (ay + by) / 2, 1, &h), kS_OK);
      EXPECT_EQ(h.kind, kHitLine) << "segment " << k;
      EXPECT_EQ(h.index, k) << "segment " << k;
      ASSERT_EQ(c.HitTest(ax, ay, 1, &h), kS_OK);
      EXPECT_EQ(h.kind, kHitPoint) << "point " << k;
      EXPECT_EQ(h.index, k) << "point " << k;
    }
  }
}

}  // namespace
}  // namespace corvane
