// Top margin, grid type switching, Dispose, and which calls mark the layout stale.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "engine_test_support.h"

namespace corvane {
namespace {

class ChartState : public ::testing::Test, public testing::AutomationFixtureBase {};

TEST_F(ChartState, TopMarginFollowsCaptionAndGridType) {
  chart.put_captionVisible(kVariantFalse);
  EXPECT_EQ(engine().topMargin, 35);
  chart.SetUserTypeGrid();
  EXPECT_EQ(engine().topMargin, 17);
  chart.SetUserTypeGrid();  // no change of type, no second halving
  EXPECT_EQ(engine().topMargin, 17);
  chart.SetDefaultGrid();
  EXPECT_EQ(engine().topMargin, 34);
  chart.put_captionVisible(kVariantFalse);
  EXPECT_EQ(engine().topMargin, 35);

  chart.put_captionVisible(kVariantTrue);
  chart.SetUserTypeGrid();
  EXPECT_EQ(engine().topMargin, 30);
  chart.put_captionVisible(kVariantFalse);
  EXPECT_EQ(engine().topMargin, 17);
  chart.put_captionVisible(kVariantTrue);
  EXPECT_EQ(engine().topMargin, 30);
  chart.SetDefaultGrid();
  EXPECT_EQ(engine().topMargin, 60);
}

TEST_F(ChartState, GridTypeChangeReachesOnlyActivePlots) {
  chart.put_plotsCount(3);
  chart.SetUserTypeGrid();
  for (int i = 0; i < CChartEngine::kMaxPlots; ++i) {
    EXPECT_EQ(engine().plots[i].segmentOnly, i < 3 ? 1 : 0) << i;
    EXPECT_EQ(engine().plots[i].refitPending, i < 3 ? 1 : 0) << i;
  }
  chart.put_plotsCount(1);
  chart.SetDefaultGrid();
  EXPECT_EQ(engine().plots[0].segmentOnly, 0);
  EXPECT_EQ(engine().plots[1].segmentOnly, 1);  // beyond the count at the time of the call
  VariantBool isUser = 0;
  chart.get_isUserTypeGrid(&isUser);
  EXPECT_EQ(isUser, kVariantFalse);
}

TEST_F(ChartState, SetSizeStoresAnyValueAndFlagsActivePlots) {
  chart.put_plotsCount(2);
  chart.SetSize(-5, 0);
  std::int32_t w = 1, h = 1;
  chart.get_Width(&w);
  chart.get_Height(&h);
  EXPECT_EQ(w, -5);
  EXPECT_EQ(h, 0);
  EXPECT_EQ(engine().background.pictureWidth, -5);
  EXPECT_EQ(engine().background.pictureHeight, 0);
  EXPECT_EQ(engine().plots[1].refitPending, 1);
  EXPECT_EQ(engine().plots[2].refitPending, 0);
}

TEST_F(ChartState, DisposeEmptiesTheDataAndKeepsEverySetting) {
  chart.SetSize(400, 300);
  chart.put_hWnd(77);
  chart.put_plotsCount(2);
  chart.AddPointToPlot(2, 3, 4);
  chart.AddPointToPlot(5, 5, 6);  // beyond plotsCount
  chart.SetPlotColor(2, 0x123456);
  chart.AddLabelToGrid(u"a", 1);
  chart.put_polygonsCount(2);
  chart.AddMark(1, 1);
  chart.AddLine(0, 0, 1, 1, 2, 1, 0xFF);
  chart.AddRectangle(0, 1, 1, 0, 0xFF, 0.5);
  chart.AddCandleStick(1, 2, 3, 4, 0);
  chart.AddLabelToLegend(0xFF, u"leg", 3);
  chart.put_caption(u"My chart", 8);
  chart.put_preset(3);
  chart.put_gridDigitsAfterPoint(3);
  chart.put_legendPosition(2);
  chart.SetUserTypeGrid();
  engine().world = WorldWindow{2, 9, -1, 1};
  engine().layoutDirty = 0;

  chart.Dispose();
  const CChartEngine& e = engine();
  EXPECT_EQ(e.layoutDirty, 1);
  EXPECT_EQ(e.plotsCount, 0);
  EXPECT_EQ(e.plots[1].KeptCount(), 0);
  EXPECT_EQ(e.plots[4].KeptCount(), 1);  // only the active plots are cleared
  EXPECT_EQ(e.grid.labels.count(), 0);
  EXPECT_EQ(e.polygons.count() + e.marks.count() + e.lines.count() + e.rectangles.count() +
                e.candlesticks.count() + e.legend.labels.count() + e.legend.colors.count(),
            0);

  std::int32_t hwnd = 0;
  chart.get_hWnd(&hwnd);
  EXPECT_EQ(hwnd, 77);
  EXPECT_EQ(e.width, 400);
  EXPECT_EQ(e.topMargin, 30);
  EXPECT_EQ(e.captionLabel.text, "My chart");
  EXPECT_EQ(e.presets.current, 2);
  EXPECT_EQ(e.background.firstColor, 0x003200u);
  EXPECT_EQ(e.grid.gridType, 1);
  EXPECT_EQ(e.grid.digitsAfterPoint, 3);
  EXPECT_EQ(e.legendPosition, 2);
  EXPECT_EQ(e.world.xmin, 2);
  EXPECT_EQ(e.world.xmax, 9);
  EXPECT_EQ(e.plots[1].plotColor, 0x123456u);
}

// Every call that must mark the layout stale, and a wide sample of those that must not.
struct DirtyCase {
  const char* name;
  std::function<void(CorvaneAutomation&)> setup;
  std::function<void(CorvaneAutomation&)> call;
  bool setsDirty;
};

void None(CorvaneAutomation&) {}
void UserGrid(CorvaneAutomation& c) { c.SetUserTypeGrid(); }
void OneOfEach(CorvaneAutomation& c) {
  c.AddMark(1, 1);
  c.AddLine(0, 0, 1, 1, 1, 0, 0);
  c.AddRectangle(0, 1, 1, 0, 0, 1);
  c.put_polygonsCount(1);
}

TEST(LayoutDirtyList, ExactlyTheListedCallsMarkTheLayoutStale) {
  using C = CorvaneAutomation;
  const std::vector<DirtyCase> cases = {
      {"SetSize", None, [](C& c) { c.SetSize(10, 10); }, true},
      {"AddLine", None, [](C& c) { c.AddLine(0, 0, 1, 1, 1, 0, 0); }, true},
      {"AddRectangle", None, [](C& c) { c.AddRectangle(0, 1, 1, 0, 0, 1); }, true},
      {"AddRectangle2", None, [](C& c) { c.AddRectangle2(0, 1, 1, 0, 0, 1, 1, 0, 0); }, true},
      {"captionVisible put", None, [](C& c) { c.put_captionVisible(kVariantTrue); }, true},
      {"SetUserTypeGrid (changes)", None, [](C& c) { c.SetUserTypeGrid(); }, true},
      {"SetDefaultGrid (changes)", UserGrid, [](C& c) { c.SetDefaultGrid(); }, true},
      {"SetSegment", None, [](C& c) { c.SetSegment(1, 5); }, true},
      {"AddPointToPlot", None, [](C& c) { c.AddPointToPlot(1, 1, 1); }, true},
      {"AddPointToPlot2", None, [](C& c) { c.AddPointToPlot2(3, 1); }, true},
      {"DisposePlot", None, [](C& c) { c.DisposePlot(8); }, true},
      {"Dispose", None, [](C& c) { c.Dispose(); }, true},

      {"SetDefaultGrid (no change)", None, [](C& c) { c.SetDefaultGrid(); }, false},
      {"SetUserTypeGrid (no change)", UserGrid, [](C& c) { c.SetUserTypeGrid(); }, false},
      {"AddMark", None, [](C& c) { c.AddMark(1, 1); }, false},
      {"AddMark2", None, [](C& c) { c.AddMark2(1, 1, u"x", 1); }, false},
      {"AddCandleStick", None, [](C& c) { c.AddCandleStick(1, 2, 3, 4, 0); }, false},
      {"other data and settings", OneOfEach,
       [](C& c) {
         c.AddPointToPolygon(1, 1, 1);
         c.put_polygonsCount(3);
         c.put_plotsCount(4);
         c.put_preset(5);
         c.SetPlotColor(1, 1);
         c.SetSimplePlot(1);
         c.put_arrowVisible(0);
         c.SetMarkVisible(1, 0);
         c.put_gridHorizontalLines(3);
         c.AddLabelToGrid(u"g", 1);
         c.AddLabelToLegend(1, u"l", 1);
         c.put_caption(u"c", 1);
         c.RemoveAllMarks();
         c.RemoveAllLines();
         c.RemoveAllRectangles();
         c.RemoveAllCandleSticks();
       },
       false},
  };
  for (const DirtyCase& dc : cases) {
    testing::NoDrawingGraphicsSystem graphics;
    CorvaneAutomation c(graphics);
    dc.setup(c);
    c.engine().layoutDirty = 0;
    dc.call(c);
    EXPECT_EQ(c.engine().layoutDirty, dc.setsDirty ? 1 : 0) << dc.name;
  }
}

}  // namespace
}  // namespace corvane
