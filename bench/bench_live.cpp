// Live-data benchmark: plots of N points (the reference's random walk, X = 1..N) drawn
// through the public automation API with DrawTo into an 800 x 600 buffer, as a trend display
// scrolled through its history or following a stream. Prints figures; it is not a test.
//
//   bench_live [--max-n N] [--frames F] [--big S:N] [--no-big] [--workers W] [--ref-dir DIR]
//              [--no-ref]
//
// Cases: one plot of 100k, 1M, 10M and 100M points (up to --max-n) at 1 and 2 px, and S plots
// of N points (--big, default 8:64M; --no-big leaves it out). Figures per case (milliseconds,
// medians of F frames):
//   add      AddPointsToPlot a million points a call, ns per point; "touch" is the system's
//            share: touching as many fresh bytes as the add made resident, timed alone
//   first    the first render after SetSegment to the whole range; repeat: the next one
//   scroll   SetSegment to the first 1% of the range, then ScrollRight and a render a frame
//            (user grid labels let the segment move; the default grid does not draw them)
//   stream   1,000 points appended to each plot, SetSegment to the newest 1%, a render
//   ring     the same into PlotCapacity = N (each frame drops the 1,000 oldest)
//   render   a stream frame again with the chart rendered into a memory context instead of
//            DrawTo: the engine's share, without DrawTo's copies of the picture
//   B/pt     resident bytes per stored point after the first render (the memory a render of
//            the same window takes without the points made resident before)
//   unord    a scroll frame of the same plot with its first two X swapped (drawn point by point)
// Every time is given as wall-clock (the median over the frames) and, after a slash, the
// processor time of the whole process, worker threads included (the mean over the frames):
// on a machine shared with other work the second is the steadier.
// The reference (../shared/bench-reference) runs in the same invocation for the ratios.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "control/automation.h"
#include "platform/large_block.h"
#include "platform/worker_pool.h"

namespace {

using corvane::CorvaneAutomation;
using corvane::GraphicsSystem;
using corvane::bench::Clock;
using corvane::bench::Median;
using corvane::bench::Ms;
using corvane::bench::ResidentBytes;

constexpr std::int32_t kWidth = 800, kHeight = 600;
constexpr std::size_t kChunk = 1000000;  // points per AddPointsToPlot call
constexpr std::size_t kStreamPoints = 1000;
int gWorkers = 0;

// A span of time: wall-clock and processor milliseconds.
struct Span {
  double wall = 0, cpu = 0;
  Span& operator+=(const Span& o) {
    wall += o.wall;
    cpu += o.cpu;
    return *this;
  }
};

class Stopwatch {
 public:
  Stopwatch() : wall_(Clock::now()), cpu_(corvane::bench::CpuMs()) {}
  Span Elapsed() const { return Span{Ms(wall_, Clock::now()), corvane::bench::CpuMs() - cpu_}; }

 private:
  Clock::time_point wall_;
  double cpu_;
};

// The median wall-clock time, and the mean processor time (some systems count it in steps
// of 10 ms: only the sum over many frames says anything there).
Span MedianOf(const std::vector<Span>& spans) {
  std::vector<double> wall;
  double cpu = 0;
  for (const Span& s : spans) wall.push_back(s.wall), cpu += s.cpu;
  return Span{Median(wall), spans.empty() ? 0 : cpu / double(spans.size())};
}

struct Figures {
  Span add, touch, first, repeat, scroll, stream, ring, render, unordered;  // add, touch: per point
  double bytesPerPoint = 0;
};

class Picture {
 public:
  explicit Picture(GraphicsSystem& g)
      : pixels_(static_cast<std::size_t>(kWidth) * kHeight), target_(g, kWidth, kHeight) {}
  // Frames are rendered into a memory context instead of DrawTo's buffer while set.
  bool renderOnly = false;
  // One frame: the whole chart into the buffer.
  void Draw(CorvaneAutomation& chart) {
    if (renderOnly && target_.dc()) {
      chart.engine().RenderChart(target_.dc());
      return;
    }
    const corvane::HResult hr = chart.DrawTo(pixels_.data(), kWidth, kHeight, kWidth * 4, 0, 0);
    if (hr != corvane::kS_OK) {
      std::fprintf(stderr, "DrawTo failed: 0x%08x\n", unsigned(hr));
      std::exit(1);
    }
  }
  Span TimedDraw(CorvaneAutomation& chart) {
    const Stopwatch watch;
    Draw(chart);
    return watch.Elapsed();
  }

