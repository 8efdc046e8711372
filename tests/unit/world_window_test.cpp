// The world window of the layout pass, the mapping of plot points, the axis origin, the
// segment and scrolling.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "control/chart_engine.h"

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// A 400 x 300 picture with the default margins: plot area (65, 60, 335, 265).
class WorldWindowTest : public ::testing::Test {
 protected:
  WorldWindowTest() { engine.SetSize(400, 300); }

  void AddPlotPoints(int plot, std::initializer_list<DPoint> pts) {
    if (engine.plotsCount < plot + 1) engine.plotsCount = plot + 1;
    for (const DPoint& p : pts) engine.plots[plot].AddPoint(p.X, p.Y);
  }
  void AddRect(double l, double t, double r, double b) {
    CChartRect rect;
    rect.L = l;
    rect.T = t;
    rect.R = r;
    rect.B = b;
    engine.rectangles.Append(rect);
  }
  void AddCandle(double x, double high, double low) {
    CCandleStick c;
    c.X = x;
    c.High = high;
    c.Low = low;
    c.Open = low;
    c.Close = high;
    engine.candlesticks.Append(c);
  }
  void AddLabels(int n) {
    for (int i = 0; i < n; ++i) engine.grid.labels.Append("L" + std::to_string(i));
  }
  const WorldWindow& Layout() {
    engine.LayoutPass();
    return engine.world;
  }

  CChartEngine engine;
};

// Where the drawing puts point k of a plot: the mapping of its layout copies.
DPoint DeviceOf(const CPlotSeries& p, std::int32_t k) {
  PlotMapping m;
  EXPECT_TRUE(MakePlotMapping(p.world, p.left, p.right, p.top, p.bottom, &m));
  const DPoint w = p.PointAt(k);
  return DPoint{m.X(w.X), m.Y(w.Y)};
}

TEST_F(WorldWindowTest, PlotsGetTheTenPercentMarginAndAnEmptyXRangeBecomesMinusOneToOne) {
  AddPlotPoints(0, {{1, 5}, {2, 7}, {3, 6}});
  const WorldWindow& w = Layout();
  EXPECT_EQ(w.xmin, -1);
  EXPECT_EQ(w.xmax, 1);
  EXPECT_DOUBLE_EQ(w.ymin, 4.8);
  EXPECT_DOUBLE_EQ(w.ymax, 7.2);
  // Only X = 1 lies in [-1, 1]: on the right edge of the plot area.
  EXPECT_DOUBLE_EQ(DeviceOf(engine.plots[0], 0).X, 335.0);
  // The repaired x range is kept from now on.
  engine.LayoutPass();
  EXPECT_EQ(engine.world.xmin, -1);
  EXPECT_EQ(engine.world.xmax, 1);
}

TEST_F(WorldWindowTest, SegmentMapsItsFirstPointOntoTheLeftEdge) {
  AddPlotPoints(0, {{1, 5}, {2, 7}, {3, 6}});
  engine.SetSegment(1, 3);
  const WorldWindow& w = Layout();
  EXPECT_EQ(w.xmin, 1);
  EXPECT_EQ(w.xmax, 3);
  const CPlotSeries& plot = engine.plots[0];
  const double sy = (60.0 - 265.0) / (7.2 - 4.8);
  EXPECT_DOUBLE_EQ(DeviceOf(plot, 0).X, 65.0);
  EXPECT_NEAR(DeviceOf(plot, 0).Y, 265.0 + sy * 0.2, 1e-9);
  EXPECT_DOUBLE_EQ(DeviceOf(plot, 2).X, 335.0);
  // The maximum lies a margin (0.2 of 2.4: a twelfth of the height) below the top edge.
  EXPECT_NEAR(DeviceOf(plot, 1).Y, 60.0 + 205.0 / 12.0, 1e-9);
  // The plot keeps its own copies of the window and of the area.
  EXPECT_EQ(plot.world.xmin, 1);
  EXPECT_DOUBLE_EQ(plot.world.ymax, 7.2);
  EXPECT_EQ(plot.left, 65);
  EXPECT_EQ(plot.right, 335);
  EXPECT_EQ(plot.top, 60);
  EXPECT_EQ(plot.bottom, 265);
  EXPECT_EQ(plot.refitPending, 1);
}

