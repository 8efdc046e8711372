// The read-back members: the window and plot area of the layout a render draws with, the
// mapping both ways, the stored points, and what a refused call leaves alone.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "control/automation.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Layout {
  double xmin, xmax, ymin, ymax;
  std::int32_t left, top, right, bottom;
};

Layout ReadBack(CorvaneAutomation& c) {
  Layout l{};
  EXPECT_EQ(c.get_WorldXMin(&l.xmin), kS_OK);
  EXPECT_EQ(c.get_WorldXMax(&l.xmax), kS_OK);
  EXPECT_EQ(c.get_WorldYMin(&l.ymin), kS_OK);
  EXPECT_EQ(c.get_WorldYMax(&l.ymax), kS_OK);
  EXPECT_EQ(c.get_PlotAreaLeft(&l.left), kS_OK);
  EXPECT_EQ(c.get_PlotAreaTop(&l.top), kS_OK);
  EXPECT_EQ(c.get_PlotAreaRight(&l.right), kS_OK);
  EXPECT_EQ(c.get_PlotAreaBottom(&l.bottom), kS_OK);
  return l;
}

double Px(CorvaneAutomation& c, double x) {
  double v = kNaN;
  EXPECT_EQ(c.WorldToPixelX(x, &v), kS_OK);
  return v;
}
double Py(CorvaneAutomation& c, double y) {
  double v = kNaN;
  EXPECT_EQ(c.WorldToPixelY(y, &v), kS_OK);
  return v;
}

// The charts of the table: a plot with markers under several layouts.
struct LayoutCase {
  const char* name;
  std::function<void(CorvaneAutomation&)> build;
  Layout expected;
};

void ThreePoints(CorvaneAutomation& c) {
  c.SetSize(400, 300);
  c.put_plotsCount(1);
  c.AddPointToPlot(1, 1, 5);
  c.AddPointToPlot(1, 2, 7);
  c.AddPointToPlot(1, 3, 6);
  c.SetSimplePlot(1);
  c.SetPointVisible(1, kVariantTrue);
}

const LayoutCase kLayouts[] = {
    // No SetSegment: the horizontal range the first layout repairs to, 10 % margin in y.
    {"default grid", ThreePoints, {-1, 1, 4.8, 7.2, 65, 60, 335, 265}},
    {"segment window",
     [](CorvaneAutomation& c) {
       ThreePoints(c);
       c.SetSegment(1, 3);
     },
     {1, 3, 4.8, 7.2, 65, 60, 335, 265}},
    {"no caption",
     [](CorvaneAutomation& c) {
       ThreePoints(c);
       c.SetSegment(0.5, 3.5);
       c.put_captionVisible(kVariantFalse);
     },
     {0.5, 3.5, 4.8, 7.2, 65, 35, 335, 265}},
    {"user grid",
     [](CorvaneAutomation& c) {
       ThreePoints(c);
       for (const char16_t* label : {u"a", u"b", u"c"}) c.AddLabelToGrid(label, 1);
       c.SetUserTypeGrid();
       c.SetSegment(2, 3);
     },
     {2, 3, 4.8, 7.2, 65, 30, 335, 265}},
    {"rectangle ends the range",
     [](CorvaneAutomation& c) {
       ThreePoints(c);
       c.SetSegment(0, 4);
       c.AddRectangle(0, 20, 1, 5, 0, 0.5);
     },
     {0, 4, 5, 20, 65, 60, 335, 265}},
};