 private:
  std::vector<std::uint32_t> pixels_;
  corvane::bench::RenderTarget target_;
};

// The time for the system to hand out and the program to touch `bytes` of fresh memory; past
// 1 GiB a 1 GiB sample, scaled (a second block the size of a big chart may not fit beside it).
Span FreshMemory(std::size_t bytes) {
  if (bytes == 0) return Span{};
  const std::size_t sample = std::min<std::size_t>(bytes, std::size_t{1} << 30);
  const Stopwatch watch;
  void* p = corvane::AllocateLargeBlock(sample);
  if (!p) return Span{};
  for (std::size_t i = 0; i < sample; i += 4096) static_cast<volatile char*>(p)[i] = 1;
  const Span s = watch.Elapsed();
  corvane::FreeLargeBlock(p, sample);
  const double scale = double(bytes) / double(sample);
  return Span{s.wall * scale, s.cpu * scale};
}

std::unique_ptr<CorvaneAutomation> NewChart(GraphicsSystem& graphics, int series, int width) {
  auto chart = std::make_unique<CorvaneAutomation>(graphics);
  if (gWorkers > 0) chart->engine().workers.SetWorkers(gWorkers);
  chart->SetSize(kWidth, kHeight);
  chart->put_plotsCount(series);
  for (int s = 1; s <= series; ++s) {
    chart->SetSimplePlot(s);
    chart->SetPlotWidth(s, width);
  }
  return chart;
}

// Appends N points of the walk to each plot, a million a call; returns the time of the calls
// alone. swapFirst: the first two X change places (the plot is then unordered).
// The arrays handed to AddPointsToPlot, made (and touched) once before any case: the
// benchmark's own buffers must not come and go between the resident sizes it reads.
struct Chunk {
  std::vector<double> x, y;
};
Chunk& Buffers() {
  static Chunk chunk{std::vector<double>(kChunk, 1.0), std::vector<double>(kChunk, 1.0)};
  return chunk;
}

Span AddWalks(CorvaneAutomation& chart, int series, std::size_t n, bool swapFirst) {
  std::vector<double>& x = Buffers().x;
  std::vector<double>& y = Buffers().y;
  Span spent;
  for (int s = 0; s < series; ++s) {
    corvane::bench::WalkSource walk(s);
    for (std::size_t at = 0; at < n; at += kChunk) {
      const std::size_t m = std::min(kChunk, n - at);
      for (std::size_t k = 0; k < m; ++k) {
        x[k] = double(at + k + 1);
        y[k] = walk.Next();
      }
      if (swapFirst && at == 0 && m >= 2) std::swap(x[0], x[1]);
      const Stopwatch watch;
      const corvane::HResult hr = chart.AddPointsToPlot(s + 1, x.data(), y.data(), m);
      spent += watch.Elapsed();
      if (hr != corvane::kS_OK) {
        std::fprintf(stderr, "AddPointsToPlot failed: 0x%08x\n", unsigned(hr));
        std::exit(1);
      }
    }
  }
  return spent;
}

// Labels enough for the segment to scroll `frames` steps from a window of `window` points.
void ScrollLabels(CorvaneAutomation& chart, std::size_t window, int frames) {
  const std::u16string label = u"x";
  for (std::size_t k = 0; k < window + frames + 2; ++k)
    chart.AddLabelToGrid(label.data(), std::uint32_t(label.size()));
}

Span ScrollFrames(CorvaneAutomation& chart, Picture& picture, std::size_t n, int frames) {
  const std::size_t window = std::max<std::size_t>(n / 100, 2);
  ScrollLabels(chart, window, frames);
  chart.SetSegment(1, double(window));
  picture.Draw(chart);
  std::vector<Span> t;
  for (int f = 0; f < frames; ++f) {
    const Stopwatch watch;
    chart.ScrollRight();
    picture.Draw(chart);
    t.push_back(watch.Elapsed());
  }
  return MedianOf(t);
}

// Frames of a stream: 1,000 new points a plot, the window on the newest 1%.
Span StreamFrames(CorvaneAutomation& chart, Picture& picture, int series, std::size_t n,
                  int frames, std::vector<corvane::bench::WalkSource>& walks, double* newest) {
  const double window = double(std::max<std::size_t>(n / 100, 2));
  std::vector<std::vector<double>> y(std::size_t(series), std::vector<double>(std::size_t{kStreamPoints}));
  std::vector<Span> t;
  for (int f = 0; f < frames; ++f) {
    for (int s = 0; s < series; ++s)
      for (double& v : y[std::size_t(s)]) v = walks[std::size_t(s)].Next();
    const Stopwatch watch;
    for (int s = 1; s <= series; ++s)
      chart.AddPointsToPlot2(s, y[std::size_t(s - 1)].data(), kStreamPoints);
    *newest += double(kStreamPoints);
    chart.SetSegment(*newest - window, *newest);
    picture.Draw(chart);
    t.push_back(watch.Elapsed());
  }
  return MedianOf(t);
}

Figures RunCase(GraphicsSystem& graphics, int series, std::size_t n, int width, int frames,
                bool unordered) {
  Figures fig;
  Picture picture(graphics);
  auto perPoint = [&](Span s) {
    const double points = double(n) * series;
    return Span{s.wall * 1e6 / points, s.cpu * 1e6 / points};
  };
  {
    // A chart of two points with the same window first: what a render of that window needs
    // whatever the points (the picture, the labels' glyphs and scratch memory) is resident
    // before the points come, and the bytes counted per point are the points' own.
    double lo = 0, hi = 0;
    for (int s = 0; s < series; ++s) {
      corvane::bench::WalkSource walk(s);
      for (std::size_t k = 0; k < n; ++k) {
        const double v = walk.Next();
        lo = std::min(lo, v), hi = std::max(hi, v);
      }
    }
    {
      auto warm = NewChart(graphics, 1, width);
      warm->AddPointToPlot(1, 1, lo);
      warm->AddPointToPlot(1, double(n), hi);
      warm->SetSegment(1, double(n));
      picture.Draw(*warm);
    }
    auto chart = NewChart(graphics, series, width);
    const std::uint64_t before = ResidentBytes();
    fig.add = perPoint(AddWalks(*chart, series, n, false));
    fig.touch = perPoint(FreshMemory(ResidentBytes() - before));
    chart->SetSegment(1, double(n));
    fig.first = picture.TimedDraw(*chart);
    fig.bytesPerPoint = double(ResidentBytes() - before) / (double(n) * series);
    std::vector<Span> repeat;
    for (int r = 0; r < 5; ++r) repeat.push_back(picture.TimedDraw(*chart));
    fig.repeat = MedianOf(repeat);
    fig.scroll = ScrollFrames(*chart, picture, n, frames);
    // The walks go on where the points left off.
    std::vector<corvane::bench::WalkSource> walks;
    for (int s = 0; s < series; ++s) {
      walks.emplace_back(s);
      for (std::size_t k = 0; k < n; ++k) walks.back().Next();
    }
    double newest = double(n);
    fig.stream = StreamFrames(*chart, picture, series, n, frames, walks, &newest);
    for (int s = 1; s <= series; ++s) chart->put_PlotCapacity(s, std::int32_t(n));
    picture.Draw(*chart);
    fig.ring = StreamFrames(*chart, picture, series, n, frames, walks, &newest);
    picture.renderOnly = true;
    fig.render = StreamFrames(*chart, picture, series, n, frames, walks, &newest);
    picture.renderOnly = false;
  }
  if (unordered) {
    auto chart = NewChart(graphics, series, width);
    AddWalks(*chart, series, n, true);
    fig.unordered = ScrollFrames(*chart, picture, n, std::max(3, frames / 10));
  }
  return fig;
}

void PrintHeader() {
  std::printf("%-2s %-10s %-2s %13s %13s %15s %13s %13s %13s %13s %13s %6s %15s\n", "S", "N",
              "px", "add", "touch", "first", "repeat", "scroll", "stream", "ring", "render", "B/pt",
              "unord");
}

std::string Both(const Span& s, int precision) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f/%.*f", precision, s.wall, precision, s.cpu);
  return text;
}

