#include "tests/golden/golden_charts.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>

#include "appearance/calendar.h"
#include "control/bmp_export.h"
#include "platform/random_sequence.h"

namespace corvane::golden {
namespace {

// The benchmark's random walk: splitmix64 steps uniform in [-1, 1].
std::vector<double> Walk(int n, std::uint64_t seed) {
  std::vector<double> y(static_cast<std::size_t>(n));
  std::uint64_t state = seed;
  double v = 0;
  for (double& out : y) {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    v += 2.0 * (static_cast<double>(z >> 11) * 0x1.0p-53) - 1.0;
    out = v;
  }
  return y;
}

void Text(CorvaneAutomation& c, HResult (CorvaneAutomation::*put)(const char16_t*, std::uint32_t),
          const std::u16string& s) {
  (c.*put)(s.data(), static_cast<std::uint32_t>(s.size()));
}

// A plot is a least-squares line until it is made a polyline: the walks are polylines.
void DenseWalk(CorvaneAutomation& c) {
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  c.SetPlotWidth(1, 2);
  const std::vector<double> y = Walk(20000, 11);
  for (int k = 0; k < 20000; ++k) c.AddPointToPlot(1, k + 1, y[static_cast<std::size_t>(k)]);
  c.SetSegment(1, 20000);
}

void EightPlots(CorvaneAutomation& c) {
  c.put_preset(5);
  c.put_plotsCount(8);
  for (int s = 1; s <= 8; ++s) {
    c.SetSimplePlot(s);
    c.SetPlotWidth(s, s);
    // Plain RGB colours: GDI reads a set high byte as a palette index (0x01......).
    c.SetPlotColor(s, static_cast<Color>((0x202020u * static_cast<unsigned>(s) ^ 0x0000C0u) & 0xFFFFFFu));
    const std::vector<double> y = Walk(1500, 100 + static_cast<std::uint64_t>(s));
    for (int k = 0; k < 1500; ++k) c.AddPointToPlot(s, k + 1, y[static_cast<std::size_t>(k)] + 3 * s);
  }
  c.SetLinearApproximate(3);
  c.SetSquareApproximate(6);
  c.SetPointVisible(8, kVariantTrue);
  c.AddLine(1, 0, 1500, 30, 1, 1, 0x800080);
  c.AddLine(1, 12, 1500, 12, 2, 3, 0x008080);
  c.SetSegment(1, 1500);
}

void SparseWidePens(CorvaneAutomation& c) {
  c.put_preset(9);
  c.put_plotsCount(2);
  c.SetSimplePlot(1);
  c.SetSimplePlot(2);
  c.SetPlotWidth(1, 12);
  c.SetPlotWidth(2, 15);
  const std::vector<double> y = Walk(200, 5);
  for (int k = 0; k < 200; ++k) {
    c.AddPointToPlot(1, k + 1, 4 * y[static_cast<std::size_t>(k)]);
    c.AddPointToPlot(2, k + 1, -3 * y[static_cast<std::size_t>(k)] + 5);
  }
  c.SetSegment(40, 160);
}

// Both axes cross inside the plot area: arrows, captions, value lines and labels on both
// sides of the origin, labels dropped where the plot and the overlay lines run.
void AxesThroughTheOrigin(CorvaneAutomation& c) {
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  for (int k = -10; k <= 10; ++k) c.AddPointToPlot(1, k, 4 * (k % 3) - 0.3 * k);
  c.AddLine(-10, -3, 10, 3, 1, 0, 0x0000C0);
  c.SetSegment(-10, 10);
  Text(c, &CorvaneAutomation::put_arrowCaptionX, u"time, s");
  Text(c, &CorvaneAutomation::put_arrowCaptionY, u"speed");
}

// The user-type grid: category lines labelled with the user labels of the window.
void UserLabels(CorvaneAutomation& c) {
  c.put_preset(2);
  c.SetUserTypeGrid();
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  for (int k = 1; k <= 20; ++k) {
    const std::u16string label = u"Q" + std::u16string(1, static_cast<char16_t>(u'A' + k - 1));
    c.AddLabelToGrid(label.data(), static_cast<std::uint32_t>(label.size()));
    c.AddPointToPlot(1, k, (k * 7) % 11 - 2);
  }
  c.SetSegment(1, 10);
  c.put_gridHorizontalLines(4);
}

// A noise texture under the labels (their background test sees its grain), no decimals,
// horizontal lines only, a caption wider than the picture and a longer arrow head.
void TextureAndClamps(CorvaneAutomation& c) {
  c.put_preset(4);
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  c.SetPointVisible(1, kVariantTrue);
  for (int k = 1; k <= 30; ++k) c.AddPointToPlot(1, k, 100.0 + 37 * ((k * 5) % 9));
  c.SetSegment(1, 30);
  c.put_gridVisible(1);
  c.put_gridDigitsAfterPoint(0);
  c.put_arrowH(20);
  c.put_arrowR(6);
  Text(c, &CorvaneAutomation::put_caption, u"A caption much wider than this small picture is");
  Text(c, &CorvaneAutomation::put_arrowCaptionY, u"a vertical caption that meets the right edge");
}

// Caption hidden (top margin 35), vertical lines only, 6 decimals (formatted with 2).
void NoCaptionVerticalLines(CorvaneAutomation& c) {
  c.put_preset(12);
  c.put_captionVisible(0);
  c.put_gridVisible(2);
  c.put_gridDigitsAfterPoint(6);
  c.put_gridVerticalLines(7);
  c.put_plotsCount(1);
  for (int k = 0; k < 50; ++k) c.AddPointToPlot(1, -0.5 + 0.01 * k, 0.02 * k * k);
  c.SetSegment(-0.5, 0);
}

// Plots, polygons, rectangles, a line and candlesticks over x [0, 12]: every record a preset
// recolours or must leave alone. Candles 1-4 exist when the preset is chosen, candle 5 comes
// after it and keeps the default candle colours.
void OverlayChart(CorvaneAutomation& c, std::int32_t preset) {
  c.put_plotsCount(2);
  for (int i = 0; i <= 12; ++i) {
    c.AddPointToPlot(1, i, 4 + (i * 7 % 5) - 0.3 * i);
    c.AddPointToPlot(2, i, 1 + 0.6 * i + (i % 3));
  }
  c.SetPlotColor(1, 0x0000C0);
  c.SetPlotWidth(1, 2);
  c.SetLinearApproximate(2);
  c.SetPlotColor(2, 0x008000);

  c.put_polygonsCount(3);
  for (DPoint p : {DPoint{1, 1}, DPoint{4, 1.5}, DPoint{3, 6}})  // defaults: opaque black, blue border
    c.AddPointToPolygon(1, p.X, p.Y);
  for (DPoint p : {DPoint{5, 2}, DPoint{9, 3}, DPoint{10, 8}, DPoint{7, 9}, DPoint{6, 5}})
    c.AddPointToPolygon(2, p.X, p.Y);
  c.SetPolygonProperties2(2, 0x00C000, 0.5, 2, 1, 0x800000);
  for (DPoint p : {DPoint{-2, 7}, DPoint{3, 10}, DPoint{1, 12}})  // partly left of the window
    c.AddPointToPolygon(3, p.X, p.Y);
  c.SetPolygonProperties(3, 0xC000C0, 0.3);

  c.AddRectangle(0.5, 9, 11.5, 7.5, 0x00FFFF, 0.25);
  c.AddRectangle2(8, 2.5, 11, 0.5, 0xF0E0D0, 1.0, 3, 4, 0x404040);
  c.AddRectangle(2, 11, 4, 10, 0x0000FF, 0.5);
  c.SetRectVisible(3, 0);
  c.AddLine(0, 0, 12, 10, 1, 2, 0x606060);

  c.AddCandleStick(1, 3, 5, 6, 2);     // rising
  c.AddCandleStick(3, 5, 3.5, 7, 3);   // falling
  c.AddCandleStick(6, 4, 4, 5, 3);     // flat
  c.AddCandleStick(8, 6, 9, 11, 5.5);  // rising, tall wick
  c.SetSegment(0, 12);
  c.put_preset(preset);
  c.AddCandleStick(10, 7, 5, 8, 4.5);  // after the preset: default colours
}

// Overlays reaching far beyond the picture sideways (their y values would widen the range):
// vertices saturate, blends stay within the clip box, and the thinnest rectangles keep
// their fill.
void BeyondThePicture(CorvaneAutomation& c) {
  c.SetSegment(0, 10);
  c.AddLine(0, 0, 10, 10, 1, 0, 0x000000);
  c.put_polygonsCount(3);
  for (DPoint p : {DPoint{-1e9, 2}, DPoint{1e9, 3}, DPoint{5, 8}}) c.AddPointToPolygon(1, p.X, p.Y);
  c.SetPolygonProperties(1, 0x0000FF, 0.2);
  for (DPoint p : {DPoint{2, 2}, DPoint{8, 3}, DPoint{1e300, 5}, DPoint{3, 8}})
    c.AddPointToPolygon(2, p.X, p.Y);
  c.SetPolygonProperties2(2, 0x00FF00, 0.4, 1, 0, 0x004000);
  for (DPoint p : {DPoint{6, 6}, DPoint{7, 6}, DPoint{7, 7}}) c.AddPointToPolygon(3, p.X, p.Y);
  c.AddRectangle(-1e12, 9, 1e12, 6, 0xFF00FF, 0.3);
  c.AddRectangle2(4, 9, 4.1, 1, 0x000000, 0.5, 1, 0, 0x0000FF);  // under 3 pixels wide
  c.AddRectangle(5, 9, 5.06, 1, 0x000000, 0.5);                 // 1 pixel wide
  c.AddCandleStick(7.5, -1e300, 1e300, 9.5, 0.5);  // a body from far below to far above
}

void Legend(CorvaneAutomation& c, std::initializer_list<std::pair<Color, std::u16string>> entries) {
  for (const auto& [color, text] : entries)
    c.AddLabelToLegend(color, text.data(), static_cast<std::uint32_t>(text.size()));
}

// The painting order in one picture: the axes cross inside the plot area, through a
// translucent rectangle (the second arrow pass lies on it) and under a candlestick (which
// covers them); the marks' guides and boxes lie on the rectangle; the legend box in the top
// left corner lies over both plots. One mark sits on the right edge and one is hidden:
// neither shows.
void MarksLegendAndOrder(CorvaneAutomation& c) {
  c.put_plotsCount(2);
  c.SetSimplePlot(1);
  c.SetPlotColor(1, 0x0000C0);
  c.SetPlotWidth(1, 2);
  c.SetPlotColor(2, 0x008000);
  for (int k = -10; k <= 10; ++k) {
    c.AddPointToPlot(1, k, 6 - 0.05 * k * k + (k % 3));
    c.AddPointToPlot(2, k, 0.4 * k + 2);
  }
  c.AddRectangle(-4, 3, 3, -3, 0x00C0FF, 0.6);
  c.AddCandleStick(0, -2, 4, 5, -3);
  c.SetSegment(-10, 10);
  c.AddMark(4, 5.5);
  const std::u16string peak = u"Peak";
  c.AddMark2(-6, -2, peak.data(), static_cast<std::uint32_t>(peak.size()));
  c.AddMark(10, 1);   // on the right edge
  c.AddMark(-2, -4);  // hidden below
  c.SetMarkVisible(4, 0);
  Legend(c, {{0x0000C0, u"measured"}, {0x008000, u"least squares"}, {0x00C0FF, u"band"}});
}

// Marks far off the window (guides millions of pixels long, one without its x label) and
// a legend in the bottom right corner, its colours chosen before a texture preset that must
// not touch them; a text with a null in it ends there.
void MarksOffTheWindowUnderAPreset(CorvaneAutomation& c) {
  c.put_plotsCount(1);
  for (int k = 0; k <= 20; ++k) c.AddPointToPlot(1, k, (k * 7) % 5 - 2);
  c.SetSegment(0, 20);
  c.AddMark(3, 1e6);
  c.AddMark(15, -2.5e7);
  const std::u16string empty;
  c.AddMark2(8, 1.25, empty.data(), 0);
  c.put_legendPosition(2);
  Legend(c, {{0xFF0000, u"blue"}, {0x00FFFF, std::u16string(u"yellow\0never", 13)}, {0x000000, u""}});
  c.put_preset(16);
}

// Axes of types 1 to 4: round ticks over 4.3 .. 36.7 with every overlay kind on them; a day
// of minutes across midnight in automation dates; daily candlesticks with a money format;
// Unix seconds of an hour; logarithmic axes under data with zeros and negatives (the
// polyline breaks there) and a fitted parabola drawn as its world curve.
void RoundTicks(CorvaneAutomation& c) {
  c.put_XAxisType(1);
  c.put_YAxisType(1);
  c.put_plotsCount(2);
  c.SetSimplePlot(1);
  c.SetPointVisible(1, -1);
  for (int k = 0; k <= 30; ++k) c.AddPointToPlot(1, 4.3 + 1.08 * k, 0.02 * k * k - 0.3 * k + 1.7);
  for (int k = 0; k <= 30; ++k) c.AddPointToPlot(2, 4.3 + 1.08 * k, 0.1 * k + 2.2);
  c.SetLinearApproximate(2);
  c.AddRectangle(10, 6, 16, 4, 0x00C0FF, 0.5);
  c.AddLine(20, 0, 30, 8, 2, 0, 0x008000);
  c.AddMark(25, 5);
  c.SetSegment(4.3, 36.7);
}

double OleDay(int year, int month, int day) {
  return static_cast<double>(DaysFromCivil(year, month, day) + kOleDaysBefore1970);
}

void DayOfMinutes(CorvaneAutomation& c) {
  c.put_XAxisType(2);
  c.put_YAxisType(1);
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  c.SetPlotWidth(1, 1);
  const double start = OleDay(2024, 2, 28) + 18.0 / 24;  // across a leap day's midnight
  const std::vector<double> y = Walk(24 * 60, 7);
  for (int k = 0; k < 24 * 60; ++k)
    c.AddPointToPlot(1, start + k / 1440.0, 20 + 0.2 * y[static_cast<std::size_t>(k)]);
  c.FitSegmentToData();
}

void DailyCandles(CorvaneAutomation& c) {
  c.put_XAxisType(2);
  c.put_YAxisType(1);
  const std::u16string money = u"$0.00";
  Text(c, &CorvaneAutomation::put_YLabelFormat, money);
  const std::vector<double> walk = Walk(31, 3);
  const double first = OleDay(2025, 12, 10);  // across the turn of the year
  double open = 50;
  for (int d = 0; d < 30; ++d) {
    const double close = 50 + 2 * walk[static_cast<std::size_t>(d + 1)];
    c.AddCandleStick(first + d, open, close, std::fmax(open, close) + 0.7,
                     std::fmin(open, close) - 0.6);
    open = close;
  }
  c.SetSegment(first - 1, first + 30);
}

void UnixHour(CorvaneAutomation& c) {
  c.put_XAxisType(3);
  c.put_YAxisType(1);
  const std::u16string clock = u"hh:nn";
  Text(c, &CorvaneAutomation::put_XLabelFormat, clock);
  c.put_plotsCount(1);
  c.SetSimplePlot(1);
  const double t0 = 1767225600.0 + 11.5 * 3600;  // 2026-01-01 11:30 UTC
  for (int k = 0; k <= 60; ++k) c.AddPointToPlot(1, t0 + 60.0 * k, std::sin(k / 6.0));
  c.SetSegment(t0, t0 + 3600);
}

void LogAxes(CorvaneAutomation& c) {
  c.put_XAxisType(4);
  c.put_YAxisType(4);
  c.put_plotsCount(2);
  c.SetSimplePlot(1);
  c.SetPointVisible(1, -1);
  for (int k = 0; k <= 40; ++k) {
    const double f = std::pow(10.0, k / 8.0);  // 1 .. 1e5
    const double gain = 1000 / std::sqrt(1 + (f / 100) * (f / 100));
    c.AddPointToPlot(1, f, k == 12 ? 0 : (k == 13 ? -5 : gain));  // a gap: not above 0
  }
  for (int k = 1; k <= 20; ++k) c.AddPointToPlot(2, 5.0 * k * k, 0.5 * k * k);
  c.SetSquareApproximate(2);
  c.put_polygonsCount(1);
  c.AddPointToPolygon(1, 10, 1);
  c.AddPointToPolygon(1, 1000, 1);
  c.AddPointToPolygon(1, 1000, 10);
  c.SetPolygonProperties(1, 0xC0C000, 0.5);
  c.AddCandleStick(3000, 20, 40, 60, 10);
  c.SetSegment(1, 100000);
}

std::string Slug(const std::string& name) {
  std::string s;
  for (const char* p = name.c_str(); *p; ++p) {
    const char ch = *p;
    const bool keep = (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9');
    if (keep) s += ch;
    else if (!s.empty() && s.back() != '_') s += '_';
  }
  return s;
}

std::string Hex(std::uint64_t v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "0x%016llxull", static_cast<unsigned long long>(v));
  return buf;
}

std::vector<GoldenChart> MakeCharts() {
  std::vector<GoldenChart> charts = {
      {"dense walk, pen 2", 400, 300, DenseWalk},
      {"eight plots, pens 1 to 8, fits and markers", 500, 360, EightPlots},
      {"sparse wide pens leaving the plot area", 300, 240, SparseWidePens},
      {"axes through the origin", 400, 300, AxesThroughTheOrigin},
      {"user labels", 420, 280, UserLabels},
      {"texture and clamps", 300, 220, TextureAndClamps},
      {"no caption, vertical lines", 360, 260, NoCaptionVerticalLines},
  };
  for (std::int32_t p = 1; p <= 21; ++p)
    charts.push_back({"preset " + std::to_string(p), 320, 240,
                      [p](CorvaneAutomation& c) { OverlayChart(c, p); }});
  charts.push_back({"overlays beyond the picture", 300, 220, BeyondThePicture});
  charts.push_back({"marks, legend over plots, arrows between rectangles and candles", 400, 300,
                    MarksLegendAndOrder});
  charts.push_back({"marks off the window, legend bottom right under a preset", 360, 260,
                    MarksOffTheWindowUnderAPreset});
  charts.push_back({"round ticks over every overlay", 420, 300, RoundTicks});
  charts.push_back({"a day of minutes across a leap day", 500, 300, DayOfMinutes});
  charts.push_back({"daily candlesticks in dollars", 500, 300, DailyCandles});
  charts.push_back({"an hour of Unix seconds", 400, 260, UnixHour});
  charts.push_back({"logarithmic axes with gaps and a parabola", 460, 340, LogAxes});
  // Every chart again with antialiased geometry.
  const std::size_t aliased = charts.size();
  for (std::size_t i = 0; i < aliased; ++i) {
    GoldenChart smooth = charts[i];
    smooth.name += ", antialiased";
    smooth.build = [build = charts[i].build](CorvaneAutomation& c) {
      build(c);
      c.put_Antialias(true);
    };
    charts.push_back(std::move(smooth));
  }
  // A few at a pixel scale, on a picture as many times larger: fonts, pens, markers, arrow
  // heads, dashes and the legend grow, the layout stays.
  struct Scaled {
    const char* chart;
    double scale;
    bool antialias;
  };
  const Scaled scaled[] = {
      {"eight plots, pens 1 to 8, fits and markers", 2.0, false},
      {"marks, legend over plots, arrows between rectangles and candles", 1.5, false},
      {"round ticks over every overlay", 2.0, true},
      {"user labels", 2.0, false},
  };
  for (const Scaled& s : scaled) {
    std::size_t k = 0;
    while (k + 1 < aliased && charts[k].name != s.chart) ++k;
    GoldenChart big = charts[k];
    char suffix[64];
    std::snprintf(suffix, sizeof suffix, ", scale %g%s", s.scale, s.antialias ? ", antialiased" : "");
    big.name += suffix;
    big.width = static_cast<std::int32_t>(big.width * s.scale);
    big.height = static_cast<std::int32_t>(big.height * s.scale);
    big.build = [build = charts[k].build, s](CorvaneAutomation& c) {
      build(c);
      c.put_PixelScale(s.scale);
      c.put_Antialias(s.antialias);
    };
    charts.push_back(std::move(big));
  }
  return charts;
}

}  // namespace

const std::vector<GoldenChart>& Charts() {
  static const std::vector<GoldenChart> charts = MakeCharts();
  return charts;
}

// SaveToFile's aliased rendering done by hand: a compatible bitmap copied into a DIB section.
void RenderAliased(GraphicsSystem& graphics, CorvaneAutomation& automation, const GoldenChart& chart,
                   void (*flush)(), std::vector<std::uint8_t>* rows);

std::uint64_t RenderHash(GraphicsSystem& graphics, const GoldenChart& chart, void (*flush)(),
                         std::vector<std::uint8_t>* rows) {
  rows->clear();
  CorvaneAutomation automation(graphics);
  automation.SetSize(chart.width, chart.height);
  chart.build(automation);

  bool antialias = false;
  automation.get_Antialias(&antialias);
  if (antialias) {
    // Antialiased geometry is drawn into the picture's memory: the object's own rendering.
    DibPicture picture;
    if (Failed(automation.get_Picture(&picture))) return 0;
    *rows = std::move(picture.bits);
  } else {
    RenderAliased(graphics, automation, chart, flush, rows);
  }
  if (rows->empty()) return 0;
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint8_t b : *rows) hash = (hash ^ b) * 1099511628211ull;
  return hash;
}

