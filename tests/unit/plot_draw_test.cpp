#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>
#include <vector>

#include "control/chart_engine.h"
#include "overlays/line_style.h"
#include "platform/recording_dc.h"
#include "plot_test_support.h"
#include "series/plot_series.h"

namespace corvane {
namespace {

using testing::PenMoves;
using testing::RasterPicture;

// A plot laid out in a 300-pixel-wide area (65..365) with no refit pending.
CPlotSeries LaidOutPlot(int approximation) {
  CPlotSeries p;
  p.left = 65;
  p.right = 365;
  p.top = 60;
  p.bottom = 265;
  p.world = WorldWindow{0, 10, 0, 10};
  p.approximation = approximation;
  p.refitPending = 0;
  return p;
}

// Adds the point that the plot's window maps to (dx, dy): the window is made the plot area
// itself, so that world and device coordinates are the same numbers.
void AddDevicePoint(CPlotSeries& p, double dx, double dy) {
  p.world = WorldWindow{double(p.left), double(p.right), double(p.bottom), double(p.top)};
  p.AddPoint(dx, dy);
  p.refitPending = 0;
}

TEST(PlotDraw, LinearFitSpansTheAreaLessTenPixels) {
  CPlotSeries p = LaidOutPlot(1);
  p.devSlope = 0.5;
  p.devIntercept = 20;
  RecordingDc dc;
  p.DrawPlot(dc);  // no points: the line is drawn with the coefficients as they stand
  EXPECT_EQ(PenMoves(dc.log()), (std::vector<std::string>{"MoveToEx 75 57", "LineTo 355 197"}));
  EXPECT_EQ(dc.log().Named("CreateRectRgn").front(), "CreateRectRgn 65 60 365 265");

  RecordingDc seg;
  p.segmentOnly = 1;
  p.DrawPlot(seg);
  EXPECT_EQ(PenMoves(seg.log()), (std::vector<std::string>{"MoveToEx 65 52", "LineTo 365 202"}));
}

TEST(PlotDraw, ParabolaChordsAreFourPixelsWide) {
  CPlotSeries p = LaidOutPlot(2);
  p.devA = 0.001;
  p.devB = -0.4;
  p.devC = 200;
  for (int segment = 0; segment < 2; ++segment) {
    p.segmentOnly = segment;
    RecordingDc dc;
    p.DrawPlot(dc);
    const std::vector<std::string> moves = PenMoves(dc.log());
    // (300 - 20) / 4 = 70 chords from 75 to 355; 300 / 4 = 75 from 65 to 365 in segment mode.
    ASSERT_EQ(dc.log().Count("LineTo"), segment ? 75u : 70u);
    ASSERT_EQ(dc.log().Count("CreatePen"), segment ? 75u : 70u);
    EXPECT_EQ(moves.front(), segment ? "MoveToEx 65 178" : "MoveToEx 75 175");
    EXPECT_EQ(moves.back(), segment ? "LineTo 365 187" : "LineTo 355 184");
    // A chain: every chord starts 4 pixels after the previous one, where it ended.
    for (std::size_t i = 2; i < moves.size(); i += 2) {
      int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
      ASSERT_EQ(std::sscanf(moves[i - 1].c_str(), "LineTo %d %d", &x0, &y0), 2);
      ASSERT_EQ(std::sscanf(moves[i].c_str(), "MoveToEx %d %d", &x1, &y1), 2);
      EXPECT_EQ(x1, x0);
      EXPECT_EQ(y1, y0);
    }
  }
  // An area too narrow for one chord draws none.
  p.right = p.left + 23;
  p.segmentOnly = 0;
  RecordingDc narrow;
  p.DrawPlot(narrow);
  EXPECT_EQ(narrow.log().Count("LineTo"), 0u);
}

TEST(PlotDraw, MarkersFollowTheInclusiveDoubleTestOnX) {
  CPlotSeries p = LaidOutPlot(0);
  p.pointVisible = 1;
  p.pointColor = 0x445566;
  AddDevicePoint(p, 365.5, 100);  // truncates to the edge column, but lies beyond it
  AddDevicePoint(p, 365.0, 100);
  AddDevicePoint(p, 200.7, -500.2);  // far above the area: markers are not clipped
  AddDevicePoint(p, 64.9, 100);
  AddDevicePoint(p, std::numeric_limits<double>::quiet_NaN(), 100);
  AddDevicePoint(p, 65.0, 120.9);
  RecordingDc dc;
  p.DrawPlot(dc);
  const std::vector<std::string> fills = dc.log().Named("FillRect");
  const std::string brush = dc.log().calls().front().result;
  EXPECT_EQ(dc.log().calls().front().text, "CreateSolidBrush 0x445566");
  EXPECT_EQ(fills, (std::vector<std::string>{"FillRect 363 98 367 102 " + brush,
                                             "FillRect 198 -502 202 -498 " + brush,
                                             "FillRect 63 118 67 122 " + brush}));
  EXPECT_EQ(dc.log().calls().back().text, "DeleteObject " + brush);

  RecordingDc pixels;
  p.pointSize = 0;
  p.DrawPlot(pixels);
  EXPECT_EQ(pixels.log().Named("SetPixelV"),
            (std::vector<std::string>{"SetPixelV 365 100 0x445566", "SetPixelV 200 -500 0x445566",
                                      "SetPixelV 65 120 0x445566"}));
  EXPECT_EQ(pixels.log().Count("FillRect"), 0u);
}

// A point with a coordinate that is not finite ends one chain and starts the next; it has no
// marker. So does every such point, in a row or alone.
TEST(PlotDraw, GapsBreakThePolylineAndHaveNoMarker) {
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
  for (int width : {1, 4}) {
    CPlotSeries p = LaidOutPlot(0);
    p.plotWidth = width;
    p.pointVisible = 1;
    for (DPoint d : {DPoint{70, 100}, DPoint{80, 120}, DPoint{nan, 110}, DPoint{100, 100},
                     DPoint{110, inf}, DPoint{-inf, 90}, DPoint{120, 130}, DPoint{130, 100},
                     DPoint{140, 90}})
      AddDevicePoint(p, d.X, d.Y);
    RecordingDc dc;
    p.DrawPlot(dc);
    EXPECT_EQ(dc.log().Named("Polyline"),
              (std::vector<std::string>{"Polyline 2 70 100 80 120", "Polyline 3 120 130 130 100 140 90"}))
        << width;
    EXPECT_EQ(dc.log().Count("FillRect"), 6u) << width;
  }
}

TEST(PlotDraw, MarkerSquaresCoverTruncatedXMinusTwoToPlusOne) {
  RasterPicture picture(100, 80);
  CPlotSeries p = LaidOutPlot(0);
  p.left = 0, p.right = 100, p.top = 0, p.bottom = 80;
  p.pointVisible = 1;
  p.pointColor = 0x000000;
  AddDevicePoint(p, 50.9, 40.9);
  p.DrawPlot(picture.dc());
  for (int x = 46; x <= 53; ++x)
    EXPECT_EQ(picture.At(x, 40), (x >= 48 && x <= 51) ? 0x000000u : 0xFFFFFFu) << x;
  for (int y = 36; y <= 43; ++y)
    EXPECT_EQ(picture.At(50, y), (y >= 38 && y <= 41) ? 0x000000u : 0xFFFFFFu) << y;
}

TEST(PlotDraw, BrushIsMadeForEveryVisibleDrawingAndNothingForHiddenPlots) {
  CPlotSeries p = LaidOutPlot(0);
  AddDevicePoint(p, 100, 100);
  p.refitPending = 1;
  RecordingDc dc;
  p.DrawPlot(dc);  // one point, simple mode, no markers: only the brush
  EXPECT_EQ(dc.log().Count("CreateSolidBrush"), 1u);
  EXPECT_EQ(dc.log().Count("Polyline") + dc.log().Count("LineTo"), 0u);
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
  EXPECT_EQ(p.refitPending, 0);

  RecordingDc hidden;
  p.visible = 0;
  p.refitPending = 1;
  p.DrawPlot(hidden);
  EXPECT_EQ(hidden.log().size(), 0u);
  EXPECT_EQ(p.refitPending, 1);

  RecordingDc neither;
  p.visible = 1;
  p.segmentOnly = 2;
  p.DrawPlot(neither);
  EXPECT_EQ(neither.log().size(), 0u);
}

TEST(PlotDraw, WidthsOutsideOneToFifteenDrawOnePixel) {
  for (auto [stored, drawn] : {std::pair{0, 1}, {16, 1}, {-3, 1}, {15, 15}, {2, 2}}) {
    CPlotSeries p = LaidOutPlot(1);
    p.plotWidth = stored;
    p.plotColor = 0x00FF00;
    RecordingDc dc;
    p.DrawPlot(dc);
    EXPECT_EQ(dc.log().Named("CreatePen"),
              std::vector<std::string>{"CreatePen " + std::to_string(drawn) + " 0x00ff00"});
    EXPECT_EQ(p.plotWidth, stored);
  }
}

TEST(PlotDraw, RefitsPendingFitsBeforeDrawing) {
  CPlotSeries p = LaidOutPlot(1);
  for (int i = 0; i < 4; ++i) p.AddPoint(i, 2 * i + 1);
  p.MapToDevice(65, 365, 60, 265);
  RecordingDc dc;
  p.DrawPlot(dc);
  EXPECT_EQ(p.refitPending, 0);
  EXPECT_DOUBLE_EQ(p.linSlope, 2.0);
  EXPECT_NE(p.devSlope, 0.0);
  // The drawn line follows the fresh device fit.
  const std::vector<std::string> moves = PenMoves(dc.log());
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0], "MoveToEx 75 " + std::to_string(TruncToInt32(p.devSlope * 75 + p.devIntercept)));
}

