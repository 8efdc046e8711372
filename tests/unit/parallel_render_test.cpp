// The plots' polylines shared among worker threads: seeded random charts rendered with 2 and
// 7 workers give the pictures and fits of one thread, bit for bit; the pieces behind it (the
// kept vertical range, the kept fits' sums, recorded polylines, the pool itself) against
// their plain counterparts.
#include <gtest/gtest.h>

#if defined(__linux__)
#include <sched.h>
#endif

#include <algorithm>
#include <atomic>
#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "control/automation.h"
#include "overlays/polyline_stroker.h"
#include "platform/random_sequence.h"
#include "platform/raster/raster_system.h"
#include "platform/recording_dc.h"
#include "platform/worker_pool.h"
#include "series/plot_points.h"
#include "series/plot_series.h"
#include "series/world_window.h"

namespace corvane {
namespace {

struct Rng {
  std::uint64_t state;
  std::uint64_t Next() {
    state += 0x9E3779B97F4A7C15ull;
    std::uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
};

// Y values of one plot: walks (dense, mostly one pixel column apart), jumps, and now and
// then a value the range scan must leave out or a signed zero.
std::vector<double> RandomYs(Rng& rng, int n, bool jumps, bool specials = true) {
  std::vector<double> y(static_cast<std::size_t>(n));
  double v = 0;
  for (double& out : y) {
    v = jumps ? 100 * rng.Unit() - 50 : v + 2 * rng.Unit() - 1;
    out = v;
    if (!specials) continue;
    switch (rng.Below(4000)) {
      case 0: out = std::numeric_limits<double>::quiet_NaN(); break;
      case 1: out = rng.Below(2) ? HUGE_VAL : -HUGE_VAL; break;
      case 2: out = rng.Below(2) ? 0.0 : -0.0; break;
      default: break;
    }
  }
  return y;
}

void BuildRandomChart(CorvaneAutomation& c, std::uint64_t seed) {
  Rng rng{seed};
  c.SetSize(320, 240);
  const int plots = 1 + rng.Below(8);
  c.put_plotsCount(plots);
  int longest = 0;
  for (int p = 1; p <= plots; ++p) {
    const int n = rng.Below(3) == 0 ? rng.Below(300) : 2000 + rng.Below(30000);
    longest = std::max(longest, n);
    // Values the scan leaves out in some plots only: one NaN makes every fit of its plot NaN.
    const bool jumps = rng.Below(3) == 0, specials = rng.Below(3) == 0;
    const std::vector<double> y = RandomYs(rng, n, jumps, specials);
    c.AddPointsToPlot2(p, y.data(), y.size());
    c.SetPlotWidth(p, 1 + rng.Below(3));
    c.SetPlotColor(p, static_cast<Color>(rng.Next() & 0xFFFFFF));
    const int mode = rng.Below(4);
    if (mode == 1) c.SetLinearApproximate(p);
    if (mode == 2) c.SetSquareApproximate(p);
    if (mode == 0 || mode == 3) c.SetSimplePlot(p);
    if (rng.Below(5) == 0) c.SetPointVisible(p, -1);
    if (rng.Below(6) == 0) c.SetPlotVisible(p, 0);
  }
  if (rng.Below(3) == 0) c.SetUserTypeGrid();
  const double a = 1 + rng.Below(std::max(1, longest / 2)), b = a + 1 + rng.Below(longest + 1);
  c.SetSegment(a, b);
}

// Everything a render leaves in a plot that the client or the next render can see.
std::string PlotBits(const CPlotSeries& p) {
  const double fits[] = {p.devA, p.devB, p.devC, p.devSlope, p.devIntercept,
                         p.quadA, p.quadB, p.quadC, p.linSlope, p.linIntercept};
  std::string bits(reinterpret_cast<const char*>(fits), sizeof fits);
  for (std::int32_t k = 0; k < p.KeptCount(); ++k) {
    const DPoint d = p.PointAt(k);
    bits.append(reinterpret_cast<const char*>(&d), sizeof d);
  }
  return bits;
}

struct Rendered {
  std::vector<std::uint8_t> first, repeat;
  std::vector<std::string> plots;
};

// Grid labels sample the background with the thread's random sequence: every render starts
// it afresh, so that renders on different threads and in different orders compare.
Rendered Render(std::uint64_t seed, int workers) {
  ResetRandomForTest();
  RasterGraphicsSystem graphics;
  CorvaneAutomation c(graphics);
  c.engine().workers.SetWorkers(workers);
  c.engine().parallelMinPoints = 0;  // share even the small plots
  BuildRandomChart(c, seed);
  Rendered r;
  DibPicture picture;
  EXPECT_EQ(c.get_Picture(&picture), kS_OK);
  r.first = picture.bits;
  EXPECT_EQ(c.get_Picture(&picture), kS_OK);
  r.repeat = picture.bits;
  for (const CPlotSeries& p : c.engine().plots) r.plots.push_back(PlotBits(p));
  return r;
}

TEST(ParallelRender, WorkersDrawWhatOneThreadDraws) {
  for (std::uint64_t seed = 1; seed <= 12; ++seed) {
    const Rendered one = Render(seed, 1);
    for (int workers : {2, 7}) {
      const Rendered many = Render(seed, workers);
      EXPECT_TRUE(many.first == one.first) << "seed " << seed << ", " << workers << " workers";
      EXPECT_TRUE(many.repeat == one.repeat) << "seed " << seed << ", " << workers << " workers";
      for (std::size_t p = 0; p < one.plots.size(); ++p)
        EXPECT_TRUE(many.plots[p] == one.plots[p])
            << "seed " << seed << ", plot " << p + 1 << ", " << workers << " workers";
    }
  }
}

// Two charts on two threads at once, each with its own workers: the pictures of each alone.
TEST(ParallelRender, TwoChartsOnTwoThreadsAtOnce) {
  const Rendered alone[2] = {Render(21, 1), Render(22, 1)};
  Rendered together[2];
  std::thread a([&] { together[0] = Render(21, 2); });
  std::thread b([&] { together[1] = Render(22, 3); });
  a.join();
  b.join();
  for (int k = 0; k < 2; ++k) {
    EXPECT_TRUE(together[k].first == alone[k].first) << k;
    EXPECT_TRUE(together[k].plots == alone[k].plots) << k;
  }
}

// The plain scan the lanes must agree with, signed zeros included.
void PlainRange(const std::vector<DPoint>& pts, double* lo, double* hi) {
  for (const DPoint& p : pts) {
    if (p.Y < *lo && p.Y >= -DBL_MAX) *lo = p.Y;
    if (p.Y > *hi && p.Y <= DBL_MAX) *hi = p.Y;
  }
}

TEST(ParallelRender, KeptRangeEqualsThePlainScan) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    const char* name;
    std::vector<double> ys;
  } cases[] = {
      {"signed zeros, negative first", {-0.0, 0.0, 0.0, -0.0, 0.0, 0.0, 0.0, 0.0, 0.0}},
      {"signed zeros, positive first", {0.0, -0.0, 0.0, -0.0, -0.0, 0.0, -0.0, 0.0, 3.0}},
      {"lowest zero late", {1, -0.0, 1, 1, 0.0, 1, 1, 1, 1}},
      {"highest zero late", {-1, -0.0, -1, -1, 0.0, -1, -1, -1, -1}},
      {"infinities and NaN only", {HUGE_VAL, -HUGE_VAL, nan, nan, HUGE_VAL, -HUGE_VAL, nan, 1}},
      {"beyond the sentinels", {2e7, -2e7, 5e6, 3e7, -3e7, 1, 2, 3, 4}},
      {"short", {5, -1}},
  };
  for (const Case& c : cases) {
    std::vector<DPoint> pts;
    PlotPoints kept;
    for (double y : c.ys) pts.push_back(DPoint{0, y}), kept.Append(0, y);
    VerticalRangeScan scan;
    scan.TakeExtremes(kept.Extremes(0, kept.count() - 1));
    double lo = VerticalRangeScan::kLowSentinel, hi = VerticalRangeScan::kHighSentinel;
    PlainRange(pts, &lo, &hi);
    EXPECT_EQ(std::memcmp(&scan.ymin, &lo, sizeof lo), 0) << c.name;
    EXPECT_EQ(std::memcmp(&scan.ymax, &hi, sizeof hi), 0) << c.name;
  }
  Rng rng{5};
  for (int round = 0; round < 50; ++round) {
    const std::vector<double> ys = RandomYs(rng, rng.Below(5000), round % 2);
    std::vector<DPoint> pts;
    PlotPoints kept;
    for (double y : ys) pts.push_back(DPoint{0, y});
    kept.Append(nullptr, ys.data(), static_cast<std::int32_t>(ys.size()));
    VerticalRangeScan scan;
    scan.ymin = round % 3 ? VerticalRangeScan::kLowSentinel : 0.5;  // a range scanned before
    double lo = scan.ymin, hi = scan.ymax;
    scan.TakeExtremes(kept.Extremes(0, kept.count() - 1));
    PlainRange(pts, &lo, &hi);
    EXPECT_EQ(std::memcmp(&scan.ymin, &lo, sizeof lo), 0) << round;
    EXPECT_EQ(std::memcmp(&scan.ymax, &hi, sizeof hi), 0) << round;
  }
}

// Sums kept across renders -- grown as points arrive under one mapping, made again once
// points leave or the mapping changes -- give the fits of a fresh pass, bit for bit.
TEST(ParallelRender, KeptSumsGiveTheFitsOfAFreshPass) {
  Rng rng{9};
  for (int mode : {1, 2}) {
    CPlotSeries kept;
    kept.approximation = mode;
    kept.world = WorldWindow{-3, 9000, -40, 55};
    for (int step = 0; step < 12; ++step) {
      const std::vector<double> y = RandomYs(rng, 1 + rng.Below(800), false, false);
      kept.AddPoints(nullptr, y.data(), static_cast<std::int32_t>(y.size()));
      if (step == 5) kept.SetCapacity(1500);  // points leave from here on
      if (step == 8) kept.world.xmax = 12000;  // another mapping
      kept.MapToDevice(65, 735, 60, 565);
      kept.Refit();
      CPlotSeries fresh;
      std::vector<double> xs, ys;
      for (std::int32_t k = 0; k < kept.KeptCount(); ++k)
        xs.push_back(kept.PointAt(k).X), ys.push_back(kept.PointAt(k).Y);
      fresh.AddPoints(xs.data(), ys.data(), static_cast<std::int32_t>(xs.size()));
      fresh.world = kept.world;
      fresh.MapToDevice(65, 735, 60, 565);
      fresh.RefitAll();
      EXPECT_TRUE(PlotBits(kept) == PlotBits(fresh)) << "mode " << mode << " step " << step;
    }
  }
}

// A recorded chain replays into exactly the calls the stroker makes on the context.
TEST(ParallelRender, RecordedPolylineReplaysTheSameCalls) {
  Rng rng{3};
  for (int width : {1, 2, 5}) {
    for (bool dense : {true, false}) {
      std::vector<DPoint> d;
      double y = 100;
      for (int k = 0; k < (dense ? 20000 : 300); ++k) {
        y += 6 * rng.Unit() - 3;
        d.push_back(DPoint{dense ? 10 + k * 0.02 : 10 + k * 1.3, y});
      }
      CLineStyle style;
      style.width = width;
      style.color = 0x336699;
      style.enabled = 1;
      const IRect clip{20, 30, 300, 200};
      RecordingDc direct(400, 300), replayed(400, 300);
      {
        PolylineStroker s(style, clip, direct);
        s.AddTruncated(d.data(), static_cast<std::int32_t>(d.size()));
      }
      StrokeRecording recording;
      {
        PolylineStroker s(style, clip, recording);
        s.AddTruncated(d.data(), static_cast<std::int32_t>(d.size()));
        s.Finish();
      }
      {
        PolylineStroker s(style, clip, replayed);
        s.Replay(recording);
      }
      EXPECT_GT(recording.runs.size(), 0u);
      EXPECT_EQ(direct.log().Texts(), replayed.log().Texts()) << width << (dense ? " dense" : "");
    }
  }
}

TEST(WorkerPool, EveryIndexRunsOnceWhateverTheWorkers) {
  for (int workers : {1, 2, 7}) {
    WorkerPool pool(workers);
    for (int count : {0, 1, 2, 3, 50, 1000}) {
      std::vector<std::atomic<int>> hits(static_cast<std::size_t>(count));
      pool.Run(count, [&](int i) { hits[static_cast<std::size_t>(i)]++; });
      for (int i = 0; i < count; ++i) EXPECT_EQ(hits[static_cast<std::size_t>(i)], 1) << workers;
    }
    EXPECT_EQ(pool.threads(), workers - 1);
  }
}

#if defined(__linux__)
TEST(WorkerPool, AThreadHeldToOneProcessorGetsOneWorker) {
  cpu_set_t saved;
  ASSERT_EQ(sched_getaffinity(0, sizeof saved, &saved), 0);
  cpu_set_t one;
  CPU_ZERO(&one);
  for (int c = 0; c < CPU_SETSIZE; ++c)
    if (CPU_ISSET(c, &saved)) {
      CPU_SET(c, &one);
      break;
    }
  ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
  EXPECT_EQ(WorkerPool::DefaultWorkers(), 1);
  sched_setaffinity(0, sizeof saved, &saved);
}
#endif

TEST(WorkerPool, AThrowingTaskLeavesTheOthersRunning) {
  WorkerPool pool(3);
  std::atomic<int> done{0};
  pool.Run(40, [&](int i) {
    if (i % 7 == 0) throw std::runtime_error("task");
    ++done;
  });
  EXPECT_EQ(done, 40 - 6);
}

TEST(WorkerPool, WorkerCountsAreClampedAndIdleWorkersJoin) {
  struct Case {
    int asked, got;
  } cases[] = {{0, 1}, {-4, 1}, {1, 1}, {3, 3}, {1000, WorkerPool::kMaxWorkers}};
  for (const Case& c : cases) {
    WorkerPool pool(c.asked);
    EXPECT_EQ(pool.workers(), c.got);
  }
  EXPECT_GE(WorkerPool::DefaultWorkers(), 1);
  EXPECT_LE(WorkerPool::DefaultWorkers(), 4);
  // A chart whose workers have run and sit idle: its destruction joins them (an unjoined
  // thread would end the process), and so does a change of their number.
  for (int round = 0; round < 20; ++round) {
    RasterGraphicsSystem graphics;
    auto c = std::make_unique<CorvaneAutomation>(graphics);
    c->engine().workers.SetWorkers(4);
    c->engine().parallelMinPoints = 0;
    BuildRandomChart(*c, 100 + round);
    DibPicture picture;
    c->get_Picture(&picture);
    c->engine().workers.SetWorkers(round % 2 ? 2 : 4);
    c->get_Picture(&picture);
    c.reset();
  }
}

}  // namespace
}  // namespace corvane
