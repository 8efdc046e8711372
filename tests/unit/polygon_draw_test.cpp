// Polygon overlays: which fill path a transparency takes, the thinning of the fill outline,
// hidden polygons, and the windows and values that must draw nothing or stay bounded.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "overlays/chart_polygon.h"
#include "overlay_test_support.h"

namespace corvane {
namespace {

using testing::LastNumber;
using testing::RasterPicture;
using testing::RecordedChart;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Polygon 1 is a triangle over x [0, 10], y [2, 8]: 27 pixels per unit across.
void Triangle(CorvaneAutomation& c) {
  c.put_polygonsCount(2);
  c.AddPointToPolygon(1, 2, 2);
  c.AddPointToPolygon(1, 8, 2);
  c.AddPointToPolygon(1, 5, 8);
  c.SetSegment(0, 10);
}

TEST(PolygonDraw, DefaultsFillOpaqueBlackWithABlueOnePixelBorder) {
  RecordedChart r;
  Triangle(r.chart);
  const CallLog& log = r.Render();
  // Polygon 2 has no points: one fill and three border edges in all.
  ASSERT_EQ(log.Count("Polygon"), 1u) << log.Dump();
  EXPECT_EQ(log.Count("AlphaBlend"), 0u);
  const long fill = log.Find("Polygon");
  EXPECT_EQ(log.calls()[static_cast<std::size_t>(fill) - 1].text, "SelectObject nullpen");
  EXPECT_GE(log.Find("CreateSolidBrush 0x000000"), 0);
  EXPECT_EQ(log.Named("CreatePen").size(), 3u);
  for (const std::string& pen : log.Named("CreatePen")) EXPECT_EQ(pen, "CreatePen 1 0xff0000");
  EXPECT_EQ(log.Count("LineTo"), 3u);
  EXPECT_GT(log.Find("CreatePen", static_cast<std::size_t>(fill)), fill);  // border after fill
}

TEST(PolygonDraw, TransparencyChoosesBlendOrOpaqueAndTheBorderFollowsTheSetter) {
  struct Case {
    const char* name;
    std::function<void(CorvaneAutomation&)> set;
    int alpha;            // -1: opaque Polygon
    const char* pen;      // border pen, nullptr: no border
  };
  const Case cases[] = {
      {"0.5 without border", [](CorvaneAutomation& c) { c.SetPolygonProperties(1, 0x00FF00, 0.5); },
       127, nullptr},
      {"0.5 with a dashed black border",
       [](CorvaneAutomation& c) { c.SetPolygonProperties2(1, 0x00FF00, 0.5, 2, 1, 0x000000); }, 127,
       "CreatePen 2 0x000000"},
      {"0.0 keeps the border",
       [](CorvaneAutomation& c) { c.SetPolygonProperties2(1, 0x00FF00, 0.0, 1, 0, 0x0000FF); }, 0,
       "CreatePen 1 0x0000ff"},
      {"0.999 is still blended", [](CorvaneAutomation& c) { c.SetPolygonProperties(1, 0x00FF00, 0.999); },
       254, nullptr},
      {"1.0", [](CorvaneAutomation& c) { c.SetPolygonProperties(1, 0x00FF00, 1.0); }, -1, nullptr},
      {"1.5", [](CorvaneAutomation& c) { c.SetPolygonProperties(1, 0x00FF00, 1.5); }, -1, nullptr},
      {"-0.1", [](CorvaneAutomation& c) { c.SetPolygonProperties(1, 0x00FF00, -0.1); }, -1, nullptr},
      {"NaN", [](CorvaneAutomation& c) { c.SetPolygonProperties(1, 0x00FF00, kNaN); }, -1, nullptr},
      {"out-of-range border width and style",
       [](CorvaneAutomation& c) { c.SetPolygonProperties2(1, 0x00FF00, 1.0, 16, 5, 0x123456); }, -1,
       "CreatePen 1 0x123456"},
  };
  for (const Case& k : cases) {
    RecordedChart r;
    Triangle(r.chart);
    k.set(r.chart);
    const CallLog& log = r.Render();
    EXPECT_GE(log.Find("CreateSolidBrush 0x00ff00"), 0) << k.name;
    if (k.alpha < 0) {
      EXPECT_EQ(log.Count("Polygon"), 1u) << k.name;
      EXPECT_EQ(log.Count("AlphaBlend"), 0u) << k.name;
    } else {
      EXPECT_EQ(log.Count("Polygon"), 0u) << k.name;
      const std::vector<std::string> blends = log.Named("AlphaBlend");
      ASSERT_EQ(blends.size(), 1u) << k.name;
      EXPECT_EQ(LastNumber(blends[0]), k.alpha) << k.name;
      // Through the polygon's own region, ANDed with the plot-area clip.
      EXPECT_TRUE(testing::Before(log, "ExtSelectClipRgnAnd", "AlphaBlend")) << k.name;
    }
    if (k.pen) {
      EXPECT_GE(log.Find(k.pen), 0) << k.name;
      EXPECT_GE(log.Count("LineTo"), 3u) << k.name;
    } else {
      EXPECT_EQ(log.Count("CreatePen"), 0u) << k.name;
      EXPECT_EQ(log.Count("LineTo"), 0u) << k.name;
    }
  }
}

TEST(PolygonDraw, ThinningDropsPointsWithinTwoPixelsOfTheLastKeptOne) {
  struct Case {
    const char* name;
    std::vector<DPoint> in;
    std::string fill;  // the Polygon call
  };
  const Case cases[] = {
      // Squared distances from (10, 10): 4 (dropped), 2 (dropped), 5 (kept).
      {"4 and 2 dropped, 5 kept",
       {{10, 10}, {12, 10}, {11, 11}, {12, 11}, {40, 40}, {10.9, 40.7}},
       "Polygon 4 10 10 12 11 40 40 10 40"},
      {"the closing edge is not tested", {{10, 10}, {40, 10}, {40, 40}, {11, 11}},
       "Polygon 4 10 10 40 10 40 40 11 11"},
      // A box 2 pixels wide keeps only 2 points: filled with all 4 instead.
      {"fewer than 3 left: unthinned", {{10, 10}, {12, 10}, {12, 30}, {10, 30}},
       "Polygon 4 10 10 12 10 12 30 10 30"},
  };
  for (const Case& k : cases) {
    CChartPolygon poly;
    for (const DPoint& p : k.in) poly.points.Append(p);
    RecordingDc dc;
    poly.FillPolygon(dc);
    EXPECT_EQ(dc.log().Named("Polygon"), std::vector<std::string>{k.fill}) << k.name;
    dc.log().Clear();
    poly.DrawPolygonBorder(dc);
    EXPECT_EQ(dc.log().Count("LineTo"), k.in.size()) << k.name << ": the border uses every point";
  }
}

TEST(PolygonDraw, HiddenPolygonsDrawNeitherFillNorBorder) {
  RecordedChart r;
  Triangle(r.chart);
  r.chart.AddPointToPolygon(2, 1, 3);
  r.chart.AddPointToPolygon(2, 3, 3);
  r.chart.AddPointToPolygon(2, 2, 5);
  r.chart.SetPolygonVisible(1, 0);
  const CallLog& log = r.Render();
  EXPECT_EQ(log.Count("Polygon"), 1u);
  EXPECT_EQ(log.Named("Polygon")[0].substr(0, 9), "Polygon 3");
  EXPECT_EQ(log.Count("LineTo"), 3u);  // polygon 2's border only
  r.chart.SetPolygonVisible(2, 0);
  EXPECT_EQ(r.Render().Count("Polygon"), 0u);
  EXPECT_EQ(r.log().Count("LineTo"), 0u);
}

// Values and windows that cannot be mapped: each render finishes, draws what it should and
// nothing that is NaN.
TEST(PolygonDraw, UnmappableWindowsAndValuesDrawNothingForTheirPolygon) {
  struct Case {
    const char* name;
    std::function<void(CorvaneAutomation&)> set;
    std::size_t fills;
  };
  const Case cases[] = {
      {"a window of a few ulps at 1e17",
       [](CorvaneAutomation& c) { c.SetSegment(1e17, 1e17); }, 0},
      {"a window so narrow the scale overflows",
       [](CorvaneAutomation& c) { c.SetSegment(0, 5e-324); }, 0},
      {"an infinite window", [](CorvaneAutomation& c) { c.SetSegment(-kInf, kInf); }, 0},
      {"a NaN window", [](CorvaneAutomation& c) { c.SetSegment(kNaN, 10); }, 0},
      {"a NaN point leaves its polygon out",
       [](CorvaneAutomation& c) { c.AddPointToPolygon(2, 1, 3), c.AddPointToPolygon(2, kNaN, 3),
                                  c.AddPointToPolygon(2, 2, 5); },
       1},
      {"an infinite point is drawn saturated, the range ignores it",
       [](CorvaneAutomation& c) { c.AddPointToPolygon(2, 1, 3), c.AddPointToPolygon(2, 3, kInf),
                                  c.AddPointToPolygon(2, 2, 5); },
       2},
  };
  for (const Case& k : cases) {
    RecordedChart r;
    Triangle(r.chart);
    k.set(r.chart);
    const CallLog& log = r.Render();
    EXPECT_EQ(log.Count("Polygon"), k.fills) << k.name;
    EXPECT_EQ(log.Count("LineTo"), 3 * k.fills) << k.name;
    EXPECT_TRUE(std::isfinite(r.chart.engine().world.ymin)) << k.name;
    EXPECT_TRUE(std::isfinite(r.chart.engine().world.ymax)) << k.name;
  }
}

TEST(PolygonDraw, TranslucentShapesFarLargerThanThePictureBlendOnlyTheClipBox) {
  RecordedChart r;
  Triangle(r.chart);
  r.chart.AddPointToPolygon(2, -1e9, -1e9);
  r.chart.AddPointToPolygon(2, 1e9, -1e9);
  r.chart.AddPointToPolygon(2, 0, 1e12);
  r.chart.SetPolygonProperties(2, 0x0000FF, 0.5);
  const CallLog& log = r.Render();
  const std::vector<std::string> dibs = log.Named("CreateDIBSection24");
  ASSERT_EQ(dibs.size(), 1u) << log.Dump();
  EXPECT_EQ(dibs[0], "CreateDIBSection24 270 205");  // the plot area, not 2e9 pixels wide
  EXPECT_EQ(log.Named("AlphaBlend")[0], "AlphaBlend 65 60 270 205 d2 0 0 270 205 127");
}

TEST(PolygonDraw, FarVerticesKeepTheirEdgesWhereThePictureIs) {
  // Edges from (10, 10) and (10, 90) to a vertex 1e12 pixels away climb 1 pixel in 100:
  // at x = 90 the shape spans y 10.8 .. 90.8. Truncating the far vertex to the int32 limit
  // would turn them to 45 degrees.
  for (double t : {1.0, 0.5}) {
    CChartPolygon poly;
    for (DPoint p : {DPoint{10, 10}, DPoint{1e12, 1e10 + 10}, DPoint{10, 90}}) poly.points.Append(p);
    poly.transparency = t;
    RasterPicture pic(100, 100);
    poly.FillPolygon(pic.dc());
    const Color ink = t == 1.0 ? 0x000000u : MakeColor(128, 128, 128);
    EXPECT_EQ(pic.At(90, 50), ink) << t;
    EXPECT_EQ(pic.At(90, 12), ink) << t;
    EXPECT_EQ(pic.At(90, 9), 0xFFFFFFu) << t;
    EXPECT_EQ(pic.At(90, 92), 0xFFFFFFu) << t;
  }
}

}  // namespace
}  // namespace corvane
