// RenderChart: when the layout pass runs, what it hands the records, and the painting order.
#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "control/chart_engine.h"
#include "platform/random_sequence.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

class PipelineRenderTest : public ::testing::Test {
 protected:
  PipelineRenderTest() { engine.SetSize(400, 300); }

  void AddPlot(Color color) {
    const int i = engine.plotsCount++;
    engine.plots[i].plotColor = color;
    engine.plots[i].approximation = 0;
    for (int k = 1; k <= 4; ++k) engine.plots[i].AddPoint(k, k * k);
  }
  void AddLine(Color color, double y1, double y2) {
    CChartLine line;
    line.x1 = -1;
    line.x2 = 1;
    line.y1 = y1;
    line.y2 = y2;
    line.color = color;
    engine.lines.Append(line);
  }
  void AddCandle(double x, double high, double low) {
    CCandleStick c;
    c.X = x;
    c.High = high;
    c.Low = low;
    engine.candlesticks.Append(c);
  }

  RecordingDc dc{400, 300};  // declared first: the texture tile refers to its system
  CChartEngine engine;
};

TEST_F(PipelineRenderTest, LayoutPassRunsOnlyWhileTheLayoutIsStale) {
  engine.RenderChart(nullptr);
  EXPECT_EQ(engine.layoutPassCount, 0u);
  EXPECT_EQ(engine.layoutDirty, 1);

  engine.RenderChart(&dc);
  EXPECT_EQ(engine.layoutPassCount, 1u);
  EXPECT_EQ(engine.layoutDirty, 0);
  engine.RenderChart(&dc);
  EXPECT_EQ(engine.layoutPassCount, 1u);  // an unchanged chart is only repainted

  engine.SetSize(300, 200);
  engine.RenderChart(&dc);
  EXPECT_EQ(engine.layoutPassCount, 2u);
  EXPECT_EQ(engine.grid.right, 235);  // the new plot area reached the grid
}

TEST_F(PipelineRenderTest, LayoutHandsEveryRecordThePlotAreaAndWindow) {
  AddPlot(0x0000FF);
  AddLine(0x00FF00, 0, 20);
  CChartRect rect;
  rect.T = 30;
  engine.rectangles.Append(rect);
  AddCandle(0, 10, 5);
  engine.marks.Append(CChartMark(0.5, 3));
  engine.SetSegment(0, 4);
  engine.RenderChart(&dc);

  const WorldWindow& w = engine.world;
  EXPECT_EQ(w.xmin, 0);
  EXPECT_EQ(w.xmax, 4);
  EXPECT_EQ(w.ymin, 0);  // the line and the rectangle removed the margin ...
  EXPECT_EQ(w.ymax, 30);

  const CChartMark& m = engine.marks[0];
  EXPECT_EQ(m.left, 65);
  EXPECT_EQ(m.right, 335);
  EXPECT_EQ(m.top, 60);
  EXPECT_EQ(m.bottom, 265);
  EXPECT_EQ(m.xmin, 0);
  EXPECT_EQ(m.xmax, 4);
  EXPECT_EQ(m.ymax, 30);
  EXPECT_EQ(m.grid, &engine.grid);
  const CChartLine& l = engine.lines[0];
  EXPECT_EQ(l.left, 65);
  EXPECT_EQ(l.bottom, 265);
  EXPECT_EQ(l.ymax, 30);
  const CChartRect& r = engine.rectangles[0];
  EXPECT_EQ(r.right, 335);
  EXPECT_EQ(r.top, 60);
  EXPECT_EQ(r.xmax, 4);
  const CCandleStick& c = engine.candlesticks[0];
  EXPECT_EQ(c.left, 65);
  EXPECT_EQ(c.ymin, 0);
  EXPECT_EQ(engine.grid.left, 65);
  EXPECT_EQ(engine.grid.top, 60);
  EXPECT_EQ(engine.grid.right, 335);
  EXPECT_EQ(engine.grid.bottom, 265);
  EXPECT_EQ(engine.grid.originX, 65);
  EXPECT_EQ(engine.grid.originY, 265);
  EXPECT_EQ(engine.plots[0].grid, &engine.grid);
}

