// Golden hashes of whole rendered charts: dense and sparse plots of several pen widths, fits,
// markers and dashed overlays. Any change to a pixel of these pictures changes the hash, so a
// change to the drawing code that should leave the pictures alone is checked in one place.
// When a picture changes on purpose, compare it by eye (the failure prints the new hash) and
// update the constant.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "control/automation.h"
#include "platform/random_sequence.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace {

// FNV-1a over the pixels as COLORREF values, rows top to bottom.
std::uint64_t PictureHash(RasterGraphicsSystem& g, CorvaneAutomation& chart, std::int32_t w,
                          std::int32_t h) {
  auto screen = g.GetScreenDC();
  auto dc = g.CreateCompatibleDC(screen.get());
  const ObjHandle bitmap = screen->CreateCompatibleBitmap(w, h);
  const ObjHandle old = dc->SelectObject(bitmap);
  chart.engine().RenderChart(dc.get());
  dc->SelectObject(old);
  std::int32_t rw = 0, rh = 0;
  std::vector<std::uint32_t> pixels;
  EXPECT_TRUE(g.ReadBitmap(bitmap, &rw, &rh, &pixels));
  g.DeleteObject(bitmap);
  std::uint64_t hash = 1469598103934665603ull;
  for (std::uint32_t p : pixels) {
    for (int k = 0; k < 4; ++k) hash = (hash ^ ((p >> (8 * k)) & 0xFFu)) * 1099511628211ull;
  }
  return hash;
}

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

struct GoldenChart {
  const char* name;
  std::int32_t width, height;
  std::function<void(CorvaneAutomation&)> build;
  std::uint64_t hash;
};

TEST(ChartHash, RenderedChartsKeepTheirPixels) {
  const GoldenChart charts[] = {
      {"dense walk, pen 2", 400, 300,
       [](CorvaneAutomation& c) {
         c.put_plotsCount(1);
         c.SetPlotWidth(1, 2);
         const std::vector<double> y = Walk(20000, 11);
         for (int k = 0; k < 20000; ++k) c.AddPointToPlot(1, k + 1, y[static_cast<std::size_t>(k)]);
         c.SetSegment(1, 20000);
       },
       0x656ec3211d645f03ull},
      {"eight plots, pens 1 to 8, fits and markers", 500, 360,
       [](CorvaneAutomation& c) {
         c.put_preset(5);
         c.put_plotsCount(8);
         for (int s = 1; s <= 8; ++s) {
           c.SetPlotWidth(s, s);
           c.SetPlotColor(s, static_cast<Color>(0x202020u * static_cast<unsigned>(s) ^ 0x0000C0u));
           const std::vector<double> y = Walk(1500, 100 + static_cast<std::uint64_t>(s));
           for (int k = 0; k < 1500; ++k) c.AddPointToPlot(s, k + 1, y[static_cast<std::size_t>(k)] + 3 * s);
         }
         c.SetLinearApproximate(3);
         c.SetSquareApproximate(6);
         c.SetPointVisible(8, kVariantTrue);
         c.AddLine(1, 0, 1500, 30, 1, 1, 0x800080);
         c.AddLine(1, 12, 1500, 12, 2, 3, 0x008080);
         c.SetSegment(1, 1500);
       },
       0x53c98d5a2063c878ull},
      {"sparse wide pens leaving the plot area", 300, 240,
       [](CorvaneAutomation& c) {
         c.put_preset(9);
         c.put_plotsCount(2);
         c.SetPlotWidth(1, 12);
         c.SetPlotWidth(2, 15);
         const std::vector<double> y = Walk(200, 5);
         for (int k = 0; k < 200; ++k) {
           c.AddPointToPlot(1, k + 1, 4 * y[static_cast<std::size_t>(k)]);
           c.AddPointToPlot(2, k + 1, -3 * y[static_cast<std::size_t>(k)] + 5);
         }
         c.SetSegment(40, 160);
       },
       0xd696c153ccbeacadull},
  };
  // Textures and label backgrounds draw from the thread's one sequence, which other tests in
  // this process may have advanced; the charts take it in turn from its start.
  ResetRandomForTest();
  for (const GoldenChart& g : charts) {
    RasterGraphicsSystem graphics;
    CorvaneAutomation chart(graphics);
    chart.SetSize(g.width, g.height);
    g.build(chart);
    const std::uint64_t hash = PictureHash(graphics, chart, g.width, g.height);
    EXPECT_EQ(hash, g.hash) << g.name << ": 0x" << std::hex << hash;
  }
}

}  // namespace
}  // namespace corvane
