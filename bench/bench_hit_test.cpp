// Hit-testing benchmark: a chart of S plots x N points (the reference's random walk, X never
// decreasing) at 800 x 600, probed at P positions spread over the plot area, beside a repeat
// render of the same chart. Prints figures; it is not a test.
//
//   bench_hit_test [--n N] [--series S] [--probes P] [--runs R] [--unordered]
//
// --unordered swaps the first two X values of every plot, so no plot is known to be ordered:
// the hit test then walks every point. Figures are medians over R runs, in milliseconds;
// "ratio" is one hit test over one repeat render (target at most 0.01 for ordered X).
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "control/automation.h"

#ifdef _WIN32
#include "platform/gdi/gdi_system.h"
#else
#include "platform/raster/raster_system.h"
#endif

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::int32_t kWidth = 800, kHeight = 600;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

// splitmix64 from seed 20240601 + series, steps uniform in [-1, 1], X = 1..N.
void Walk(std::size_t n, int series, std::vector<double>* x, std::vector<double>* y) {
  x->resize(n);
  y->resize(n);
  std::uint64_t state = 20240601ull + static_cast<std::uint64_t>(series);
  double v = 0;
  for (std::size_t k = 0; k < n; ++k) {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    v += 2.0 * (static_cast<double>(z >> 11) * 0x1.0p-53) - 1.0;
    (*x)[k] = static_cast<double>(k + 1);
    (*y)[k] = v;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t n = 1000000;
  int series = 8, probes = 1000, runs = 5;
  bool unordered = false;
  for (int i = 1; i < argc; ++i) {
    const bool more = i + 1 < argc;
    if (std::strcmp(argv[i], "--n") == 0 && more) n = std::strtoull(argv[++i], nullptr, 10);
    else if (std::strcmp(argv[i], "--series") == 0 && more) series = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--probes") == 0 && more) probes = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--runs") == 0 && more) runs = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--unordered") == 0) unordered = true;
  }
  series = std::clamp(series, 1, 8);
#ifdef _WIN32
  corvane::GdiGraphicsSystem graphics;
#else
  corvane::RasterGraphicsSystem graphics;
#endif
  corvane::CorvaneAutomation chart(graphics);
  chart.SetSize(kWidth, kHeight);
  chart.put_plotsCount(series);
  chart.SetSegment(1, static_cast<double>(n));
  for (int s = 1; s <= series; ++s) {
    std::vector<double> x, y;
    Walk(n, s - 1, &x, &y);
    if (unordered && n >= 2) std::swap(x[0], x[1]);
    chart.AddPointsToPlot(s, x.data(), y.data(), n);
    chart.SetSimplePlot(s);
  }
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(kWidth) * kHeight * 4);
  auto render = [&] { return chart.DrawTo(pixels.data(), kWidth, kHeight, kWidth * 4, 0, 0); };
  if (render() != corvane::kS_OK) {
    std::fprintf(stderr, "render failed\n");
    return 1;
  }
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  chart.get_PlotAreaLeft(&left);
  chart.get_PlotAreaTop(&top);
  chart.get_PlotAreaRight(&right);
  chart.get_PlotAreaBottom(&bottom);

  std::vector<double> renderMs, hitMs;
  int found = 0;
  std::uint32_t lcg = 12345;
  for (int r = 0; r < runs; ++r) {
    const auto t0 = Clock::now();
    render();
    renderMs.push_back(Ms(Clock::now() - t0));
    const auto t1 = Clock::now();
    for (int p = 0; p < probes; ++p) {
      lcg = lcg * 1664525u + 1013904223u;
      const double x = left + (lcg >> 8) % static_cast<std::uint32_t>(right - left);
      lcg = lcg * 1664525u + 1013904223u;
      const double y = top + (lcg >> 8) % static_cast<std::uint32_t>(bottom - top);
      corvane::ChartHit hit;
      chart.HitTest(x, y, 4, &hit);
      found += hit.kind != corvane::kHitNothing;
    }
    hitMs.push_back(Ms(Clock::now() - t1) / probes);
  }
  const double render1 = Median(renderMs), hit1 = Median(hitMs);
  std::printf("bench_hit_test: %d x %zu points, %s X, %d probes a run, %d runs\n", series, n,
              unordered ? "unordered" : "ordered", probes, runs);
  std::printf("  repeat render      %10.3f ms\n", render1);
  std::printf("  hit test           %10.4f ms   ratio to a repeat render %.4f (%d of %d hit)\n",
              hit1, render1 > 0 ? hit1 / render1 : 0.0, found, probes * runs);
  return 0;
}