TEST(ReadBack, EachLayoutIsTheOneTheRenderDrawsWith) {
  for (const LayoutCase& t : kLayouts) {
    SCOPED_TRACE(t.name);
    RecordingGraphicsSystem graphics;
    CorvaneAutomation chart(graphics);
    t.build(chart);
    const Layout l = ReadBack(chart);
    EXPECT_EQ(chart.engine().layoutPassCount, 1u) << "read-back lays the chart out once";
    EXPECT_DOUBLE_EQ(l.xmin, t.expected.xmin);
    EXPECT_DOUBLE_EQ(l.xmax, t.expected.xmax);
    EXPECT_NEAR(l.ymin, t.expected.ymin, 1e-12);
    EXPECT_NEAR(l.ymax, t.expected.ymax, 1e-12);
    EXPECT_EQ(l.left, t.expected.left);
    EXPECT_EQ(l.top, t.expected.top);
    EXPECT_EQ(l.right, t.expected.right);
    EXPECT_EQ(l.bottom, t.expected.bottom);
    // The window's corners map onto the plot area's.
    EXPECT_DOUBLE_EQ(Px(chart, l.xmin), l.left);
    EXPECT_DOUBLE_EQ(Px(chart, l.xmax), l.right);
    EXPECT_DOUBLE_EQ(Py(chart, l.ymin), l.bottom);
    EXPECT_NEAR(Py(chart, l.ymax), l.top, 1e-9);

    // The render that follows draws with this layout and does not lay out again: each
    // marker square the plot paints sits at the truncated read-back position.
    graphics.log().Clear();
    DibPicture picture;
    ASSERT_EQ(chart.get_Picture(&picture), kS_OK);
    EXPECT_EQ(chart.engine().layoutPassCount, 1u);
    std::vector<std::string> squares;
    for (const std::string& call : graphics.log().Named("FillRect")) squares.push_back(call);
    for (int k = 1; k <= 3; ++k) {
      double x = 0, y = 0;
      ASSERT_EQ(chart.get_PointX(1, k, &x), kS_OK);
      ASSERT_EQ(chart.get_PointY(1, k, &y), kS_OK);
      const double px = Px(chart, x), py = Py(chart, y);
      if (!(l.left <= px && px <= l.right)) continue;  // no marker outside the area
      const int cx = TruncToInt32(px), cy = TruncToInt32(py);
      const std::string square = "FillRect " + std::to_string(cx - 2) + " " +
                                 std::to_string(cy - 2) + " " + std::to_string(cx + 2) + " " +
                                 std::to_string(cy + 2);
      bool drawn = false;
      for (const std::string& s : squares) drawn = drawn || s.rfind(square, 0) == 0;
      EXPECT_TRUE(drawn) << "point " << k << ": no " << square << "\n" << graphics.log().Dump();
    }
  }
}

TEST(ReadBack, PixelToWorldUndoesWorldToPixel) {
  struct Window {
    double a, b;
  };
  const Window windows[] = {{0, 10}, {10, 0}, {-1e12, 3e12}, {1e-9, 2e-9}, {5, 5}};
  std::mt19937_64 random(20261210);
  for (const Window& w : windows) {
    RecordingGraphicsSystem graphics;
    CorvaneAutomation chart(graphics);
    chart.SetSize(640, 480);
    chart.put_plotsCount(1);
    chart.AddPointToPlot(1, w.a, -3);
    chart.AddPointToPlot(1, w.b, 1e6);
    chart.SetSegment(w.a, w.b);
    const Layout l = ReadBack(chart);
    std::uniform_real_distribution<double> xs(std::fmin(l.xmin, l.xmax), std::fmax(l.xmin, l.xmax));
    std::uniform_real_distribution<double> ys(l.ymin, l.ymax);
    for (int i = 0; i < 200; ++i) {
      const double x = xs(random), y = ys(random);
      double back = kNaN;
      ASSERT_EQ(chart.PixelToWorldX(Px(chart, x), &back), kS_OK);
      EXPECT_NEAR(back, x, 1e-9 * std::fabs(l.xmax - l.xmin)) << w.a << ".." << w.b;
      ASSERT_EQ(chart.PixelToWorldY(Py(chart, y), &back), kS_OK);
      EXPECT_NEAR(back, y, 1e-9 * (l.ymax - l.ymin));
      // And the other way: pixel -> world -> pixel.
      const double px = l.left + (l.right - l.left) * (i / 199.0);
      ASSERT_EQ(chart.PixelToWorldX(px, &back), kS_OK);
      EXPECT_NEAR(Px(chart, back), px, 1e-6);
    }
  }
}

