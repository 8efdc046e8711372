// The pixel scale through the automation layer: a chart n times larger at scale n lays out
// as the small one at scale 1 (the same ticks and labels, every position n times as far
// from the corner), hit testing follows the scaled pens, and refused values change nothing.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "control/automation.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace {

struct Ticks {
  std::vector<double> values;
  std::vector<std::u16string> labels;
  bool operator==(const Ticks& o) const { return values == o.values && labels == o.labels; }
};

Ticks ReadTicks(CorvaneAutomation& c, std::int32_t axis) {
  Ticks t;
  std::int32_t n = -1;
  EXPECT_EQ(c.get_TickCount(axis, &n), kS_OK);
  for (std::int32_t k = 1; k <= n; ++k) {
    double v = 0;
    std::u16string label;
    c.get_TickValue(axis, k, &v);
    c.get_TickLabel(axis, k, &label);
    t.values.push_back(v);
    t.labels.push_back(label);
  }
  return t;
}

IRect Area(CorvaneAutomation& c) {
  IRect r{};
  c.get_PlotAreaLeft(&r.left);
  c.get_PlotAreaTop(&r.top);
  c.get_PlotAreaRight(&r.right);
  c.get_PlotAreaBottom(&r.bottom);
  return r;
}

void Walk(CorvaneAutomation& c) {
  c.put_plotsCount(1);
  for (int k = 0; k <= 40; ++k) c.AddPointToPlot(1, k * 0.75, 4.3 + 8.1 * std::sin(k * 0.3));
}

struct LayoutCase {
  const char* name;
  std::function<void(CorvaneAutomation&)> build;
};

const std::vector<LayoutCase>& LayoutCases() {
  static const std::vector<LayoutCase> cases = {
      {"the grid's own division", Walk},
      {"round ticks on both axes",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(1);
         c.put_YAxisType(1);
         Walk(c);
       }},
      {"dates in days",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(2);
         c.SetSegment(45000.25, 45003.75);
       }},
      {"a logarithmic vertical axis",
       [](CorvaneAutomation& c) {
         c.put_YAxisType(4);
         c.put_plotsCount(1);
         for (double y : {0.5, 3.0, 70.0, 2000.0}) c.AddPointToPlot(1, y, y);
       }},
      {"the user-type grid", [](CorvaneAutomation& c) {
         c.SetUserTypeGrid();
         Walk(c);
       }},
  };
  return cases;
}

TEST(PixelScale, ALargerPictureAtItsScaleLaysOutAsTheSmallOne) {
  RasterGraphicsSystem graphics;
  for (const double scale : {2.0, 1.5, 3.0}) {
    for (const LayoutCase& tc : LayoutCases()) {
      SCOPED_TRACE(std::string(tc.name) + " at " + std::to_string(scale));
      CorvaneAutomation small(graphics), large(graphics);
      small.SetSize(800, 600);
      large.SetSize(static_cast<std::int32_t>(800 * scale), static_cast<std::int32_t>(600 * scale));
      ASSERT_EQ(large.put_PixelScale(scale), kS_OK);
      tc.build(small);
      tc.build(large);
      for (std::int32_t axis : {0, 1}) {
        const Ticks a = ReadTicks(small, axis), b = ReadTicks(large, axis);
        EXPECT_TRUE(a == b) << "axis " << axis << ": " << a.values.size() << " ticks against "
                            << b.values.size();
      }
      const IRect a = Area(small), b = Area(large);
      EXPECT_NEAR(b.left, a.left * scale, 1);
      EXPECT_NEAR(b.top, a.top * scale, 1);
      EXPECT_NEAR(b.right, a.right * scale, 2);
      EXPECT_NEAR(b.bottom, a.bottom * scale, 2);
      // The world window and where it maps: the same values, n times the pixels.
      double lo = 0, hi = 0, lo2 = 0, hi2 = 0;
      small.get_WorldYMin(&lo);
      small.get_WorldYMax(&hi);
      large.get_WorldYMin(&lo2);
      large.get_WorldYMax(&hi2);
      EXPECT_EQ(lo, lo2);
      EXPECT_EQ(hi, hi2);
      double px = 0, px2 = 0;
      small.WorldToPixelY((lo + hi) / 2, &px);
      large.WorldToPixelY((lo + hi) / 2, &px2);
      EXPECT_NEAR(px2, px * scale, 2);
    }
  }
}

TEST(PixelScale, HitTestingFollowsTheScaledPenWithTheRadiusInDevicePixels) {
  RasterGraphicsSystem graphics;
  // A plot of pen 8, flat around x = 5: 6 device pixels below it lies on it at scale 2 (a
  // 16-pixel pen, reaching 8) and at 1.75 (14), not at 1 (8) or 1.2 (10) unless the radius
  // makes up the rest.
  struct Case {
    double scale;
    double radius;
    bool hit;
  } const cases[] = {{1, 0, false}, {2, 0, true}, {1, 3, true}, {1.75, 0, true}, {1.2, 0, false}};
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.scale);
    CorvaneAutomation c(graphics);
    c.SetSize(400, 300);
    ASSERT_EQ(c.put_PixelScale(tc.scale), kS_OK);
    c.put_plotsCount(1);
    c.SetSimplePlot(1);
    c.SetPlotWidth(1, 8);
    for (int k = 0; k <= 10; ++k) c.AddPointToPlot(1, k, k < 10 ? 1.0 : 3.0);
    c.SetSegment(0, 12);
    double x = 0, y = 0;
    ASSERT_EQ(c.WorldToPixelX(5, &x), kS_OK);
    ASSERT_EQ(c.WorldToPixelY(1, &y), kS_OK);
    ChartHit hit;
    ASSERT_EQ(c.HitTest(x, y + 6, tc.radius, &hit), kS_OK);
    EXPECT_EQ(hit.plot == 1, tc.hit) << hit.kind << " " << hit.distance << " at " << x << "," << y;
  }
}

TEST(PixelScale, ValuesOutsideOneToFourAreRefusedAndTheScaleStays) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation c(graphics);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    double value;
    HResult result;
    double after;
  } const cases[] = {{1.25, kS_OK, 1.25}, {0.999, kE_INVALIDARG, 1.25}, {4.0001, kE_INVALIDARG, 1.25},
                     {nan, kE_INVALIDARG, 1.25}, {inf, kE_INVALIDARG, 1.25},
                     {-2, kE_INVALIDARG, 1.25}, {4, kS_OK, 4}, {1, kS_OK, 1}};
  for (const Case& tc : cases) {
    SCOPED_TRACE(tc.value);
    EXPECT_EQ(c.put_PixelScale(tc.value), tc.result);
    double v = 0;
    ASSERT_EQ(c.get_PixelScale(&v), kS_OK);
    EXPECT_EQ(v, tc.after);
  }
  EXPECT_EQ(c.get_PixelScale(nullptr), kE_POINTER);
}

}  // namespace
}  // namespace corvane
