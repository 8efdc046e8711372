// The axes through the automation layer: the ticks each axis type lays out, read back as a
// host reads them, against the window and the mapping the drawers use; fitting the window to
// the data; what refused calls leave alone.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "appearance/calendar.h"
#include "control/automation.h"
#include "platform/raster/raster_system.h"
#include "platform/recording_dc.h"

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Ticks {
  std::vector<double> values;
  std::vector<std::string> labels;
};

std::string Narrow(const std::u16string& s) { return std::string(s.begin(), s.end()); }

Ticks ReadTicks(CorvaneAutomation& c, std::int32_t axis) {
  Ticks t;
  std::int32_t n = -1;
  EXPECT_EQ(c.get_TickCount(axis, &n), kS_OK);
  for (std::int32_t k = 1; k <= n; ++k) {
    double v = kNaN;
    std::u16string label;
    EXPECT_EQ(c.get_TickValue(axis, k, &v), kS_OK);
    EXPECT_EQ(c.get_TickLabel(axis, k, &label), kS_OK);
    t.values.push_back(v);
    t.labels.push_back(Narrow(label));
  }
  return t;
}

void Put(CorvaneAutomation& c, HResult (CorvaneAutomation::*put)(const char16_t*, std::uint32_t),
         const std::u16string& s, HResult expected = kS_OK) {
  EXPECT_EQ((c.*put)(s.data(), static_cast<std::uint32_t>(s.size())), expected);
}

double OleDay(int y, int m, int d) {
  return static_cast<double>(DaysFromCivil(y, m, d) + kOleDaysBefore1970);
}

struct AxisCase {
  const char* name;
  std::function<void(CorvaneAutomation&)> build;
  std::int32_t axis;
  std::vector<std::string> labels;  // the ticks' labels, in order
  bool widened;                     // the vertical window ends on its first and last tick
};

const std::vector<AxisCase>& Cases() {
  static const std::vector<AxisCase> cases = {
      {"the grid's own division reads back as it is drawn",
       [](CorvaneAutomation& c) {
         c.put_plotsCount(1);
         for (int k = 0; k <= 4; ++k) c.AddPointToPlot(1, k, 4.3 + 8.1 * k);
       },
       1, {"1.06", "7.54", "14.02", "20.50", "26.98", "33.46", "39.94"}, false},
      {"round ticks widen the vertical range",
       [](CorvaneAutomation& c) {
         c.put_YAxisType(1);
         c.put_plotsCount(1);
         for (int k = 0; k <= 4; ++k) c.AddPointToPlot(1, k, 4.3 + 8.1 * k);
       },
       1, {"0", "5", "10", "15", "20", "25", "30", "35", "40"}, true},
      {"round ticks of one format share their decimals",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(1);
         c.SetSegment(0.25, 3.1);
       },
       0, {"0.4", "0.6", "0.8", "1.0", "1.2", "1.4", "1.6", "1.8", "2.0", "2.2", "2.4", "2.6",
           "2.8", "3.0"}, false},
      {"a label format",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(1);
         Put(c, &CorvaneAutomation::put_XLabelFormat, u"$#,##0");
         c.SetSegment(0, 4000);
       },
       0, {"$0", "$500", "$1,000", "$1,500", "$2,000", "$2,500", "$3,000", "$3,500", "$4,000"},
       false},
      {"hours across midnight carry the date where it changes",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(2);
         c.SetSegment(OleDay(2024, 2, 28) + 0.5, OleDay(2024, 2, 29) + 0.5);
       },
       0, {"28 Feb 2024 12:00", "18:00", "29 Feb 00:00", "06:00", "12:00"}, false},
      {"weeks whose labels carry the year: every second one labelled, two at least",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(2);
         c.SetSegment(OleDay(2025, 12, 9), OleDay(2025, 12, 9) + 42);
       },
       0, {"15 Dec 2025", "", "29 Dec", "", "12 Jan 2026", ""}, false},
      {"Unix seconds, a minute format",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(3);
         Put(c, &CorvaneAutomation::put_XLabelFormat, u"hh:nn");
         c.SetSegment(1767225600.0, 1767225600.0 + 3600);
       },
       0, {"00:00", "00:10", "00:20", "00:30", "00:40", "00:50", "01:00"}, false},
      {"logarithmic: decades, zeros and negatives left out of the range",
       [](CorvaneAutomation& c) {
         c.put_YAxisType(4);
         c.put_plotsCount(1);
         for (double y : {-3.0, 0.0, 2.0, 50.0, 3000.0}) c.AddPointToPlot(1, y, y);
       },
       1, {"1", "10", "100", "1000", "10000"}, true},
      {"logarithmic within a decade: round ticks",
       [](CorvaneAutomation& c) {
         c.put_XAxisType(4);
         c.SetSegment(2, 9);
       },
       0, {"2", "3", "4", "5", "6", "7", "8", "9"}, false},
  };
  return cases;
}