void PrintCase(int series, std::size_t n, int width, const Figures& f) {
  std::printf("%-2d %-10zu %-2d %13s %13s %15s %13s %13s %13s %13s %13s %6.2f %15s\n", series, n,
              width, Both(f.add, 1).c_str(), Both(f.touch, 1).c_str(), Both(f.first, 2).c_str(),
              Both(f.repeat, 3).c_str(), Both(f.scroll, 3).c_str(), Both(f.stream, 3).c_str(),
              Both(f.ring, 3).c_str(), Both(f.render, 3).c_str(), f.bytesPerPoint,
              f.unordered.wall > 0 ? Both(f.unordered, 2).c_str() : "-");
  std::fflush(stdout);
}

const char* Verdict(bool met) { return met ? "met" : "NOT MET"; }

}  // namespace

int main(int argc, char** argv) {
  std::size_t maxN = 100000000;
  int frames = 100;
  int bigSeries = 8;
  std::size_t bigN = std::size_t{64} << 20;
  bool big = true, withRef = true;
  std::string refDir = "/work/shared/bench-reference";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() { return i + 1 < argc ? std::string(argv[++i]) : std::string("0"); };
    if (a == "--max-n") maxN = std::strtoull(next().c_str(), nullptr, 10);
    else if (a == "--frames") frames = std::max(3, std::atoi(next().c_str()));
    else if (a == "--big") {
      const std::string v = next();
      bigSeries = std::max(1, std::min(8, std::atoi(v.c_str())));
      const std::size_t colon = v.find(':');
      if (colon != std::string::npos) bigN = std::strtoull(v.c_str() + colon + 1, nullptr, 10);
    } else if (a == "--no-big") big = false;
    else if (a == "--workers") gWorkers = std::max(1, std::atoi(next().c_str()));
    else if (a == "--ref-dir") refDir = next();
    else if (a == "--no-ref") withRef = false;
    else {
      std::fprintf(stderr, "usage: bench_live [--max-n N] [--frames F] [--big S:N] [--no-big] "
                           "[--workers W] [--ref-dir DIR] [--no-ref]\n");
      return 2;
    }
  }
  corvane::bench::BenchGraphicsSystem graphics;
  const char* backend = corvane::bench::kBackend;
  std::printf("backend=%s picture=%dx%d frames=%d workers=%d (medians, ms; add and touch in ns "
              "per point)\n",
              backend, kWidth, kHeight, frames,
              gWorkers > 0 ? gWorkers : corvane::WorkerPool::DefaultWorkers());
  Buffers();
  RunCase(graphics, 1, 10000, 1, 3, false);  // what a process does once (caches, first pools)
  PrintHeader();
  std::map<std::pair<std::size_t, int>, Figures> one;
  for (std::size_t n : {std::size_t{100000}, std::size_t{1000000}, std::size_t{10000000},
                        std::size_t{100000000}}) {
    if (n > maxN) continue;
    for (int width : {1, 2}) {
      const Figures f = RunCase(graphics, 1, n, width, frames, true);
      one[{n, width}] = f;
      PrintCase(1, n, width, f);
    }
  }
  Figures bigFigures;
  if (big) {
    bigFigures = RunCase(graphics, bigSeries, bigN, 2, frames, false);
    PrintCase(bigSeries, bigN, 2, bigFigures);
  }

  // The reference after the cases, in the same invocation.
  const std::string ref = withRef ? corvane::bench::BuildReference(refDir) : "";
  std::map<std::string, double> st;
  if (!ref.empty()) st = corvane::bench::RunReference(ref, 1, 1000, 7);
  corvane::bench::RemoveReference(ref);
  const double refTotal = st.count("total") ? st["total"] : 0;

  std::printf("targets (wall-clock; processor time in brackets):\n");
  for (int width : {1, 2}) {
    const auto small = one.find({100000, width});
    const auto large = one.find({maxN >= 100000000 ? 100000000 : maxN, width});
    if (small == one.end() || large == one.end() || large == small) continue;
    auto ratio = [](const Span& a, const Span& b) {
      return Span{b.wall > 0 ? a.wall / b.wall : 0, b.cpu > 0 ? a.cpu / b.cpu : 0};
    };
    const Span scroll = ratio(large->second.scroll, small->second.scroll);
    const Span stream = ratio(large->second.stream, small->second.stream);
    std::printf("  %d px: at N = %zu a scroll frame costs %.2fx (%.2fx) and a stream frame %.2fx "
                "(%.2fx) their cost at 100k (at most 2x: %s, %s)\n",
                width, large->first.first, scroll.wall, scroll.cpu, stream.wall, stream.cpu,
                Verdict(scroll.wall <= 2), Verdict(stream.wall <= 2));
    const auto ten = one.find({10000000, width});
    if (ten != one.end()) {
      const Span faster = ratio(ten->second.unordered, ten->second.scroll);
      std::printf("  %d px: at N = 10M the unordered walk's frame costs %.1fx (%.1fx) the scroll "
                  "frame (at least 20x: %s)\n",
                  width, faster.wall, faster.cpu, Verdict(faster.wall >= 20));
    }
    if (refTotal > 0 && large->first.first >= 100000000)
      std::printf("  %d px: a stream frame at N = 100M costs %.3f ms (%.3f), %.2fx the reference's "
                  "total for 1 x 1,000 points, %.3f ms (at most 1x: %s); rendered without "
                  "DrawTo's copies %.3f ms (%.3f), %.2fx\n",
                  width, large->second.stream.wall, large->second.stream.cpu,
                  large->second.stream.wall / refTotal, refTotal,
                  Verdict(large->second.stream.wall <= refTotal), large->second.render.wall,
                  large->second.render.cpu, large->second.render.wall / refTotal);
  }
  double worst = bigFigures.bytesPerPoint;
  for (const auto& [key, f] : one) worst = std::max(worst, f.bytesPerPoint);
  std::printf("  resident bytes per stored point after a render: at most %.2f (at most 18: %s)\n",
              worst, Verdict(worst <= 18));
  return 0;
}
