// Argument checks of the automation members: ranges, booleans, indices, null out-pointers.
#include <gtest/gtest.h>

#include <limits>

#include "engine_test_support.h"

namespace corvane {
namespace {

class Checks : public ::testing::Test, public testing::AutomationFixtureBase {};

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST_F(Checks, RangeCheckedPropertiesKeepTheirValueOnBadInput) {
  CChartEngine& e = engine();
  for (std::int32_t bad : {0, 9, -1, kMin, kMax}) chart.put_plotsCount(bad);
  EXPECT_EQ(e.plotsCount, 0);
  chart.put_plotsCount(8);
  EXPECT_EQ(e.plotsCount, 8);

  chart.put_arrowLineWidth(16);
  chart.put_arrowLineWidth(0);
  EXPECT_EQ(e.xArrow.width, 2);
  chart.put_arrowLineWidth(15);
  EXPECT_EQ(e.xArrow.width, 15);
  EXPECT_EQ(e.yArrow.width, 15);

  chart.put_gridVerticalLines(0);
  chart.put_gridHorizontalLines(-3);
  EXPECT_EQ(e.grid.verticalLines, 4);
  EXPECT_EQ(e.grid.horizontalLines, 6);
  chart.put_gridVerticalLines(1);
  EXPECT_EQ(e.grid.verticalLines, 1);

  chart.put_gridDigitsAfterPoint(7);
  chart.put_gridDigitsAfterPoint(-1);
  EXPECT_EQ(e.grid.digitsAfterPoint, 2);
  chart.put_gridDigitsAfterPoint(6);
  EXPECT_EQ(e.grid.digitsAfterPoint, 6);
}

TEST_F(Checks, BooleansStoreOneForAnyNonzeroAndReportMinusOne) {
  for (VariantBool in : {VariantBool{1}, VariantBool{0x100}, std::numeric_limits<VariantBool>::min()}) {
    chart.put_arrowVisible(0);
    chart.put_arrowVisible(in);
    EXPECT_EQ(engine().arrowVisible, 1) << in;
    chart.SetPointVisible(2, in);
    EXPECT_EQ(engine().plots[1].pointVisible, 1) << in;
    VariantBool out = 0;
    chart.GetPointVisible(2, &out);
    EXPECT_EQ(out, kVariantTrue);
  }
  chart.put_legendVisible(0);
  VariantBool out = 5;
  chart.get_legendVisible(&out);
  EXPECT_EQ(out, kVariantFalse);
}

TEST_F(Checks, AddLineSanitisesWidthAndStyle) {
  chart.AddLine(0, 0, 1, 1, 0, 5, 0x123456);
  chart.AddLine(0, 0, 1, 1, 16, -1, 0);
  chart.AddLine(1, 2, 3, 4, 15, 4, 0);
  ASSERT_EQ(engine().lines.count(), 3);
  EXPECT_EQ(engine().lines[0].width, 1);
  EXPECT_EQ(engine().lines[0].style, 0);
  EXPECT_EQ(engine().lines[1].width, 1);
  EXPECT_EQ(engine().lines[1].style, 0);
  EXPECT_EQ(engine().lines[2].width, 15);
  EXPECT_EQ(engine().lines[2].style, 4);
}

TEST_F(Checks, PolygonsCountPutRebuildsTheCollection) {
  chart.put_polygonsCount(2);
  chart.AddPointToPolygon(1, 1, 2);
  chart.SetPolygonProperties(2, 0x00FF00, 0.5);
  chart.put_polygonsCount(2);  // the same count again: every polygon is new
  ASSERT_EQ(engine().polygons.count(), 2);
  EXPECT_EQ(engine().polygons[0].points.count(), 0);
  EXPECT_EQ(engine().polygons[1].hasBorder, 1);
  EXPECT_EQ(engine().polygons[1].fillColor, 0u);
  for (std::int32_t none : {0, kMin}) {
    chart.put_polygonsCount(2);
    chart.put_polygonsCount(none);
    EXPECT_EQ(engine().polygons.count(), 0) << none;
  }
  // A count no chart needs is cut at the cap instead of committing gigabytes.
  chart.put_polygonsCount(kMax);
  EXPECT_EQ(engine().polygons.count(), CChartEngine::kMaxPolygons);
  EXPECT_EQ(engine().polygons[CChartEngine::kMaxPolygons - 1].hasBorder, 1);
  chart.put_polygonsCount(3);
  EXPECT_EQ(engine().polygons.count(), 3);
}

// Indices outside 1..count never reach memory: setters do nothing, getters write 0.
TEST_F(Checks, OutOfRangeIndicesAreHarmless) {
  chart.put_polygonsCount(1);
  chart.AddMark(1, 1);
  chart.AddLine(0, 0, 1, 1, 1, 0, 0);
  chart.AddRectangle(0, 1, 1, 0, 0, 1);
  for (std::int32_t bad : {0, 2, -1, 9, kMin, kMax}) {
    engine().layoutDirty = 0;
    chart.SetPolygonVisible(bad, 0);
    chart.AddPointToPolygon(bad, 1, 1);
    chart.SetPolygonProperties2(bad, 1, 0.5, 1, 1, 1);
    chart.SetMarkVisible(bad, 0);
    chart.SetLineVisible(bad, 0);
    chart.SetRectVisible(bad, 0);
    VariantBool b = 7;
    EXPECT_EQ(chart.GetPolygonVisible(bad, &b), kS_OK);
    EXPECT_EQ(b, 0);
    b = 7;
    chart.GetMarkVisible(bad, &b);
    EXPECT_EQ(b, 0);
    if (bad >= 1 && bad <= 8) continue;  // valid plot numbers
    EXPECT_EQ(chart.AddPointToPlot(bad, 1, 1), kS_OK);
    chart.AddPointToPlot2(bad, 1);
    chart.DisposePlot(bad);
    chart.SetSquareApproximate(bad);
    EXPECT_EQ(engine().layoutDirty, 0) << bad;
    Color c = 7;
    double d = 7;
    std::int32_t w = 7;
    chart.GetPlotColor(bad, &c);
    chart.GetA(bad, &d);
    chart.GetPlotWidth(bad, &w);
    EXPECT_EQ(c, 0u);
    EXPECT_EQ(d, 0.0);
    EXPECT_EQ(w, 0);
  }
  EXPECT_EQ(engine().polygons[0].visible, 1);
  EXPECT_EQ(engine().polygons[0].points.count(), 0);
  EXPECT_EQ(engine().polygons[0].hasBorder, 1);
  EXPECT_EQ(engine().marks[0].visible, 1);
  EXPECT_EQ(engine().lines[0].enabled, 1);
  EXPECT_EQ(engine().rectangles[0].visible, 1);
}

TEST_F(Checks, NullOutPointersAreRejected) {
  using A = CorvaneAutomation;
  for (auto get : {&A::get_hWnd, &A::get_Width, &A::get_plotsCount, &A::get_polygonsCount,
                   &A::get_preset, &A::get_presetCount, &A::get_gridDigitsAfterPoint})
    EXPECT_EQ((chart.*get)(nullptr), kE_POINTER);
  for (auto get : {&A::get_captionVisible, &A::get_isDefaultGrid, &A::get_legendVisible})
    EXPECT_EQ((chart.*get)(nullptr), kE_POINTER);
  for (auto get : {&A::get_caption, &A::get_presetName})
    EXPECT_EQ((chart.*get)(nullptr), kE_POINTER);
  for (std::int32_t index : {1, 0}) {  // in range and out of range alike
    EXPECT_EQ(chart.GetPlotVisible(index, nullptr), kE_POINTER);
    EXPECT_EQ(chart.GetPlotColor(index, nullptr), kE_POINTER);
    EXPECT_EQ(chart.GetB(index, nullptr), kE_POINTER);
    EXPECT_EQ(chart.GetRectVisible(index, nullptr), kE_POINTER);
  }
}

}  // namespace
}  // namespace corvane
