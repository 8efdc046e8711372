#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "engine_test_support.h"
#include "platform/recording_dc.h"
#include "plot_test_support.h"
#include "series/linear_system.h"
#include "series/plot_series.h"

namespace corvane {
namespace {

struct FitFixture : ::testing::Test, testing::AutomationFixtureBase {
  double A(int i = 1) { double v = -99; chart.GetA(i, &v); return v; }
  double B(int i = 1) { double v = -99; chart.GetB(i, &v); return v; }
  double C(int i = 1) { double v = -99; chart.GetC(i, &v); return v; }
  void Add(std::initializer_list<std::pair<double, double>> pts, int i = 1) {
    for (auto [x, y] : pts) chart.AddPointToPlot(i, x, y);
  }
  void Render() {
    RecordingDc dc(400, 300);
    engine().RenderChart(&dc);
  }
};

TEST_F(FitFixture, NewPlotReportsZeroInEveryMode) {
  EXPECT_EQ(A(), 0.0);  // linear, the initial mode
  chart.SetSquareApproximate(1);
  EXPECT_EQ(A(), 0.0);
  EXPECT_EQ(B(), 0.0);
  EXPECT_EQ(C(), 0.0);
  chart.SetSimplePlot(1);
  EXPECT_EQ(A(), 0.0);
}

TEST_F(FitFixture, WorkedExamples) {
  Add({{1, 1}, {2, 3}, {3, 5}});
  chart.SetLinearApproximate(1);
  EXPECT_EQ(A(), 2.0);
  EXPECT_EQ(B(), -1.0);
  EXPECT_EQ(C(), 0.0);

  chart.DisposePlot(1);
  Add({{1, 1}, {2, 4}, {3, 9}});
  chart.SetSquareApproximate(1);
  EXPECT_EQ(A(), 1.0);
  EXPECT_EQ(B(), 0.0);
  EXPECT_EQ(C(), 0.0);
}

TEST_F(FitFixture, FailedFitsKeepTheLastCoefficients) {
  Add({{1, 1}, {2, 3}, {3, 5}});
  chart.SetLinearApproximate(1);
  chart.SetSquareApproximate(1);
  const CPlotSeries& p = engine().plots[0];
  const double lin[2] = {p.linSlope, p.linIntercept};
  const double quad[3] = {p.quadA, p.quadB, p.quadC};
  EXPECT_NEAR(quad[1], 2.0, 1e-9);  // collinear points: a = 0, b = 2, c = -1
  EXPECT_NEAR(quad[2], -1.0, 1e-9);

  chart.DisposePlot(1);  // disposing keeps the fits
  EXPECT_EQ(p.quadB, quad[1]);
  // Same X twice: D = 0 for the line; too few points for the parabola.
  Add({{4, 1}, {4, 7}});
  chart.SetLinearApproximate(1);
  EXPECT_EQ(A(), 2.0);
  EXPECT_EQ(p.linSlope, lin[0]);
  EXPECT_EQ(p.linIntercept, lin[1]);
  chart.SetSquareApproximate(1);
  EXPECT_EQ(p.quadA, quad[0]);
  EXPECT_EQ(p.quadB, quad[1]);
  EXPECT_EQ(p.quadC, quad[2]);
}

TEST_F(FitFixture, SimpleModeReportsZeroUntilAFitModeReturns) {
  Add({{1, 1}, {2, 3}, {3, 5}});
  chart.SetLinearApproximate(1);
  chart.SetSimplePlot(1);
  EXPECT_EQ(A(), 0.0);
  EXPECT_EQ(B(), 0.0);
  Add({{4, 9}});  // the refit includes it: (1,1) (2,3) (3,5) (4,9) -> 2.6 x - 2
  chart.SetLinearApproximate(1);
  EXPECT_NEAR(engine().plots[0].linSlope, 2.6, 1e-12);
  EXPECT_NEAR(engine().plots[0].linIntercept, -2.0, 1e-12);
  EXPECT_NE(A(), 0.0);
}

TEST_F(FitFixture, CoefficientsAreCutTowardZeroToTheGridDecimals) {
  CPlotSeries& p = engine().plots[0];
  p.approximation = 1;
  p.linSlope = 0.999999;
  p.linIntercept = -2.4567;
  EXPECT_EQ(A(), 0.99);  // no grid yet: 2 decimals
  EXPECT_EQ(B(), -2.45);
  p.grid = &engine().grid;
  chart.put_gridDigitsAfterPoint(0);
  p.linSlope = 2.9;
  p.linIntercept = -2.9;
  EXPECT_EQ(A(), 2.0);
  EXPECT_EQ(B(), -2.0);
  chart.put_gridDigitsAfterPoint(4);
  p.linSlope = 1.23456789;
  EXPECT_EQ(A(), 1.2345);
}

TEST_F(FitFixture, LargeScaledValuesAreCutNotWrapped) {
  CPlotSeries& p = engine().plots[0];
  p.approximation = 2;
  p.quadA = 3.0e7 + 0.126;  // 3.0000000126e9 at 2 decimals: beyond a 32-bit int
  p.quadB = -1.0e12 - 0.5;
  p.quadC = 1e300;
  EXPECT_DOUBLE_EQ(A(), 3.0e7 + 0.12);
  EXPECT_DOUBLE_EQ(B(), -1.0e12 - 0.5);
  EXPECT_EQ(C(), 1e300);
  p.grid = &engine().grid;
  engine().grid.digitsAfterPoint = 40;  // a stray field value: no runaway scale
  p.quadA = 1.5;
  EXPECT_EQ(A(), 1.5);
  // A fit of non-finite data reports what it computed.
  p.quadA = std::numeric_limits<double>::quiet_NaN();
  p.quadB = -std::numeric_limits<double>::infinity();
  EXPECT_TRUE(std::isnan(A()));
  EXPECT_EQ(B(), -std::numeric_limits<double>::infinity());
}

TEST_F(FitFixture, HiddenAndInactivePlotsAreNotRefittedByRendering) {
  chart.SetSize(400, 300);
  chart.put_plotsCount(1);
  Add({{1, 1}, {2, 3}, {3, 5}});
  Add({{1, 1}, {2, 3}, {3, 5}}, 2);  // beyond plotsCount
  chart.SetPlotVisible(1, kVariantFalse);
  Render();
  EXPECT_EQ(engine().plots[0].linSlope, 0.0);
  EXPECT_EQ(engine().plots[1].linSlope, 0.0);
  chart.SetPlotVisible(1, kVariantTrue);
  Render();  // nothing changed the layout, but the plot's refit is still pending
  EXPECT_EQ(engine().plots[0].refitPending, 0);
  EXPECT_EQ(A(), 2.0);
  EXPECT_EQ(engine().plots[1].linSlope, 0.0);
}

// The device fits describe the same curve as the world fits, seen through the mapping.
TEST_F(FitFixture, DeviceFitsAreTheWorldFitsMapped) {
  chart.SetSize(400, 300);
  chart.put_plotsCount(1);
  chart.SetSegment(0, 20);
  for (int i = 0; i < 21; ++i) chart.AddPointToPlot(1, i, 0.3 * i * i - 2 * i + std::sin(i));
  Render();
  const CPlotSeries& p = engine().plots[0];
  const double sx = double(p.right - p.left) / (p.world.xmax - p.world.xmin);
  const double sy = double(p.top - p.bottom) / (p.world.ymax - p.world.ymin);
  auto worldLine = [&](double X) { return p.linSlope * X + p.linIntercept; };
  auto worldQuad = [&](double X) { return (p.quadA * X + p.quadB) * X + p.quadC; };
  for (double X : {0.0, 7.5, 20.0}) {
    const double dx = p.left + sx * (X - p.world.xmin);
    EXPECT_NEAR(p.devSlope * dx + p.devIntercept, p.bottom + sy * (worldLine(X) - p.world.ymin),
                1e-5);
    EXPECT_NEAR((p.devA * dx + p.devB) * dx + p.devC, p.bottom + sy * (worldQuad(X) - p.world.ymin),
                1e-5);
  }
}

TEST_F(FitFixture, SegmentWindowFitsStillUseEveryPoint) {
  chart.SetSize(400, 300);
  chart.put_plotsCount(1);
  chart.SetUserTypeGrid();
  for (int i = 1; i <= 30; ++i) chart.AddPointToPlot2(1, i <= 10 ? 2.0 * i : 50.0 - i);
  chart.SetSegment(1, 10);  // points 1..10 lie on y = 2x; the rest do not
  Render();
  const CPlotSeries& p = engine().plots[0];
  const double sx = double(p.right - p.left) / (p.world.xmax - p.world.xmin);
  const double sy = double(p.top - p.bottom) / (p.world.ymax - p.world.ymin);
  // Slope of the whole data in device units, not the window's 2 * sy / sx.
  EXPECT_NEAR(p.devSlope, p.linSlope * sy / sx, 1e-9);
  EXPECT_GT(std::fabs(p.devSlope - 2 * sy / sx), 0.1);
}

TEST(CurveFit, OnePassRefitEqualsTheFourSeparateFits) {
  testing::SplitMix rng(5);
  for (int trial = 0; trial < 20; ++trial) {
    CPlotSeries a, b;
    const int n = int(rng.Range(2, 500));
    for (int i = 0; i < n; ++i) {
      const double x = (rng.Unit() - 0.5) * 1e3, y = (rng.Unit() - 0.5) * 1e5;
      a.AddPoint(x, y);
      b.AddPoint(x, y);
    }
    for (CPlotSeries* p : {&a, &b}) {
      p->world = WorldWindow{-600, 700, -6e4, 5e4};
      p->left = 65, p->right = 735, p->top = 60, p->bottom = 565;
    }
    a.FitDeviceQuadratic();
    a.FitWorldQuadratic();
    a.FitDeviceLinear();
    a.FitWorldLinear();
    b.RefitAll();
    // Bit for bit: the one-pass sums must be the same sums in the same order.
    for (auto field : {&CPlotSeries::devA, &CPlotSeries::devB, &CPlotSeries::devC,
                       &CPlotSeries::quadA, &CPlotSeries::quadB, &CPlotSeries::quadC,
                       &CPlotSeries::devSlope, &CPlotSeries::devIntercept, &CPlotSeries::linSlope,
                       &CPlotSeries::linIntercept}) {
      ASSERT_EQ(std::memcmp(&(a.*field), &(b.*field), sizeof(double)), 0) << "trial " << trial;
    }
    if (n >= 3) {
      EXPECT_NE(b.quadA, 0.0);
    }
  }
}

TEST(CurveFit, DegenerateWindowCopyLeavesTheDeviceFitsAlone) {
  CPlotSeries p;
  for (int i = 0; i < 5; ++i) p.AddPoint(i, 3 * i);
  p.devSlope = 7;
  p.devA = 8;
  p.world = WorldWindow{1, 1, 0, 10};
  p.RefitAll();
  EXPECT_EQ(p.devSlope, 7);
  EXPECT_EQ(p.devA, 8);
  EXPECT_DOUBLE_EQ(p.linSlope, 3.0);
}

TEST(LinearSystem, CramerSolvesAndRefusesASingularMatrix) {
  CLinearSystem s;
  const double m[3][3] = {{2, 1, -1}, {-3, -1, 2}, {-2, 1, 2}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) s.SetElement(r, c, m[r][c]);
  s.SetRightSide(0, 8);
  s.SetRightSide(1, -11);
  s.SetRightSide(2, -3);
  ASSERT_TRUE(s.Solve3());
  EXPECT_NEAR(s.Solution(0), 2, 1e-12);
  EXPECT_NEAR(s.Solution(1), 3, 1e-12);
  EXPECT_NEAR(s.Solution(2), -1, 1e-12);
  // The matrix is left as it was.
  EXPECT_EQ(s.Element(1, 0), -3);
  EXPECT_EQ(s.Determinant3(), -1);
  // The 2x2 block has its own determinant, cached value or not.
  EXPECT_EQ(s.Determinant2(), 1);

  s.SetElement(2, 0, 4);  // row 3 = row 1 * 2
  s.SetElement(2, 1, 2);
  s.SetElement(2, 2, -2);
  EXPECT_FALSE(s.Solve3());
  EXPECT_NEAR(s.Solution(1), 3, 1e-12);  // untouched
  // Indices outside the matrix are ignored.
  s.SetElement(3, 0, 1);
  s.SetElement(-1, 2, 1);
  EXPECT_EQ(s.Element(3, 0), 0.0);
}

}  // namespace
}  // namespace corvane