TEST_F(PipelineRenderTest, RecordsAddedAfterTheLastLayoutKeepZeroCopies) {
  AddPlot(0x0000FF);
  engine.RenderChart(&dc);
  AddCandle(1, 1000, -1000);
  engine.marks.Append(CChartMark(2, 2));
  const double ymaxBefore = engine.world.ymax;
  engine.RenderChart(&dc);
  EXPECT_EQ(engine.candlesticks[0].left, 0);
  EXPECT_EQ(engine.candlesticks[0].xmax, 0);
  EXPECT_EQ(engine.marks[0].grid, nullptr);
  EXPECT_EQ(engine.world.ymax, ymaxBefore);  // nor did the candlestick widen the range

  engine.InvalidateLayout();
  engine.RenderChart(&dc);
  EXPECT_EQ(engine.candlesticks[0].left, 65);
  EXPECT_EQ(engine.marks[0].grid, &engine.grid);
  EXPECT_GT(engine.world.ymax, 1000);
}

// Everything RenderChart paints, in the order it paints it, equals the drawers called one by
// one in the documented order.
TEST_F(PipelineRenderTest, DrawersRunInTheFixedOrder) {
  AddPlot(0x0000F0);
  AddPlot(0x00F000);
  AddLine(0x0F0F0F, 1, 5);
  CChartRect rect;
  rect.T = 9;
  rect.R = 1;
  engine.rectangles.Append(rect);
  engine.rectangles.Append(rect);
  CChartPolygon poly;
  poly.points.Append(DPoint{0, 0});
  poly.points.Append(DPoint{1, 1});
  poly.points.Append(DPoint{1, 0});
  engine.polygons.Append(std::move(poly));
  AddCandle(0, 3, 1);
  engine.marks.Append(CChartMark(0.5, 3));
  engine.legend.Add(0x0000FF, "entry");
  engine.background.fillKind = 1;  // gradient: visible in the log
  engine.RenderChart(&dc);         // the layout pass; afterwards only painting

  ResetRandomForTest();
  RecordingDc whole(400, 300);
  engine.RenderChart(&whole);

  ResetRandomForTest();
  RecordingDc parts(400, 300);
  engine.background.PaintBackground(parts);
  engine.DrawCaption(parts);
  engine.DrawAxisArrows(parts);
  engine.DrawAxisCaptions(parts);
  engine.DrawGrid(parts);
  engine.DrawPolygons(parts);
  engine.DrawRectangles(parts);
  engine.DrawLines(parts);
  engine.DrawMarks(parts);
  engine.DrawAxisArrows(parts);
  engine.DrawCandleSticks(parts);
  engine.plots[0].DrawPlot(parts);
  engine.plots[1].DrawPlot(parts);
  engine.DrawLegend(parts);

  ASSERT_GT(whole.log().size(), 0u);
  EXPECT_EQ(whole.log().Texts(), parts.log().Texts()) << whole.log().Dump();
  // The background comes first, the plots after the line overlay, plot 1 before plot 2.
  const CallLog& log = whole.log();
  EXPECT_EQ(log.calls()[0].text, "GetClipBox");
  const long line = log.Find("CreatePen 1 0x0f0f0f");
  const long plot1 = log.Find("CreatePen 2 0x0000f0");
  const long plot2 = log.Find("CreatePen 2 0x00f000");
  if (line >= 0 && plot1 >= 0 && plot2 >= 0) {  // once lines and plots draw
    EXPECT_LT(line, plot1);
    EXPECT_LT(plot1, plot2);
  }
}

TEST_F(PipelineRenderTest, PlotsBeyondPlotsCountAreNeverDrawn) {
  AddPlot(0x0000F0);
  engine.plots[3].plotColor = 0x00ABCD;
  for (int k = 0; k < 5; ++k) engine.plots[3].AddPoint(k, k);
  engine.RenderChart(&dc);
  EXPECT_EQ(dc.log().Find("CreatePen 2 0x00abcd"), -1);
  EXPECT_EQ(engine.plots[3].grid, nullptr);
  EXPECT_EQ(engine.plots[3].right, -100);  // no layout copy either

  // A plotsCount no interface allows is never used as an index.
  engine.plotsCount = 1000;
  engine.InvalidateLayout();
  engine.RenderChart(&dc);
  engine.plotsCount = -4;
  engine.InvalidateLayout();
  engine.RenderChart(&dc);
  EXPECT_EQ(engine.layoutPassCount, 3u);
}