// Each refused call answers its code, writes nothing and lays nothing out.
TEST(ReadBack, BadInputIsRefusedAndChangesNothing) {
  RecordingGraphicsSystem graphics;
  CorvaneAutomation chart(graphics);
  chart.put_plotsCount(2);
  chart.AddPointToPlot(1, 1, 2);
  chart.AddPointToPlot(1, 2, 3);

  struct Call {
    const char* name;
    std::function<HResult(double*)> run;
    HResult expected;
  };
  auto x = [&](double v) { return [&chart, v](double* out) { return chart.WorldToPixelX(v, out); }; };
  auto px = [&](double v) { return [&chart, v](double* out) { return chart.PixelToWorldY(v, out); }; };
  auto point = [&](std::int32_t plot, std::int32_t index) {
    return [&chart, plot, index](double* out) { return chart.get_PointY(plot, index, out); };
  };
  const Call noSize[] = {
      {"a picture with no size", x(1), kE_INVALIDARG},
      {"plot 0", point(0, 1), kE_INVALIDARG},
      {"plot 9", point(9, 1), kE_INVALIDARG},
      {"index 0", point(1, 0), kE_INVALIDARG},
      {"index beyond the points", point(1, 3), kE_INVALIDARG},
      {"an empty plot", point(2, 1), kE_INVALIDARG},
  };
  for (const Call& c : noSize) {
    double out = 42;
    EXPECT_EQ(c.run(&out), c.expected) << c.name;
    EXPECT_EQ(out, 42) << c.name;
  }
  std::int32_t edge = 42;
  EXPECT_EQ(chart.get_PlotAreaTop(&edge), kE_INVALIDARG);
  EXPECT_EQ(edge, 42);
  EXPECT_EQ(chart.engine().layoutPassCount, 0u);

  chart.SetSize(400, 300);
  const Call sized[] = {
      {"NaN", x(kNaN), kE_INVALIDARG},
      {"infinity", px(-kInf), kE_INVALIDARG},
  };
  for (const Call& c : sized) {
    double out = 42;
    EXPECT_EQ(c.run(&out), c.expected) << c.name;
    EXPECT_EQ(out, 42) << c.name;
  }
  EXPECT_EQ(chart.engine().layoutPassCount, 0u) << "a refused argument lays nothing out";
  double far = 42;
  EXPECT_EQ(chart.WorldToPixelX(1e308, &far), kE_INVALIDARG) << "a result beyond the doubles";
  EXPECT_EQ(far, 42);
  EXPECT_EQ(chart.WorldToPixelX(1, nullptr), kE_POINTER);
  EXPECT_EQ(chart.get_WorldXMin(nullptr), kE_POINTER);
  EXPECT_EQ(chart.get_PointX(1, 1, nullptr), kE_POINTER);

  // Windows and plot areas that cannot be mapped: answered, never a NaN.
  const std::function<void()> degenerate[] = {
      [&] { chart.SetSegment(kNaN, 1); },
      [&] { chart.SetSegment(0, kInf); },
      [&] { chart.SetSize(130, 300); },  // a plot area of no width
  };
  for (const auto& make : degenerate) {
    chart.SetSegment(0, 1);
    chart.SetSize(400, 300);
    make();
    double out = 42;
    EXPECT_EQ(chart.WorldToPixelX(0.5, &out), kE_INVALIDARG);
    EXPECT_EQ(chart.PixelToWorldX(100, &out), kE_INVALIDARG);
    EXPECT_EQ(out, 42);
  }
}

}  // namespace
}  // namespace corvane