void RenderAliased(GraphicsSystem& graphics, CorvaneAutomation& automation, const GoldenChart& chart,
                   void (*flush)(), std::vector<std::uint8_t>* rows) {
  const std::int32_t w = chart.width, h = chart.height;
  std::unique_ptr<DeviceContext> screen = graphics.GetScreenDC();
  std::unique_ptr<DeviceContext> drawing = graphics.CreateCompatibleDC(screen.get());
  std::unique_ptr<DeviceContext> exporting = graphics.CreateCompatibleDC(nullptr);
  if (!screen || !drawing || !exporting) return;
  const ObjHandle picture = screen->CreateCompatibleBitmap(w, h);
  void* bits = nullptr;
  const ObjHandle dib = exporting->CreateDIBSection24(w, h, &bits);
  if (picture && dib && bits) {
    const ObjHandle previousPicture = drawing->SelectObject(picture);
    const ObjHandle previousDib = exporting->SelectObject(dib);
    automation.engine().RenderChart(drawing.get());
    exporting->BitBlt(0, 0, w, h, *drawing, 0, 0);
    if (flush) flush();
    const auto* p = static_cast<const std::uint8_t*>(bits);
    rows->assign(p, p + static_cast<std::size_t>(BmpStride(w)) * static_cast<std::size_t>(h));
    exporting->SelectObject(previousDib);
    drawing->SelectObject(previousPicture);
  }
  drawing.reset();
  exporting.reset();
  if (picture) graphics.DeleteObject(picture);
  if (dib) graphics.DeleteObject(dib);
}

