// The members of ICorvaneEx2 that have speed targets, through the public automation API:
// adding 1,000,000 points with one array call against 1,000,000 one-point calls, and
// SaveToPng against SaveToFile for an 800 x 600 chart, and SaveToSvg beside SaveToPng for it
// and for 8 plots of N points. Prints figures; it is not a test.
//
//   bench_arrays_png [--runs R] [--points N]
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "control/automation.h"
#include "platform/large_block.h"

#ifdef _WIN32
#include <windows.h>
#include <objbase.h>

#include "platform/gdi/gdi_system.h"
#else
#include <unistd.h>

#include "platform/raster/raster_system.h"
#endif

namespace {

using corvane::CorvaneAutomation;
using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) {
  return std::chrono::duration<double, std::milli>(b - a).count();
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t m = v.size() / 2;
  return v.size() % 2 ? v[m] : 0.5 * (v[m - 1] + v[m]);
}

std::string TempPath(const char* ext) {
#ifdef _WIN32
  char dir[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathA(MAX_PATH, dir);
  return std::string(n ? dir : ".\\") + "corvane_bench_arrays" + ext;
#else
  return std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
         "/corvane_bench_arrays_" + std::to_string(getpid()) + ext;
#endif
}

long FileSize(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return -1;
  std::fseek(f, 0, SEEK_END);
  const long n = std::ftell(f);
  std::fclose(f);
  return n;
}

// Milliseconds to put n points into plot 1 of a new chart, one way or the other.
template <class Fill>
double TimeFill(corvane::GraphicsSystem& g, Fill&& fill) {
  auto chart = std::make_unique<CorvaneAutomation>(g);
  const auto t0 = Clock::now();
  fill(*chart);
  const auto t1 = Clock::now();
  std::int32_t count = 0;
  chart->get_PointCount(1, &count);
  if (count <= 0) {
    std::fprintf(stderr, "no points were added\n");
    std::exit(1);
  }
  return Ms(t0, t1);
}

// Milliseconds of AddPointsToPlot into a plot whose storage is already allocated and
// touched: the member's own cost, without the system handing out fresh pages. The plot keeps
// its newest n points and holds n already, so the new ones take the slots of the old.
double TimeIntoStorage(corvane::GraphicsSystem& g, const std::vector<double>& x,
                       const std::vector<double>& y) {
  auto chart = std::make_unique<CorvaneAutomation>(g);
  const auto n = static_cast<std::int32_t>(y.size());
  chart->put_PlotCapacity(1, n);
  chart->AddPointsToPlot(1, x.data(), y.data(), y.size());
  const auto t0 = Clock::now();
  chart->AddPointsToPlot(1, x.data(), y.data(), y.size());
  const auto t1 = Clock::now();
  return Ms(t0, t1);
}

// Milliseconds for the system to hand out and the program to touch `bytes` of fresh memory.
double TimeFreshMemory(std::size_t bytes) {
  const auto t0 = Clock::now();
  void* p = corvane::AllocateLargeBlock(bytes);
  if (!p) std::exit(1);
  for (std::size_t i = 0; i < bytes; i += 4096) static_cast<volatile char*>(p)[i] = 1;
  const auto t1 = Clock::now();
  corvane::FreeLargeBlock(p, bytes);
  return Ms(t0, t1);
}

// The fresh memory an add into a new plot touches: the points (their summary adds a thirtieth).
std::size_t FreshBytesOfAnAdd(std::size_t n) { return n * sizeof(corvane::DPoint); }

// An everyday chart: eight plots of 1,000 points, a fit, a legend, the given background.
void BuildChart(CorvaneAutomation& chart, int fillKind) {
  chart.SetSize(800, 600);
  chart.put_plotsCount(8);
  std::vector<double> y(1000);
  for (int s = 1; s <= 8; ++s) {
    for (std::size_t i = 0; i < y.size(); ++i)
      y[i] = std::sin(double(i) / (20.0 + 5 * s)) * (10 + s) + 3.0 * s;
    chart.AddPointsToPlot2(s, y.data(), y.size());
    const std::u16string label = u"series";
    chart.AddLabelToLegend(0x000080u * static_cast<std::uint32_t>(s), label.data(),
                           static_cast<std::uint32_t>(label.size()));
  }
  chart.SetLinearApproximate(3);
  chart.engine().background.fillKind = fillKind;
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 7;
  std::size_t n = 1000000;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const char* next = i + 1 < argc ? argv[++i] : "0";
    if (a == "--runs") runs = std::max(1, std::atoi(next));
    else if (a == "--points") n = std::max<std::size_t>(1, std::strtoull(next, nullptr, 10));
    else {
      std::fprintf(stderr, "usage: bench_arrays_png [--runs R] [--points N]\n");
      return 2;
    }
  }
#ifdef _WIN32
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // WIC needs COM
  corvane::GdiGraphicsSystem graphics;
  const char* backend = "gdi";
#else
  corvane::RasterGraphicsSystem graphics;
  const char* backend = "raster";
#endif
  std::vector<double> x(n), y(n);
  for (std::size_t i = 0; i < n; ++i) {
    x[i] = double(i);
    y[i] = std::sin(double(i) * 1e-3);
  }
  std::vector<double> single, bulk, bulk2, inPlace, fresh;
  for (int r = 0; r < runs; ++r) {
    single.push_back(TimeFill(graphics, [&](CorvaneAutomation& c) {
      for (std::size_t i = 0; i < n; ++i) c.AddPointToPlot(1, x[i], y[i]);
    }));
    bulk.push_back(
        TimeFill(graphics, [&](CorvaneAutomation& c) { c.AddPointsToPlot(1, x.data(), y.data(), n); }));
    bulk2.push_back(
        TimeFill(graphics, [&](CorvaneAutomation& c) { c.AddPointsToPlot2(1, y.data(), n); }));
    inPlace.push_back(TimeIntoStorage(graphics, x, y));
    fresh.push_back(TimeFreshMemory(FreshBytesOfAnAdd(n)));
  }
  std::printf("backend=%s runs=%d (medians)\n", backend, runs);
  std::printf("%zu points into a new plot:\n", n);
  std::printf("  AddPointToPlot x %zu    %9.2f ms  %6.2f ns/point\n", n, Median(single),
              Median(single) * 1e6 / double(n));
  std::printf("  AddPointsToPlot         %9.2f ms  %6.2f ns/point  (%.1fx faster)\n", Median(bulk),
              Median(bulk) * 1e6 / double(n), Median(single) / Median(bulk));
  std::printf("  AddPointsToPlot2        %9.2f ms  %6.2f ns/point\n", Median(bulk2),
              Median(bulk2) * 1e6 / double(n));
  std::printf("  of which the system's fresh pages (%zu MB touched once) %.2f ms  %.2f ns/point\n",
              FreshBytesOfAnAdd(n) >> 20, Median(fresh), Median(fresh) * 1e6 / double(n));
  std::printf("  AddPointsToPlot into storage in place  %.2f ms  %.2f ns/point\n", Median(inPlace),
              Median(inPlace) * 1e6 / double(n));

  const std::string bmp = TempPath(".bmp"), png = TempPath(".png"), svg = TempPath(".svg");
  const std::u16string bmpName(bmp.begin(), bmp.end()), pngName(png.begin(), png.end());
  const std::u16string svgName(svg.begin(), svg.end());
  // SaveToSvg against SaveToPng of one chart: median times and sizes.
  auto compareSvg = [&](CorvaneAutomation& chart, const char* what) {
    std::vector<double> savePng, saveSvg;
    for (int r = 0; r < runs + 1; ++r) {
      auto t0 = Clock::now();
      const corvane::HResult a = chart.SaveToPng(pngName.data(), std::uint32_t(pngName.size()));
      auto t1 = Clock::now();
      const corvane::HResult b = chart.SaveToSvg(svgName.data(), std::uint32_t(svgName.size()));
      auto t2 = Clock::now();
      if (a != corvane::kS_OK || b != corvane::kS_OK) {
        std::fprintf(stderr, "saving failed: 0x%08x 0x%08x\n", unsigned(a), unsigned(b));
        std::exit(1);
      }
      if (r == 0) continue;  // the first one lays the chart out
      savePng.push_back(Ms(t0, t1));
      saveSvg.push_back(Ms(t1, t2));
    }
    std::printf("%s:\n", what);
    std::printf("  SaveToPng   %8.2f ms  %8ld bytes\n", Median(savePng), FileSize(png));
    std::printf("  SaveToSvg   %8.2f ms  %8ld bytes  (%.2fx SaveToPng's time; targets <= 3x, <= 1 MB)\n",
                Median(saveSvg), FileSize(svg), Median(saveSvg) / Median(savePng));
  };
  for (const auto& [fill, background] : {std::pair<int, const char*>{1, "gradient"},
                                         std::pair<int, const char*>{2, "noise texture"}}) {
    CorvaneAutomation chart(graphics);
    BuildChart(chart, fill);
    std::vector<double> saveBmp, savePng;
    for (int r = 0; r < runs + 1; ++r) {
      auto t0 = Clock::now();
      const corvane::HResult a = chart.SaveToFile(bmpName.data(), std::uint32_t(bmpName.size()));
      auto t1 = Clock::now();
      const corvane::HResult b = chart.SaveToPng(pngName.data(), std::uint32_t(pngName.size()));
      auto t2 = Clock::now();
      if (a != corvane::kS_OK || b != corvane::kS_OK) {
        std::fprintf(stderr, "saving failed: 0x%08x 0x%08x\n", unsigned(a), unsigned(b));
        return 1;
      }
      if (r == 0) continue;  // the first one lays the chart out
      saveBmp.push_back(Ms(t0, t1));
      savePng.push_back(Ms(t1, t2));
    }
    std::printf("800 x 600 chart (8 plots x 1,000 points, %s background):\n", background);
    std::printf("  SaveToFile  %8.2f ms  %8ld bytes\n", Median(saveBmp), FileSize(bmp));
    std::printf("  SaveToPng   %8.2f ms  %8ld bytes  (%.2fx the time, %.1f%% of the bytes)\n",
                Median(savePng), FileSize(png), Median(savePng) / Median(saveBmp),
                100.0 * double(FileSize(png)) / double(FileSize(bmp)));
    compareSvg(chart, "  the same as SVG");
  }
  {
    CorvaneAutomation chart(graphics);
    chart.SetSize(800, 600);
    chart.put_plotsCount(8);
    std::vector<double> walk(n);
    std::uint32_t state = 12345;
    for (int s = 1; s <= 8; ++s) {
      double v = 10.0 * s;
      for (std::size_t i = 0; i < n; ++i) {
        // A random walk: every column of the picture holds a spread of values.
        state = state * 1664525u + 1013904223u;
        v += double(state >> 8) / double(1u << 24) - 0.5;
        walk[i] = v;
      }
      chart.SetSimplePlot(s);
      chart.SetPlotWidth(s, 2);
      chart.AddPointsToPlot2(s, walk.data(), n);
    }
    chart.SetSegment(1.0, double(n));  // every point in view
    char what[96];
    std::snprintf(what, sizeof what, "800 x 600 chart of 8 plots x %zu points", n);
    compareSvg(chart, what);
  }
  std::remove(bmp.c_str());
  std::remove(png.c_str());
  std::remove(svg.c_str());
  return 0;
}
