// Every object a polygon, rectangle or candlestick makes is released, and the clip put back,
// whichever creation fails; a translucent fill is never blended once one has failed (no
// blend without the polygon mask, none from an unfilled bitmap).
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "control/chart_engine.h"
#include "faulty_dc.h"
#include "overlays/candlestick.h"
#include "overlays/chart_polygon.h"
#include "overlays/chart_rect.h"
#include "overlays/line_style.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

using testing::FaultCounter;
using testing::FaultyDc;

constexpr IRect kPlot{65, 60, 335, 265};

CChartPolygon Shape(double transparency) {
  CChartPolygon p;
  for (DPoint d : {DPoint{50, 50}, DPoint{300, 80}, DPoint{200, 280}}) p.points.Append(d);
  p.transparency = transparency;
  p.fillColor = 0x00FF00;
  return p;
}

CChartRect Band() {
  CChartRect r;
  r.L = 1, r.T = 5, r.R = 3, r.B = 2;
  r.transparency = 0.25;
  r.hasBorder = 1;
  r.borderWidth = 2;
  r.borderStyle = 1;
  r.xmin = 0, r.xmax = 10, r.ymin = 0, r.ymax = 10;
  r.left = kPlot.left, r.right = kPlot.right, r.top = kPlot.top, r.bottom = kPlot.bottom;
  return r;
}

CCandleStick Stick() {
  CCandleStick c;
  c.X = 2, c.Open = 3, c.Close = 6, c.High = 8, c.Low = 1;
  c.xmin = 0, c.xmax = 10, c.ymin = 0, c.ymax = 10;
  c.left = kPlot.left, c.right = kPlot.right, c.top = kPlot.top, c.bottom = kPlot.bottom;
  return c;
}

// A 400 x 300 chart over x [0, 10], y [0, 10] with two translucent polygons and two
// translucent rectangles: the fills of each pass share one bitmap.
void TwoOfEach(CChartEngine& engine) {
  engine.SetSize(400, 300);
  engine.world = WorldWindow{0, 10, 0, 10};
  for (int k = 0; k < 2; ++k) {
    CChartPolygon p = Shape(0.5);
    p.points.Clear();
    for (DPoint d : {DPoint{1.0 + k, 1}, DPoint{6.0 + k, 2}, DPoint{3.0 + k, 8}}) p.points.Append(d);
    engine.polygons.Append(std::move(p));
    CChartRect r = Band();
    r.L += 4 * k, r.R += 5 * k;
    engine.rectangles.Append(std::move(r));
  }
}

TEST(OverlayRelease, EveryFailedCreationLeavesNothingBehind) {
  struct Case {
    const char* name;
    std::function<void(DeviceContext&)> draw;
    bool oneFill = true;  // then no blend may follow a refused creation
  };
  const Case cases[] = {
      {"translucent polygon with border",
       [](DeviceContext& dc) {
         const CChartPolygon p = Shape(0.5);
         p.FillPolygonClipped(kPlot, dc);
         p.DrawPolygonBorderClipped(kPlot, dc);
       }},
      {"opaque polygon", [](DeviceContext& dc) { Shape(1.0).FillPolygonClipped(kPlot, dc); }},
      {"translucent rectangle with dashed border",
       [](DeviceContext& dc) { Band().DrawClipped(kPlot, dc); }},
      {"candlestick", [](DeviceContext& dc) { WithClipRect(kPlot, dc, [&] { Stick().Draw(dc); }); }},
      {"polygons sharing a blend bitmap",
       [](DeviceContext& dc) {
         CChartEngine e;
         TwoOfEach(e);
         e.DrawPolygons(dc);
       },
       false},
      {"rectangles sharing a blend bitmap",
       [](DeviceContext& dc) {
         CChartEngine e;
         TwoOfEach(e);
         e.DrawRectangles(dc);
       },
       false},
  };
  for (const Case& k : cases) {
    FaultCounter counter;
    {
      RecordingDc inner(400, 300);
      FaultyDc dc(inner, counter);
      k.draw(dc);
      EXPECT_GT(inner.log().Count("Polygon") + inner.log().Count("AlphaBlend") +
                    inner.log().Count("Rectangle"),
                0u)
          << k.name << ": draws something when nothing fails";
    }
    const int creations = counter.made;
    for (int failAt = 1; failAt <= creations; ++failAt) {
      RecordingDc inner(400, 300);
      const ObjHandle clip = inner.CreateRectRgn(10, 20, 390, 280);
      inner.SelectClipRgn(clip);
      inner.DeleteObject(clip);
      FaultCounter faults;
      faults.failAt = failAt;
      FaultyDc dc(inner, faults);
      inner.log().Clear();
      k.draw(dc);
      const std::string where = std::string(k.name) + ", creation " + std::to_string(failAt) +
                                " fails\n" + inner.log().Dump();
      EXPECT_EQ(faults.failed, 1) << where;
      EXPECT_EQ(inner.recordingSystem().LiveObjectCount(), 0u) << where;
      IRect box{};
      inner.GetClipBox(&box);
      EXPECT_TRUE(box.left == 10 && box.top == 20 && box.right == 390 && box.bottom == 280) << where;
      // Each case has one fill, and its border comes after it: no blend may follow a
      // refused creation.
      if (k.oneFill) {
        EXPECT_EQ(faults.blendsAfterFailure, 0) << where;
      }
    }
  }
}

}  // namespace
}  // namespace corvane
