// Five threads, each with its own graphics system and chart object, render different charts
// (textures among them, and a stream into ring buffers) at the same time; every picture must equal the one the same calls
// make alone on a fresh thread. Together, each chart also shares its plots with three worker
// threads of its own; alone, it draws on its one thread. The random sequence is per thread,
// so render k of a chart gives the same picture in both runs. Built with ThreadSanitizer (the tsan tree), which
// reports any unguarded sharing: the glyph cache, FreeType, fontconfig, the file writer.
//   corvane_thread_test [RENDERS]    renders per thread (default 1000)
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "control/automation.h"
#include "examples/demo_charts.h"
#include "platform/raster/raster_system.h"
#include "tests/golden/golden_charts.h"

namespace corvane {
namespace {

struct ThreadChart {
  const char* name;
  std::function<void(CorvaneAutomation&)> build;
  // Called before render k, if set: charts that change between renders.
  std::function<void(CorvaneAutomation&, int)> frame;
};

// Three dense plots in rings of 20,000 points: a live display, drawn column by column from
// the plots' summaries. Each frame appends 600 points to each and shows the newest 6,000.
void BuildStream(CorvaneAutomation& c) {
  c.put_plotsCount(3);
  for (std::int32_t p = 1; p <= 3; ++p) {
    c.SetSimplePlot(p);
    c.SetPlotWidth(p, p);
    c.put_PlotCapacity(p, 20000);
  }
  c.SetPointVisible(3, -1);
}

void StreamFrame(CorvaneAutomation& c, int k) {
  std::vector<double> y(600);
  for (std::int32_t p = 1; p <= 3; ++p) {
    for (std::size_t i = 0; i < y.size(); ++i)
      y[i] = ((k * 600 + static_cast<int>(i)) * (7 + p) % 101) * 0.1 + p * 5;
    c.AddPointsToPlot2(p, y.data(), y.size());
  }
  const double newest = 600.0 * (k + 1);
  c.SetSegment(newest - 6000, newest);
}

std::vector<ThreadChart> Charts() {
  const golden::GoldenChart* userLabels = nullptr;
  for (const golden::GoldenChart& g : golden::Charts())
    if (g.name == "user labels") userLabels = &g;
  return {
      {"plots over a gradient", demo::BuildPlotsChart},
      {"plots over a texture", demo::BuildTextureChart},
      {"overlays over a texture", [](CorvaneAutomation& c) { demo::BuildOverlaysChart(c, 16); }},
      {"user grid labels", [userLabels](CorvaneAutomation& c) { userLabels->build(c); }},
      {"a stream into rings", BuildStream, StreamFrame},
      // Its strokes are made on the chart's workers and painted in order.
      {"an antialiased stream into rings",
       [](CorvaneAutomation& c) {
         BuildStream(c);
         c.put_Antialias(true);
       },
       StreamFrame},
  };
}

std::uint64_t Fnv(const std::vector<std::uint8_t>& bytes) {
  std::uint64_t h = 0xCBF29CE484222325ull;
  for (std::uint8_t b : bytes) h = (h ^ b) * 0x100000001B3ull;
  return h;
}

// Builds the chart and renders it `renders` times: the hash of each picture. Every 100th
// render also writes the picture as BMP and PNG into `dir`. With more than one worker the
// chart shares its plots with its own threads however few points they hold.
std::vector<std::uint64_t> RenderMany(const ThreadChart& chart, int renders, const std::string& dir,
                                      int workers) {
  RasterGraphicsSystem system;
  CorvaneAutomation c(system);
  c.engine().workers.SetWorkers(workers);
  c.engine().parallelMinPoints = 0;
  chart.build(c);
  c.SetSize(240, 160);
  const std::string base = dir + "/" + std::to_string(reinterpret_cast<std::uintptr_t>(&c));
  const std::u16string bmp(base.begin(), base.end()), png = bmp + u".png";
  std::vector<std::uint64_t> hashes;
  for (int k = 0; k < renders; ++k) {
    if (chart.frame) chart.frame(c, k);
    DibPicture picture;
    hashes.push_back(c.get_Picture(&picture) == kS_OK ? Fnv(picture.bits) : 0);
    if (k % 100 == 0) {
      c.SaveToFile(bmp.data(), static_cast<std::uint32_t>(bmp.size()));
      c.SaveToPng(png.data(), static_cast<std::uint32_t>(png.size()));
    }
  }
  return hashes;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  using namespace corvane;
  const int renders = argc > 1 ? std::atoi(argv[1]) : 1000;
  char tmpl[] = "/tmp/corvane-threads-XXXXXX";
  const std::string dir = ::mkdtemp(tmpl);
  const std::vector<ThreadChart> charts = Charts();

  // Together first, while the process-wide caches (faces, glyphs) are still cold and fill
  // from all threads at once.
  std::vector<std::vector<std::uint64_t>> together(charts.size());
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < charts.size(); ++i)
    threads.emplace_back([&, i] { together[i] = RenderMany(charts[i], renders, dir, 3); });
  for (std::thread& t : threads) t.join();

  // Then alone: each chart on a fresh thread of its own, one after the other, on that
  // thread alone.
  std::vector<std::vector<std::uint64_t>> alone(charts.size());
  for (std::size_t i = 0; i < charts.size(); ++i)
    std::thread([&, i] { alone[i] = RenderMany(charts[i], renders, dir, 1); }).join();

  int failures = 0;
  for (std::size_t i = 0; i < charts.size(); ++i) {
    int differ = 0;
    for (int k = 0; k < renders; ++k) differ += alone[i][k] != together[i][k] || alone[i][k] == 0;
    std::printf("%s: %d renders, %d differ from the chart alone\n", charts[i].name, renders, differ);
    failures += differ;
  }
  std::system(("rm -rf '" + dir + "'").c_str());
  std::printf("thread test: %s\n", failures == 0 ? "all pictures equal" : "PICTURES DIFFER");
  return failures == 0 ? 0 : 1;
}
