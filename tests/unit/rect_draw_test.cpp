// Rectangle overlays: orientation and size rules, the blend and border they hand to the
// polygon primitive, the plot-area clip and visibility.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "overlay_test_support.h"

namespace corvane {
namespace {

using testing::LastNumber;
using testing::RasterPicture;
using testing::RecordedChart;
using testing::NoDrawingGraphicsSystem;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// LineTo calls of each border edge (every edge makes its own pen).
std::vector<std::size_t> LineTosPerEdge(const CallLog& log) {
  std::vector<std::size_t> edges;
  for (const RecordedCall& c : log.calls()) {
    if (c.Name() == "CreatePen") edges.push_back(0);
    if (c.Name() == "LineTo" && !edges.empty()) ++edges.back();
  }
  return edges;
}

TEST(RectDraw, OrientationSizeAndBorderRules) {
  struct Case {
    const char* name;
    std::function<void(CorvaneAutomation&)> add;
    int alpha;  // -2: nothing drawn, -1: opaque
    std::vector<std::size_t> edges;  // LineTos per border edge
    const char* pen;
    const char* shape;  // the Polygon or region outline
  };
  const Case cases[] = {
      {"yellow band at 0.25, no border",
       [](CorvaneAutomation& c) { c.AddRectangle(1, 5, 3, 2, 0x00FFFF, 0.25); }, 63, {}, nullptr,
       "4 92 60 146 60 146 265 92 265"},
      {"top below bottom draws nothing",
       [](CorvaneAutomation& c) { c.AddRectangle(1, 2, 3, 5, 0x00FFFF, 0.25); }, -2, {}, nullptr, ""},
      {"left right of right draws nothing",
       [](CorvaneAutomation& c) { c.AddRectangle(3, 5, 1, 2, 0x00FFFF, 0.25); }, -2, {}, nullptr, ""},
      {"a NaN edge draws nothing",
       [](CorvaneAutomation& c) { c.AddRectangle(kNaN, 5, 3, 2, 0x00FFFF, 0.25); }, -2, {}, nullptr, ""},
      {"width 0 and style 9 give a solid 1-pixel border",
       [](CorvaneAutomation& c) { c.AddRectangle2(1, 5, 3, 2, 0x00FFFF, 1.0, 0, 9, 0x0000FF); }, -1,
       {1, 1, 1, 1}, "CreatePen 1 0x0000ff", "4 92 60 146 60 146 265 92 265"},
      // 243 x 205 pixels: dotted only along the sides of at least 210 pixels.
      {"width 15 and style 4 dot the long sides only",
       [](CorvaneAutomation& c) { c.AddRectangle2(0.5, 5, 9.5, 2, 0x00FFFF, 1.0, 15, 4, 0x0000FF); },
       -1, {3, 1, 3, 1}, "CreatePen 15 0x0000ff", "4 78 60 321 60 321 265 78 265"},
  };
  for (const Case& k : cases) {
    RecordedChart r;
    r.chart.SetSegment(0, 10);
    r.chart.AddLine(0, 2, 0, 5, 1, 0, 0);  // the vertical range [2, 5], whatever the rectangle
    r.chart.SetLineVisible(1, 0);
    k.add(r.chart);
    const CallLog& log = r.Render();
    const std::vector<std::string> blends = log.Named("AlphaBlend");
    if (k.alpha == -2) {
      EXPECT_EQ(log.Count("Polygon") + blends.size() + log.Count("CreateSolidBrush"), 0u) << k.name;
    } else if (k.alpha == -1) {
      EXPECT_EQ(log.Named("Polygon"), std::vector<std::string>{std::string("Polygon ") + k.shape})
          << k.name;
    } else {
      ASSERT_EQ(blends.size(), 1u) << k.name;
      EXPECT_EQ(LastNumber(blends[0]), k.alpha) << k.name;
      EXPECT_EQ(log.Named("CreatePolygonRgn")[0], std::string("CreatePolygonRgn ") + k.shape) << k.name;
    }
    EXPECT_EQ(LineTosPerEdge(log), k.edges) << k.name;
    if (k.pen) {
      for (const std::string& pen : log.Named("CreatePen")) EXPECT_EQ(pen, k.pen) << k.name;
    }
  }
}

TEST(RectDraw, OnePixelIsEnoughAndLessIsNothing) {
  for (double right : {11.0, 10.999}) {
    NoDrawingGraphicsSystem g;
    CorvaneAutomation c(g);
    c.SetSize(RecordedChart::kWidth, RecordedChart::kHeight);
    c.SetSegment(0, 270);  // one pixel per unit
    c.AddRectangle(10, 5, right, 2, 0x000000, 0.5);
    RasterPicture pic(RecordedChart::kWidth, RecordedChart::kHeight);
    c.engine().RenderChart(&pic.dc());
    EXPECT_EQ(pic.At(75, 150), right == 11.0 ? MakeColor(128, 128, 128) : 0xFFFFFFu) << right;
    EXPECT_EQ(pic.At(76, 150), 0xFFFFFFu);
  }
}

TEST(RectDraw, LargerThanTheWindowIsCutToThePlotArea) {
  NoDrawingGraphicsSystem g;
  CorvaneAutomation c(g);
  c.SetSize(RecordedChart::kWidth, RecordedChart::kHeight);
  c.put_arrowVisible(0);  // the frame and the arrows would lie on the probed edges
  c.put_gridVisible(3);
  c.SetSegment(0, 10);
  c.AddLine(0, 0, 10, 10, 1, 0, 0);
  c.AddRectangle(-1e12, 1e12, 1e12, -1e12, 0x000000, 0.5);
  RasterPicture pic(RecordedChart::kWidth, RecordedChart::kHeight);
  c.engine().RenderChart(&pic.dc());
  const Color gray = MakeColor(128, 128, 128);
  struct Probe {
    std::int32_t x, y;
    Color want;
  };
  for (const Probe& p : {Probe{65, 60, gray}, Probe{334, 264, gray}, Probe{64, 150, 0xFFFFFF},
                         Probe{335, 150, 0xFFFFFF}, Probe{200, 59, 0xFFFFFF}, Probe{200, 265, 0xFFFFFF}})
    EXPECT_EQ(pic.At(p.x, p.y), p.want) << p.x << "," << p.y;
}

TEST(RectDraw, HidingTheSecondLeavesTheFirst) {
  RecordedChart r;
  r.chart.SetSegment(0, 10);
  r.chart.AddRectangle(1, 5, 3, 2, 0x00FFFF, 0.25);
  r.chart.AddRectangle(4, 5, 6, 2, 0x00FF00, 0.5);
  r.chart.SetRectVisible(2, 0);
  VariantBool v = kVariantTrue;
  r.chart.GetRectVisible(2, &v);
  EXPECT_EQ(v, 0);
  const std::vector<std::string> blends = r.Render().Named("AlphaBlend");
  ASSERT_EQ(blends.size(), 1u);
  EXPECT_EQ(LastNumber(blends[0]), 63);
}

TEST(RectDraw, RecordsWithoutALayoutDrawNothing) {
  RecordingDc dc(400, 300);
  CChartRect rect;  // window copies all 0
  rect.L = 1, rect.T = 5, rect.R = 3, rect.B = 2;
  rect.DrawClipped(IRect{65, 60, 335, 265}, dc);
  EXPECT_EQ(dc.log().Count("Polygon") + dc.log().Count("AlphaBlend"), 0u);
}

}  // namespace
}  // namespace corvane