TEST(AxisLayout, TicksOfEachTypeReadBackWithTheWindowTheyBelongTo) {
  RasterGraphicsSystem graphics;
  for (const AxisCase& tc : Cases()) {
    SCOPED_TRACE(tc.name);
    CorvaneAutomation c(graphics);
    c.SetSize(500, 400);
    tc.build(c);
    const Ticks t = ReadTicks(c, tc.axis);
    EXPECT_EQ(t.labels, tc.labels);
    double lo = 0, hi = 0;
    if (tc.axis == 1) {
      c.get_WorldYMin(&lo);
      c.get_WorldYMax(&hi);
    } else {
      c.get_WorldXMin(&lo);
      c.get_WorldXMax(&hi);
    }
    ASSERT_FALSE(t.values.empty());
    for (std::size_t k = 1; k < t.values.size(); ++k) EXPECT_LT(t.values[k - 1], t.values[k]);
    EXPECT_GE(t.values.front(), lo);
    EXPECT_LE(t.values.back(), hi);
    if (tc.widened) {
      EXPECT_EQ(t.values.front(), lo);
      EXPECT_EQ(t.values.back(), hi);
    }
    // What the read-back reports is what the render draws: it lays out no more.
    const std::uint64_t passes = c.engine().layoutPassCount;
    std::unique_ptr<DeviceContext> memory = graphics.CreateCompatibleDC(nullptr);
    RecordingDc dc(memory.get());
    c.engine().RenderChart(&dc);
    EXPECT_EQ(c.engine().layoutPassCount, passes);
  }
}

TEST(AxisLayout, LogarithmicMappingSpacesDecadesEvenlyAndRefusesWhatItCannotPlace) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation c(graphics);
  c.SetSize(500, 400);
  c.put_XAxisType(4);
  c.put_YAxisType(4);
  c.SetSegment(1, 1000);
  c.put_plotsCount(1);
  for (double v : {1.0, 10.0, 100.0, 1000.0}) c.AddPointToPlot(1, v, v);
  double p1 = 0, p10 = 0, p100 = 0, back = 0, none = 0;
  ASSERT_EQ(c.WorldToPixelX(1, &p1), kS_OK);
  ASSERT_EQ(c.WorldToPixelX(10, &p10), kS_OK);
  ASSERT_EQ(c.WorldToPixelX(100, &p100), kS_OK);
  EXPECT_NEAR(p100 - p10, p10 - p1, 1e-9);
  ASSERT_EQ(c.PixelToWorldX(p10, &back), kS_OK);
  EXPECT_NEAR(back, 10, 1e-9);
  EXPECT_EQ(c.WorldToPixelX(0, &none), kE_INVALIDARG);
  EXPECT_EQ(c.WorldToPixelY(-1, &none), kE_INVALIDARG);
  // The least-squares line y = x is the world fit's curve through the mapping; the point at
  // (10, 10) lies on it, and is hit itself once the plot shows its points.
  double py = 0;
  ASSERT_EQ(c.WorldToPixelY(10, &py), kS_OK);
  ChartHit hit;
  ASSERT_EQ(c.HitTest(p10, py, 2, &hit), kS_OK);
  EXPECT_EQ(hit.kind, kHitLine);
  EXPECT_EQ(hit.index, 0);
  c.SetSimplePlot(1);
  c.SetPointVisible(1, -1);
  ASSERT_EQ(c.HitTest(p10, py, 2, &hit), kS_OK);
  EXPECT_EQ(hit.kind, kHitPoint);
  EXPECT_EQ(hit.index, 2);
}

// A plot whose X never decreases is drawn a pixel column at a time; one whose first point has
// a NaN X is walked point by point. On a logarithmic X axis (its first points at X <= 0, left
// out) both give the same picture, with markers, and on a logarithmic Y axis too.
TEST(AxisLayout, OrderedPlotsDrawAsTheirPlainWalkOnLogarithmicAxes) {
  RasterGraphicsSystem graphics;
  auto picture = [&](std::int32_t xType, std::int32_t yType, bool ordered) {
    CorvaneAutomation c(graphics);
    c.SetSize(400, 300);
    c.put_XAxisType(xType);
    c.put_YAxisType(yType);
    c.put_plotsCount(1);
    c.SetSimplePlot(1);
    c.SetPlotWidth(1, 1);
    c.SetPointVisible(1, -1);
    if (!ordered) c.AddPointToPlot(1, kNaN, 1);
    for (int k = -50; k < 40000; ++k) {
      const double x = k <= 0 ? k : 1 + k / 10.0;
      c.AddPointToPlot(1, x, 2 + std::sin(k / 37.0) + (k % 7) * 0.1);
    }
    c.SetSegment(1, 4001);
    DibPicture p;
    EXPECT_EQ(c.get_Picture(&p), kS_OK);
    return p.bits;
  };
  for (const auto& types : {std::pair{4, 1}, std::pair{4, 4}, std::pair{1, 4}}) {
    SCOPED_TRACE(testing::Message() << types.first << ", " << types.second);
    const std::vector<std::uint8_t> walked = picture(types.first, types.second, false);
    ASSERT_FALSE(walked.empty());
    EXPECT_TRUE(picture(types.first, types.second, true) == walked);
  }
}