TEST_F(WorldWindowTest, DegenerateAndEmptyRanges) {
  // No data at all: the unit window.
  WorldWindow w = Layout();
  EXPECT_EQ(w.xmin, -1);
  EXPECT_EQ(w.xmax, 1);
  EXPECT_EQ(w.ymin, -1);
  EXPECT_EQ(w.ymax, 1);

  // No data but a horizontal range: [-1, 1] vertically, never the reversed sentinel window.
  engine.SetSegment(2, 8);
  w = Layout();
  EXPECT_EQ(w.xmin, 2);
  EXPECT_EQ(w.xmax, 8);
  EXPECT_EQ(w.ymin, -1);
  EXPECT_EQ(w.ymax, 1);

  // All Y equal: one unit either side, no margin.
  AddPlotPoints(0, {{1, 5}, {2, 5}});
  w = Layout();
  EXPECT_EQ(w.ymin, 4);
  EXPECT_EQ(w.ymax, 6);

  // A zero-width segment is widened by one on each side.
  engine.SetSegment(5, 5);
  w = Layout();
  EXPECT_EQ(w.xmin, 4);
  EXPECT_EQ(w.xmax, 6);
}

TEST_F(WorldWindowTest, OverlaysRemoveTheMarginAndCandlesticksBringItBack) {
  AddPlotPoints(0, {{1, 0}, {2, 10}});
  AddRect(0, 20, 1, 5);  // T above the plots, B inside
  WorldWindow w = Layout();
  EXPECT_EQ(w.ymin, 0);
  EXPECT_EQ(w.ymax, 20);

  // A candlestick inside the range changes nothing ...
  AddCandle(1, 15, 2);
  w = Layout();
  EXPECT_EQ(w.ymax, 20);
  // ... one that widens it turns the margin back on.
  AddCandle(2, 30, 12);
  w = Layout();
  EXPECT_DOUBLE_EQ(w.ymin, -3);
  EXPECT_DOUBLE_EQ(w.ymax, 33);

  // Lines and polygons count like rectangles, visible or not.
  CChartLine line;
  line.y1 = -50;
  line.y2 = 1;
  line.enabled = 0;
  engine.lines.Append(line);
  // The margin follows the last widening in scan order (plots, polygons, lines, rectangles,
  // candlesticks): the candlestick's High 30 still comes after the line's -50.
  w = Layout();
  EXPECT_DOUBLE_EQ(w.ymin, -58);
  EXPECT_DOUBLE_EQ(w.ymax, 38);
  CChartPolygon poly;
  poly.points.Append(DPoint{100, 40});
  poly.visible = 0;
  engine.polygons.Append(std::move(poly));
  w = Layout();
  EXPECT_EQ(w.ymin, -50);  // no candlestick widens after the polygon now: no margin
  EXPECT_EQ(w.ymax, 40);

  // Marks never take part; X values of overlays are not looked at.
  engine.marks.Append(CChartMark(1e6, 1e6));
  w = Layout();
  EXPECT_EQ(w.ymax, 40);
  EXPECT_EQ(w.xmin, -1);
}

TEST_F(WorldWindowTest, ScanStartsFromTheSentinelsAndIgnoresNonFiniteValues) {
  AddPlotPoints(0, {{1, 2e7}, {2, 3e7}});
  WorldWindow w = Layout();
  // ymin stays at 1e7: the sentinel is lower than every value.
  EXPECT_DOUBLE_EQ(w.ymin, 1e7 - 2e6);
  EXPECT_DOUBLE_EQ(w.ymax, 3e7 + 2e6);

  engine.plots[0].Dispose();
  AddPlotPoints(0, {{1, kNaN}, {2, 1}, {3, kInf}, {4, 3}, {5, -kInf}});
  AddCandle(1, kNaN, kNaN);
  w = Layout();
  EXPECT_DOUBLE_EQ(w.ymin, 0.8);
  EXPECT_DOUBLE_EQ(w.ymax, 3.2);
  // Only NaN or infinite data: as if there were none.
  engine.plots[0].Dispose();
  AddPlotPoints(0, {{1, kNaN}, {2, kInf}});
  w = Layout();
  EXPECT_EQ(w.ymin, -1);
  EXPECT_EQ(w.ymax, 1);
}

TEST_F(WorldWindowTest, OnlyActivePlotsContributeAndAreMapped) {
  AddPlotPoints(0, {{1, 1}, {2, 2}});
  engine.plots[5].AddPoint(1, 1000);
  engine.plotsCount = 1;
  const WorldWindow w = Layout();
  EXPECT_LT(w.ymax, 10);
  EXPECT_EQ(engine.plots[5].right, -100);  // no layout copies
  EXPECT_EQ(engine.plots[5].grid, nullptr);
  EXPECT_EQ(engine.plots[0].grid, &engine.grid);
  // The grid gets the same window.
  EXPECT_EQ(engine.grid.xmin, w.xmin);
  EXPECT_EQ(engine.grid.ymax, w.ymax);
}

