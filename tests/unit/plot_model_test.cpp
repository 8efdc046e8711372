// The plot records behind the automation members: numbering, disposal, records beyond the
// active count, mode switches, and the paired arrays of plots and legend.
#include <gtest/gtest.h>

#include <string>

#include "engine_test_support.h"

namespace corvane {
namespace {

class Plots : public ::testing::Test, public testing::AutomationFixtureBase {
 protected:
  CPlotSeries& plot(int n) { return engine().plots[n - 1]; }
};

TEST_F(Plots, ImplicitXCountsThePointsAlreadyThere) {
  chart.AddPointToPlot(1, 10, 5);
  chart.AddPointToPlot(1, 20, 6);
  chart.AddPointToPlot2(1, 7);
  ASSERT_EQ(plot(1).KeptCount(), 3);
  EXPECT_EQ(plot(1).PointAt(2).X, 3.0);
  EXPECT_EQ(plot(1).PointAt(2).Y, 7.0);
  chart.DisposePlot(1);
  chart.AddPointToPlot2(1, 9);
  EXPECT_EQ(plot(1).PointAt(0).X, 1.0);
}

// A capacity keeps the newest points; the numbering of AddPointToPlot2 goes on from every
// point appended, so X keeps rising in a stream.
TEST_F(Plots, CapacityKeepsTheNewestPoints) {
  std::int32_t n = -1;
  EXPECT_EQ(chart.get_PlotCapacity(1, &n), kS_OK);
  EXPECT_EQ(n, 0);
  for (std::int32_t bad : {0, 9, -1}) {
    EXPECT_EQ(chart.get_PlotCapacity(bad, &n), kE_INVALIDARG);
    EXPECT_EQ(chart.put_PlotCapacity(bad, 5), kE_INVALIDARG);
  }
  EXPECT_EQ(chart.get_PlotCapacity(1, nullptr), kE_POINTER);
  EXPECT_EQ(chart.put_PlotCapacity(1, -3), kE_INVALIDARG);
  const double ys[10] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  chart.AddPointsToPlot2(1, ys, 10);
  engine().layoutDirty = 0;
  EXPECT_EQ(chart.put_PlotCapacity(1, 12), kS_OK);  // nothing leaves: the layout stands
  EXPECT_EQ(engine().layoutDirty, 0);
  EXPECT_EQ(chart.put_PlotCapacity(1, 4), kS_OK);
  EXPECT_EQ(engine().layoutDirty, 1);
  chart.get_PlotCapacity(1, &n);
  EXPECT_EQ(n, 4);
  chart.get_PointCount(1, &n);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(plot(1).PointAt(0).X, 7.0);
  chart.AddPointToPlot2(1, 11);
  chart.AddPointsToPlot2(1, ys, 2);
  chart.get_PointCount(1, &n);
  EXPECT_EQ(n, 4);
  EXPECT_EQ(plot(1).PointAt(0).X, 10.0);
  EXPECT_EQ(plot(1).PointAt(3).X, 13.0);
  EXPECT_EQ(plot(1).PointAt(3).Y, 2.0);
  chart.put_PlotCapacity(1, 0);  // keeps them all again, from these four on
  chart.AddPointToPlot2(1, 5);
  chart.get_PointCount(1, &n);
  EXPECT_EQ(n, 5);
  EXPECT_EQ(plot(1).PointAt(4).X, 14.0);
  chart.put_PlotCapacity(1, 2);
  chart.DisposePlot(1);  // the capacity is a setting: it stays
  chart.get_PlotCapacity(1, &n);
  EXPECT_EQ(n, 2);
  chart.AddPointToPlot2(1, 5);
  EXPECT_EQ(plot(1).PointAt(0).X, 1.0);
}

TEST_F(Plots, RecordsBeyondTheActiveCountAreStoredAndConfigured) {
  chart.put_plotsCount(2);
  chart.AddPointToPlot(5, 1, 2);
  chart.SetPlotColor(5, 0x00FF00);
  Color c = 0;
  chart.GetPlotColor(5, &c);
  EXPECT_EQ(c, 0x00FF00u);
  EXPECT_EQ(plot(5).KeptCount(), 1);
  chart.DisposePlot(8);
  EXPECT_EQ(plot(5).KeptCount(), 1);
}

TEST_F(Plots, DisposePlotFreesPointsAndKeepsSettingsAndFits) {
  CPlotSeries& p = plot(3);
  chart.AddPointToPlot(3, 1, 1);
  chart.SetPlotWidth(3, 0);
  chart.SetSquareApproximate(3);
  p.world = WorldWindow{1, 2, 3, 4};
  p.linSlope = 2.5;
  p.lastIndex = 4;
  p.refitPending = 0;
  chart.DisposePlot(3);
  EXPECT_EQ(p.points.ring().capacity(), 0);
  EXPECT_EQ(p.world.xmax, 0.0);
  EXPECT_EQ(p.refitPending, 1);
  EXPECT_EQ(p.plotWidth, 0);
  EXPECT_EQ(p.approximation, 2);
  EXPECT_EQ(p.linSlope, 2.5);
  EXPECT_EQ(p.lastIndex, 4);
}

TEST_F(Plots, ModeMethodsSetTheModeAndFit) {
  for (double x : {1.0, 2.0, 3.0}) chart.AddPointToPlot(1, x, 2 * x - 1);
  chart.SetLinearApproximate(1);
  double a = 0, b = 0;
  chart.GetA(1, &a);
  chart.GetB(1, &b);
  EXPECT_DOUBLE_EQ(a, 2.0);
  EXPECT_DOUBLE_EQ(b, -1.0);
  chart.SetSimplePlot(1);
  chart.GetA(1, &a);
  EXPECT_EQ(a, 0.0);

  for (double x : {1.0, 2.0, 3.0}) chart.AddPointToPlot(2, x, x * x);
  chart.SetSquareApproximate(2);
  EXPECT_EQ(plot(2).approximation, 2);
  chart.GetA(2, &a);
  EXPECT_DOUBLE_EQ(a, 1.0);
}

TEST(PairedArrays, GrowTogetherByDoubling) {
  CPlotSeries p;
  CLegend legend;
  for (int i = 0; i < 100; ++i) {
    p.AddPoint(i, -i);
    legend.Add(static_cast<Color>(i), "entry " + std::to_string(i));
    ASSERT_EQ(legend.labels.count(), legend.colors.count());
  }
  EXPECT_EQ(p.points.ring().capacity(), 128);  // doubling, not one block per append
  EXPECT_EQ(legend.labels.capacity(), 128);
  EXPECT_EQ(p.PointAt(99).Y, -99.0);
  EXPECT_EQ(legend.labels[57], "entry 57");
  EXPECT_EQ(legend.colors[57], 57u);
  legend.Clear();
  EXPECT_EQ(legend.colors.capacity(), 0);
}

}  // namespace
}  // namespace corvane