TEST(PlotDraw, SegmentModeDrawsOnlyTheWindow) {
  CPlotSeries p = LaidOutPlot(0);
  for (int i = 0; i < 10; ++i) AddDevicePoint(p, 70 + 10 * i, 100 + (i % 2) * 20);
  p.segmentOnly = 1;
  p.firstIndex = 3;
  p.lastIndex = 40;  // beyond the last point: cut to it
  p.pointVisible = 1;
  RecordingDc dc;
  p.DrawPlot(dc);
  const std::vector<std::string> lines = dc.log().Named("Polyline");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], "Polyline 7 100 120 110 100 120 120 130 100 140 120 150 100 160 120");
  EXPECT_EQ(dc.log().Count("FillRect"), 7u);

  // A window ending before everything (SetSegment with a hugely negative end) draws nothing.
  p.lastIndex = INT32_MIN;
  RecordingDc empty;
  p.DrawPlot(empty);
  EXPECT_EQ(empty.log().Count("Polyline"), 0u);
  EXPECT_EQ(empty.log().Count("FillRect"), 0u);
}

TEST(PlotDraw, PlotsAbovePlotsCountAreNeverDrawn) {
  CChartEngine e;
  e.SetSize(400, 300);
  e.plotsCount = 1;
  for (int k = 0; k < 2; ++k) {
    e.plots[k].approximation = 0;
    for (int i = 0; i < 5; ++i) e.plots[k].AddPoint(i, i * (k + 1));
  }
  e.plots[0].plotColor = 0x123456;
  e.plots[1].plotColor = 0x654321;
  e.plots[1].pointVisible = 1;
  e.plots[1].pointColor = 0x111111;
  RecordingDc dc(400, 300);
  e.RenderChart(&dc);
  EXPECT_EQ(dc.log().Count("CreatePen 2 0x123456"), 1u);
  EXPECT_EQ(dc.log().Count("CreatePen 2 0x654321"), 0u);
  EXPECT_EQ(dc.log().Count("CreateSolidBrush 0x111111"), 0u);
}

}  // namespace
}  // namespace corvane