TEST(AxisLayout, FitSegmentToDataTakesTheVisiblePlotsFiniteX) {
  RasterGraphicsSystem graphics;
  struct Fit {
    const char* name;
    std::int32_t type;
    std::vector<double> x;
    bool changes;
    double xmin, xmax;
  };
  const std::vector<Fit> fits = {
      {"the grid's division: the data's ends", 0, {3, kNaN, -2, 7.5}, true, -2, 7.5},
      {"round ticks: widened to whole ticks", 1, {0.3, 9.6}, true, 0, 10},
      {"logarithmic: X of 0 and below left out", 4, {-5, 0, 5, 700}, true, 1, 1000},
      {"no point: nothing changes", 0, {}, false, -1, 1},
      {"only NaN: nothing changes", 0, {kNaN}, false, -1, 1},
  };
  for (const Fit& f : fits) {
    SCOPED_TRACE(f.name);
    CorvaneAutomation c(graphics);
    c.SetSize(500, 400);
    c.put_XAxisType(f.type);
    c.put_plotsCount(2);
    for (double x : f.x) c.AddPointToPlot(1, x, 1);
    c.AddPointToPlot(2, 1e6, 1);  // a hidden plot does not count
    c.SetPlotVisible(2, 0);
    const std::uint64_t before = c.engine().segmentsSet;
    ASSERT_EQ(c.FitSegmentToData(), kS_OK);
    EXPECT_EQ(c.engine().segmentsSet != before, f.changes);
    double lo = 0, hi = 0;
    c.get_WorldXMin(&lo);
    c.get_WorldXMax(&hi);
    EXPECT_EQ(lo, f.xmin);
    EXPECT_EQ(hi, f.xmax);
  }
}

TEST(AxisLayout, RefusedValuesChangeNothing) {
  RasterGraphicsSystem graphics;
  CorvaneAutomation c(graphics);
  c.SetSize(300, 200);
  ASSERT_EQ(c.put_XAxisType(2), kS_OK);
  Put(c, &CorvaneAutomation::put_YLabelFormat, u"0.00");
  for (std::int32_t bad : {-1, 5, 1 << 30}) {
    EXPECT_EQ(c.put_XAxisType(bad), kE_INVALIDARG);
    EXPECT_EQ(c.put_YAxisType(bad), kE_INVALIDARG);
  }
  std::int32_t type = -1;
  c.get_XAxisType(&type);
  EXPECT_EQ(type, 2);
  c.get_YAxisType(&type);
  EXPECT_EQ(type, 0);
  for (const std::u16string& bad : {std::u16string(u"zz"), std::u16string(u"\"open"),
                                    std::u16string(u"0.0.0"), std::u16string(u"yyyy 0"),
                                    std::u16string(5000, u'0')})
    Put(c, &CorvaneAutomation::put_YLabelFormat, bad, kE_INVALIDARG);
  std::u16string code;
  c.get_YLabelFormat(&code);
  EXPECT_EQ(code, u"0.00");
  Put(c, &CorvaneAutomation::put_YLabelFormat, u"");  // back to the step's choice
  c.get_YLabelFormat(&code);
  EXPECT_EQ(code, u"");

  std::int32_t n = 0;
  double v = 0;
  std::u16string label;
  EXPECT_EQ(c.get_TickCount(2, &n), kE_INVALIDARG);
  EXPECT_EQ(c.get_TickCount(-1, &n), kE_INVALIDARG);
  ASSERT_EQ(c.get_TickCount(0, &n), kS_OK);
  EXPECT_EQ(c.get_TickValue(0, 0, &v), kE_INVALIDARG);
  EXPECT_EQ(c.get_TickValue(0, n + 1, &v), kE_INVALIDARG);
  EXPECT_EQ(c.get_TickLabel(1, 1 << 30, &label), kE_INVALIDARG);
  EXPECT_EQ(c.get_TickCount(0, nullptr), kE_POINTER);
  EXPECT_EQ(c.get_TickLabel(0, 1, nullptr), kE_POINTER);
}

}  // namespace
}  // namespace corvane