TEST_F(PipelineRenderTest, CandlesticksAreEachDrawnInsideThePlotAreaClip) {
  AddCandle(0, 3, 1);
  AddCandle(1, 4, 2);
  engine.RenderChart(&dc);
  dc.log().Clear();
  engine.DrawCandleSticks(dc);
  const std::vector<std::string> rgns = dc.log().Named("CreateRectRgn");
  ASSERT_EQ(rgns.size(), 4u);
  EXPECT_EQ(rgns[0], "CreateRectRgn 65 60 335 265");
  EXPECT_EQ(rgns[1], "CreateRectRgn 0 0 400 300");  // the saved clip box
  EXPECT_EQ(dc.log().Count("SelectClipRgn"), 4u);
  std::size_t regionsDeleted = 0;
  for (const std::string& d : dc.log().Named("DeleteObject"))
    regionsDeleted += d.rfind("DeleteObject r", 0) == 0;
  EXPECT_EQ(regionsDeleted, 4u);
  EXPECT_EQ(dc.log().calls()[0].text, "GetClipBox");

  dc.log().Clear();
  engine.candlesticsVisible = 0;
  engine.DrawCandleSticks(dc);
  EXPECT_EQ(dc.log().size(), 0u);
}

TEST_F(PipelineRenderTest, RectanglesAndPolygonsClipToTheCurrentPlotArea) {
  CChartRect rect;
  rect.T = 1;
  engine.rectangles.Append(rect);
  engine.RenderChart(&dc);
  engine.SetSize(500, 400);  // no render in between: the clip follows the size at once
  dc.log().Clear();
  engine.DrawRectangles(dc);
  EXPECT_EQ(dc.log().Named("CreateRectRgn")[0], "CreateRectRgn 65 60 435 365");

  // Three polygons, the second hidden, the third of two points: only the first is filled
  // and bordered, all under one plot-area clip.
  for (int p = 0; p < 3; ++p) {
    CChartPolygon poly;
    for (int k = 0; k < (p == 2 ? 2 : 3); ++k) poly.points.Append(DPoint{double(k), double(k % 2)});
    poly.visible = p != 1;
    engine.polygons.Append(std::move(poly));
  }
  dc.log().Clear();
  engine.DrawPolygons(dc);
  EXPECT_EQ(dc.log().Count("GetClipBox"), 2u);  // the clip's, then the fill's own
  EXPECT_EQ(dc.log().Count("CreateRectRgn"), 2u);
  EXPECT_EQ(dc.log().Named("CreateRectRgn")[0], "CreateRectRgn 65 60 435 365");
  EXPECT_EQ(dc.log().Count("Polygon"), 1u);
  EXPECT_EQ(dc.log().Count("LineTo"), 3u);
}

TEST_F(PipelineRenderTest, HiddenSwitchesSilenceTheirDrawers) {
  engine.legend.Add(0x0000FF, "entry");
  engine.RenderChart(&dc);
  engine.arrowVisible = 0;
  engine.legendVisible = 0;
  engine.captionVisible = 0;
  dc.log().Clear();
  engine.DrawAxisArrows(dc);
  engine.DrawAxisCaptions(dc);
  engine.DrawLegend(dc);
  engine.DrawCaption(dc);
  EXPECT_EQ(dc.log().size(), 0u);
}

TEST_F(PipelineRenderTest, HostileSizesAndValuesRenderWithoutFault) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  constexpr double kInf = std::numeric_limits<double>::infinity();
  AddPlot(0x0000FF);
  engine.plots[0].AddPoint(kNaN, kInf);
  engine.plots[0].AddPoint(1e308, -1e308);
  AddLine(0x00FF00, kNaN, 1e308);
  AddCandle(kInf, kNaN, -kInf);
  CChartRect rect;
  rect.L = -kInf;
  rect.T = 1e308;
  engine.rectangles.Append(rect);
  engine.marks.Append(CChartMark(kNaN, kInf));
  engine.xArrow.headLength = INT32_MAX;
  engine.yArrow.headLength = INT32_MIN;
  for (auto [w, h] : {std::pair{-5, 0}, std::pair{0, 0}, std::pair{1, 1}, std::pair{131, 96},
                      std::pair{INT32_MIN, INT32_MAX}, std::pair{INT32_MAX, INT32_MAX}}) {
    engine.SetSize(w, h);
    for (double a : {kNaN, 1e300, -5.0}) {
      engine.SetSegment(a, -a);
      engine.RenderChart(&dc);
    }
  }
  EXPECT_EQ(engine.layoutDirty, 0);
  // Even a gradient over an enormous picture paints only the rows the context can show.
  engine.background.fillKind = 1;
  dc.log().Clear();
  engine.background.PaintBackground(dc);
  EXPECT_EQ(dc.log().Count("LineTo"), 300u);
}

}  // namespace
}  // namespace corvane