TEST(MapToDeviceTest, StoresTheAreaAndMarksARefitOnlyWhenThePointsHaveAPlace) {
  CPlotSeries plot;
  plot.refitPending = 0;
  plot.world = WorldWindow{0, 3, 0, 3};
  plot.MapToDevice(0, 30, 0, 30);  // no points: nothing to refit
  EXPECT_EQ(plot.refitPending, 0);
  plot.AddPoint(1, 1);
  plot.refitPending = 0;
  plot.world = WorldWindow{2, 2, 0, 1};  // empty: no place for any point
  plot.MapToDevice(1, 2, 3, 4);
  EXPECT_EQ(plot.left, 1);
  EXPECT_EQ(plot.right, 2);
  EXPECT_EQ(plot.top, 3);
  EXPECT_EQ(plot.bottom, 4);
  EXPECT_EQ(plot.refitPending, 0);
  plot.world = WorldWindow{0, 3, 0, 3};
  plot.MapToDevice(0, 30, 0, 30);
  EXPECT_EQ(plot.refitPending, 1);
  EXPECT_DOUBLE_EQ(DeviceOf(plot, 0).X, 10);
  EXPECT_DOUBLE_EQ(DeviceOf(plot, 0).Y, 20);  // device y grows downwards
}

TEST(AxisOriginTest, StraddlingWindowPutsTheOriginAtWorldZero) {
  CChartGrid grid;
  grid.left = 65;
  grid.top = 60;
  grid.right = 335;
  grid.bottom = 265;
  grid.xmin = -10;
  grid.xmax = 10;
  grid.ymin = -5;
  grid.ymax = 5;
  grid.AxisOrigin();
  EXPECT_EQ(grid.originX, 200);
  EXPECT_EQ(grid.originY, 162);  // 162.5 truncated
  EXPECT_EQ(grid.originWorldX, 0.0);
  EXPECT_EQ(grid.originWorldY, 0.0);
}

TEST(AxisOriginTest, OneSidedWindowsClampToTheEdges) {
  CChartGrid grid;
  grid.left = 65;
  grid.top = 60;
  grid.right = 335;
  grid.bottom = 265;
  grid.xmin = 1;
  grid.xmax = 3;
  grid.ymin = 4.8;
  grid.ymax = 7.2;
  grid.AxisOrigin();
  EXPECT_EQ(grid.originX, 65);
  EXPECT_DOUBLE_EQ(grid.originWorldX, 1);
  EXPECT_EQ(grid.originY, 265);
  EXPECT_NEAR(grid.originWorldY, 4.8, 1e-12);

  grid.xmin = -9;
  grid.xmax = -3;
  grid.ymin = -7;
  grid.ymax = -2;
  grid.AxisOrigin();
  EXPECT_EQ(grid.originX, 335);
  EXPECT_NEAR(grid.originWorldX, -3, 1e-12);
  EXPECT_EQ(grid.originY, 60);
  EXPECT_NEAR(grid.originWorldY, -2, 1e-12);
}

TEST(AxisOriginTest, ZeroWidthAreasAndDegenerateWindowsGiveFiniteResults) {
  CChartGrid grid;
  grid.left = grid.right = 65;  // a picture exactly as wide as its margins
  grid.top = grid.bottom = 60;
  grid.xmin = 2;
  grid.xmax = 8;
  grid.ymin = 3;
  grid.ymax = 9;
  grid.AxisOrigin();
  EXPECT_EQ(grid.originX, 65);
  EXPECT_EQ(grid.originY, 60);
  EXPECT_EQ(grid.originWorldX, 2);
  EXPECT_EQ(grid.originWorldY, 9);

  grid.left = 65;
  grid.right = 335;
  grid.top = 60;
  grid.bottom = 265;
  grid.xmin = grid.xmax = 0;
  grid.ymin = grid.ymax = 0;
  grid.AxisOrigin();
  EXPECT_GE(grid.originX, 65);
  EXPECT_LE(grid.originX, 335);
  EXPECT_GE(grid.originY, 60);
  EXPECT_LE(grid.originY, 265);
  EXPECT_TRUE(std::isfinite(grid.originWorldX));
  EXPECT_TRUE(std::isfinite(grid.originWorldY));
}

TEST_F(WorldWindowTest, InvertedPlotAreaAndExtremeSizesLayOutSafely) {
  AddPlotPoints(0, {{1, 5}, {2, 7}});
  engine.SetSize(-5, 0);
  engine.LayoutPass();
  const CChartGrid& g = engine.grid;
  EXPECT_EQ(g.right, -70);
  EXPECT_EQ(g.bottom, -35);
  EXPECT_TRUE(std::isfinite(g.originWorldX));
  EXPECT_TRUE(std::isfinite(g.originWorldY));

  for (auto [w, h] : {std::pair{INT32_MIN, INT32_MAX}, std::pair{INT32_MAX, INT32_MIN}}) {
    engine.SetSize(w, h);
    engine.LayoutPass();
    EXPECT_TRUE(std::isfinite(engine.grid.originWorldX));
  }
}

