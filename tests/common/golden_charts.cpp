#include "tests/common/golden_charts.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/random_sequence.h"

namespace corvane::golden {
namespace {

struct HashEntry {
  const char* name;
  std::uint64_t hash;
};

constexpr HashEntry kHashes[] = {
#include "tests/common/golden_hashes.inc"
};

// Plots, polygons, rectangles, a line and candlesticks over x [0, 12]: every record a preset
// recolours or must leave alone. Candles 1-4 exist when the preset is chosen, candle 5 comes
// after it and keeps the default candle colours.
void OverlayChart(CorvaneAutomation& c, std::int32_t preset) {
  c.SetSize(320, 240);
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
  c.SetSize(300, 220);
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

}  // namespace

std::vector<GoldenChart> GoldenCharts() {
  std::vector<GoldenChart> charts;
  for (std::int32_t p = 1; p <= 21; ++p)
    charts.push_back({"preset " + std::to_string(p), 320, 240,
                      [p](CorvaneAutomation& c) { OverlayChart(c, p); }});
  charts.push_back({"overlays beyond the picture", 300, 220, BeyondThePicture});
  return charts;
}

bool ExpectedHash(const std::string& name, std::uint64_t* hash) {
  for (const HashEntry& e : kHashes) {
    if (name == e.name) {
      *hash = e.hash;
      return true;
    }
  }
  return false;
}

bool RenderedHash(GraphicsSystem& graphics, CorvaneAutomation& chart, void (*flush)(),
                  std::uint64_t* hash) {
  const std::int32_t w = chart.engine().width, h = chart.engine().height;
  std::unique_ptr<DeviceContext> screen = graphics.GetScreenDC();
  std::unique_ptr<DeviceContext> drawing = screen ? graphics.CreateCompatibleDC(screen.get()) : nullptr;
  std::unique_ptr<DeviceContext> exporting = graphics.CreateCompatibleDC(nullptr);
  if (!drawing || !exporting) return false;
  const ObjHandle picture = screen->CreateCompatibleBitmap(w, h);
  void* bits = nullptr;
  const ObjHandle dib = exporting->CreateDIBSection24(w, h, &bits);
  bool ok = false;
  if (picture && dib && bits) {
    const ObjHandle oldPicture = drawing->SelectObject(picture);
    const ObjHandle oldDib = exporting->SelectObject(dib);
    chart.engine().RenderChart(drawing.get());
    ok = exporting->BitBlt(0, 0, w, h, *drawing, 0, 0);
    if (flush) flush();
    std::uint64_t v = 1469598103934665603ull;
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4;
    for (std::int32_t y = 0; y < h; ++y) {
      const auto* row = static_cast<const std::uint8_t*>(bits) + stride * static_cast<std::size_t>(y);
      for (std::size_t i = 0; i < static_cast<std::size_t>(w) * 3; ++i) v = (v ^ row[i]) * 1099511628211ull;
    }
    *hash = v;
    exporting->SelectObject(oldDib);
    drawing->SelectObject(oldPicture);
  }
  drawing.reset();
  exporting.reset();
  if (picture) graphics.DeleteObject(picture);
  if (dib) graphics.DeleteObject(dib);
  return ok;
}

int CheckGoldenCharts(GraphicsSystem& graphics, void (*flush)(), std::string* report) {
  int mismatches = 0;
  std::string table;
  for (const GoldenChart& g : GoldenCharts()) {
    ResetRandomForTest();
    CorvaneAutomation chart(graphics);
    g.build(chart);
    std::uint64_t got = 0, want = 0;
    const bool rendered = RenderedHash(graphics, chart, flush, &got);
    if (const char* dir = std::getenv("CORVANE_GOLDEN_DIR")) {
      // The pictures themselves, to look at: DIR/<name>.bmp.
      const std::string path = std::string(dir) + "/" + g.name + ".bmp";
      const std::u16string wide(path.begin(), path.end());
      chart.SaveToFile(wide.c_str(), static_cast<std::uint32_t>(wide.size()));
    }
    const bool known = ExpectedHash(g.name, &want);
    char line[160];
    std::snprintf(line, sizeof line, "    {\"%s\", 0x%016llxull},\n", g.name.c_str(),
                  static_cast<unsigned long long>(got));
    table += line;
    if (!rendered || !known || got != want) {
      ++mismatches;
      std::snprintf(line, sizeof line, "%s: %s, expected 0x%016llx, got 0x%016llx\n",
                    g.name.c_str(), rendered ? "differs" : "not rendered",
                    static_cast<unsigned long long>(want), static_cast<unsigned long long>(got));
      *report += line;
    }
  }
  const char* update = std::getenv("CORVANE_UPDATE_GOLDEN");
  if (mismatches > 0 || (update && *update && *update != '0'))
    *report += "\nThe hashes this build made (tests/common/golden_hashes.inc):\n" + table;
  return mismatches;
}

}  // namespace corvane::golden