Outcome RenderAll(GraphicsSystem& graphics, void (*flush)()) {
  Outcome out;
  const char* dir = std::getenv("CORVANE_GOLDEN_DIR");
  out.pasteReady = "const std::vector<GoldenHash>& ExpectedHashes() {\n"
                   "  static const std::vector<GoldenHash> hashes = {\n";
  for (const GoldenChart& chart : Charts()) {
    // Textures and label backgrounds draw from the thread's one sequence, which other tests
    // and charts in this process may have advanced.
    ResetRandomForTest();
    std::vector<std::uint8_t> rows;
    const std::uint64_t hash = RenderHash(graphics, chart, flush, &rows);
    out.actual.push_back(GoldenHash{chart.name.c_str(), hash});
    out.pasteReady += "      {\"" + chart.name + "\", " + Hex(hash) + "},\n";
    std::uint64_t expected = 0;
    for (const GoldenHash& g : ExpectedHashes())
      if (chart.name == g.name) expected = g.hash;
    if (hash != expected)
      out.mismatches.push_back(chart.name + ": expected " + Hex(expected) + ", got " + Hex(hash));
    if (dir && *dir && !rows.empty()) {
      const std::string path = std::string(dir) + "/" + Slug(chart.name) + ".bmp";
      WriteBmpFile(std::u16string(path.begin(), path.end()), chart.width, chart.height, rows.data());
    }
  }
  out.pasteReady += "  };\n  return hashes;\n}\n";
  return out;
}

}  // namespace corvane::golden