TEST_F(WorldWindowTest, SetSegmentClampsThePointAndLabelWindows) {
  AddPlotPoints(0, {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}});
  AddPlotPoints(1, {{1, 1}});
  AddLabels(3);
  engine.layoutDirty = 0;
  engine.SetSegment(0.5, 3.9);
  EXPECT_EQ(engine.plots[0].firstIndex, 0);  // -0.5 truncates to 0
  EXPECT_EQ(engine.plots[0].lastIndex, 2);
  EXPECT_EQ(engine.plots[1].lastIndex, 0);  // clamped to its last point
  EXPECT_EQ(engine.grid.firstLabel, 0);
  EXPECT_EQ(engine.grid.lastLabel, 2);
  EXPECT_EQ(engine.layoutDirty, 1);
  EXPECT_EQ(engine.world.xmin, 0.5);
  EXPECT_EQ(engine.world.xmax, 3.9);

  engine.SetSegment(-3, 100);
  EXPECT_EQ(engine.plots[0].firstIndex, 0);
  EXPECT_EQ(engine.plots[0].lastIndex, 4);
  EXPECT_EQ(engine.grid.lastLabel, 2);
  engine.plots[2].AddPoint(1, 1);  // beyond plotsCount: not touched
  engine.SetSegment(1, 1);
  EXPECT_EQ(engine.plots[2].lastIndex, 0);
  EXPECT_EQ(engine.plots[2].refitPending, 1);  // from AddPoint
  engine.plots[2].refitPending = 0;
  engine.SetSegment(2, 3);
  EXPECT_EQ(engine.plots[2].refitPending, 0);
}

TEST_F(WorldWindowTest, ScrollingFollowsTheUserLabelWindow) {
  AddPlotPoints(0, {{1, 1}, {2, 2}, {3, 3}, {4, 4}});
  // Without user labels there is nothing to the right.
  engine.SetSegment(1, 2);
  engine.layoutDirty = 0;
  engine.ScrollRight();
  EXPECT_EQ(engine.world.xmin, 1);
  EXPECT_EQ(engine.layoutDirty, 0);
  // ... but ScrollLeft moves while firstLabel is at least 1.
  engine.SetSegment(5, 10);
  engine.layoutDirty = 0;
  engine.ScrollLeft();
  EXPECT_EQ(engine.world.xmin, 4);
  EXPECT_EQ(engine.world.xmax, 9);
  EXPECT_EQ(engine.grid.firstLabel, 3);
  EXPECT_EQ(engine.layoutDirty, 1);

  AddLabels(5);
  engine.SetSegment(1, 3);  // labels 0..2, points 0..2
  engine.ScrollRight();
  EXPECT_EQ(engine.grid.firstLabel, 1);
  EXPECT_EQ(engine.grid.lastLabel, 3);
  EXPECT_EQ(engine.plots[0].firstIndex, 1);
  EXPECT_EQ(engine.plots[0].lastIndex, 3);
  EXPECT_EQ(engine.world.xmin, 2);
  // The plot's window already ends at its last point: it stays, the labels move on.
  engine.ScrollRight();
  EXPECT_EQ(engine.grid.lastLabel, 4);
  EXPECT_EQ(engine.plots[0].lastIndex, 3);
  EXPECT_EQ(engine.world.xmin, 3);
  // The label window is at its end: nothing moves any more.
  engine.layoutDirty = 0;
  engine.ScrollRight();
  EXPECT_EQ(engine.world.xmin, 3);
  EXPECT_EQ(engine.layoutDirty, 0);

  engine.ScrollLeft();
  engine.ScrollLeft();
  EXPECT_EQ(engine.grid.firstLabel, 0);
  EXPECT_EQ(engine.plots[0].firstIndex, 0);
  EXPECT_EQ(engine.world.xmin, 1);
  engine.layoutDirty = 0;
  engine.ScrollLeft();  // at the start
  EXPECT_EQ(engine.world.xmin, 1);
  EXPECT_EQ(engine.layoutDirty, 0);
}

TEST_F(WorldWindowTest, ExtremeSegmentsNeverOverflowTheWindows) {
  AddPlotPoints(0, {{1, 1}, {2, 2}});
  for (auto [a, b] : {std::pair{kNaN, kNaN}, std::pair{1e300, -1e300}, std::pair{-kInf, kInf},
                      std::pair{3e9, 3e9}, std::pair{-3e9, 3e9}}) {
    engine.SetSegment(a, b);
    AddLabels(2);  // labels appended after the segment are not re-clamped
    for (int i = 0; i < 3; ++i) engine.ScrollRight();
    for (int i = 0; i < 3; ++i) engine.ScrollLeft();
    engine.LayoutPass();
    EXPECT_GE(engine.grid.originX, engine.grid.left);
    EXPECT_LE(engine.grid.originX, engine.grid.right);
    EXPECT_GE(engine.plots[0].firstIndex, 0);
  }
}

}  // namespace
}  // namespace corvane
