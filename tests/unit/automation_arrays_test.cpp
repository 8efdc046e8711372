// The array members of the portable API against the one-point members they stand for:
// the same points, the same implicit X numbering, the same layout invalidation, all or
// nothing when they fail.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "engine_test_support.h"

namespace corvane {
namespace {

using testing::AutomationFixtureBase;

// Everything the point members may touch in a chart.
void ExpectSamePlots(CorvaneAutomation& a, CorvaneAutomation& b, const char* label) {
  CChartEngine& ea = a.engine();
  CChartEngine& eb = b.engine();
  EXPECT_EQ(ea.layoutDirty, eb.layoutDirty) << label;
  for (int p = 0; p < CChartEngine::kMaxPlots; ++p) {
    const CPlotSeries& pa = ea.plots[p];
    const CPlotSeries& pb = eb.plots[p];
    ASSERT_EQ(pa.KeptCount(), pb.KeptCount()) << label << " plot " << p + 1;
    EXPECT_EQ(pa.refitPending, pb.refitPending) << label << " plot " << p + 1;
    for (std::int32_t i = 0; i < pa.KeptCount(); ++i) {
      // Bit for bit: NaN must stay the NaN it was.
      const DPoint da = pa.PointAt(i), db = pb.PointAt(i);
      EXPECT_EQ(std::memcmp(&da, &db, sizeof(DPoint)), 0) << label << " " << i;
    }
    std::int32_t na = -1, nb = -1;
    ASSERT_EQ(a.get_PointCount(p + 1, &na), kS_OK);
    ASSERT_EQ(b.get_PointCount(p + 1, &nb), kS_OK);
    EXPECT_EQ(na, pa.KeptCount());
    EXPECT_EQ(nb, na);
  }
}

std::vector<double> Values(std::size_t n, unsigned seed) {
  std::mt19937 gen(seed);
  std::uniform_real_distribution<double> u(-1e6, 1e6);
  std::vector<double> v(n);
  for (double& d : v) d = u(gen);
  if (n > 3) {
    v[1] = std::numeric_limits<double>::quiet_NaN();
    v[2] = -std::numeric_limits<double>::infinity();
    v[3] = -0.0;
  }
  return v;
}

struct BulkCase {
  const char* label;
  std::int32_t plot;
  std::size_t before;  // points already in the plot (added one by one)
  std::size_t count;
  bool implicitX;
};

TEST(AutomationArrays, BulkMembersEqualTheOnePointMembers) {
  const BulkCase cases[] = {
      {"empty", 1, 0, 0, false},         {"empty after points", 2, 3, 0, true},
      {"one", 1, 0, 1, false},           {"many", 3, 0, 1000, false},
      {"numbering on", 4, 5, 77, true},  {"numbering from one", 8, 0, 300, true},
      {"onto existing", 2, 17, 40, false},
      {"plot 0 ignored", 0, 0, 10, false}, {"plot 9 ignored", 9, 0, 10, true},
      {"negative plot", -3, 0, 10, false}, {"beyond a growth step", 5, 1023, 1026, true},
  };
  for (const BulkCase& c : cases) {
    AutomationFixtureBase one, bulk;
    for (auto* f : {&one, &bulk}) {
      f->chart.put_plotsCount(8);
      for (std::size_t i = 0; i < c.before; ++i) f->chart.AddPointToPlot(c.plot, double(i), 1.0);
      // A rendered chart: the flag is clear, so the members must set it again.
      f->engine().layoutDirty = 0;
      for (CPlotSeries& p : f->engine().plots) p.refitPending = 0;
    }
    const std::vector<double> x = Values(c.count, 1), y = Values(c.count, 2);
    for (std::size_t i = 0; i < c.count; ++i) {
      if (c.implicitX) {
        ASSERT_EQ(one.chart.AddPointToPlot2(c.plot, y[i]), kS_OK);
      } else {
        ASSERT_EQ(one.chart.AddPointToPlot(c.plot, x[i], y[i]), kS_OK);
      }
    }
    const HResult hr = c.implicitX ? bulk.chart.AddPointsToPlot2(c.plot, y.data(), c.count)
                                   : bulk.chart.AddPointsToPlot(c.plot, x.data(), y.data(), c.count);
    EXPECT_EQ(hr, kS_OK) << c.label;
    ExpectSamePlots(one.chart, bulk.chart, c.label);
  }
}

TEST(AutomationArrays, FailuresAddNothing) {
  AutomationFixtureBase f;
  f.chart.AddPointToPlot(1, 1, 1);
  f.engine().layoutDirty = 0;
  f.engine().plots[0].refitPending = 0;
  const double v[2] = {1, 2};
  const std::size_t tooMany = static_cast<std::size_t>(CPlotSeries::kMaxPoints);
  struct Failure {
    const char* label;
    HResult hr;
  } const failures[] = {
      {"null x", f.chart.AddPointsToPlot(1, nullptr, v, 2)},
      {"null y", f.chart.AddPointsToPlot(1, v, nullptr, 2)},
      {"null y, implicit x", f.chart.AddPointsToPlot2(1, nullptr, 2)},
      // More than a plot holds is refused before a single value is read.
      {"more than a plot holds", f.chart.AddPointsToPlot(1, v, v, tooMany)},
      {"more than a plot holds, implicit x", f.chart.AddPointsToPlot2(1, v, SIZE_MAX)},
  };
  const HResult expected[] = {kE_POINTER, kE_POINTER, kE_POINTER, kE_OUTOFMEMORY,
                              kE_OUTOFMEMORY};
  for (std::size_t i = 0; i < std::size(failures); ++i)
    EXPECT_EQ(failures[i].hr, expected[i]) << failures[i].label;
  EXPECT_EQ(f.engine().plots[0].KeptCount(), 1);
  EXPECT_EQ(f.engine().plots[0].refitPending, 0);
  EXPECT_EQ(f.engine().layoutDirty, 0);
  // Nothing to add needs no pointers.
  EXPECT_EQ(f.chart.AddPointsToPlot(1, nullptr, nullptr, 0), kS_OK);
  EXPECT_EQ(f.chart.AddPointsToPlot2(1, nullptr, 0), kS_OK);
  EXPECT_EQ(f.engine().layoutDirty, 0);
}

TEST(AutomationArrays, PointCountOutsideThePlotsIsZero) {
  AutomationFixtureBase f;
  const double y[3] = {1, 2, 3};
  ASSERT_EQ(f.chart.AddPointsToPlot2(8, y, 3), kS_OK);
  for (std::int32_t plot : {0, 9, -1, INT32_MIN, INT32_MAX}) {
    std::int32_t n = -1;
    EXPECT_EQ(f.chart.get_PointCount(plot, &n), kS_OK);
    EXPECT_EQ(n, 0) << plot;
  }
  std::int32_t n = 0;
  EXPECT_EQ(f.chart.get_PointCount(8, &n), kS_OK);
  EXPECT_EQ(n, 3);
  EXPECT_EQ(f.chart.get_PointCount(8, nullptr), kE_POINTER);
}

#if defined(__SANITIZE_ADDRESS__)
#define CORVANE_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define CORVANE_ASAN 1
#endif
#endif

// Storage that cannot grow: a child process whose address space is capped below what the
// plot's points need.
TEST(AutomationArrays, StorageThatCannotGrowAddsNothing) {
#ifdef CORVANE_ASAN
  GTEST_SKIP() << "the sanitizer's shadow memory does not fit under an address-space limit";
#else
  constexpr std::size_t kCount = 8u << 20;  // 8 Mi points: 128 MiB
  std::vector<double> values(kCount, 1.5);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    testing::AutomationFixtureBase f;
    f.chart.AddPointToPlot(1, 0, 0);
    f.engine().layoutDirty = 0;
    long statm[2] = {0, 0};
    if (std::FILE* in = std::fopen("/proc/self/statm", "r")) {
      if (std::fscanf(in, "%ld %ld", &statm[0], &statm[1]) != 2) statm[0] = 0;
      std::fclose(in);
    }
    rlimit cap{};
    cap.rlim_cur = cap.rlim_max =
        static_cast<rlim_t>(statm[0]) * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (64u << 20);
    if (statm[0] == 0 || ::setrlimit(RLIMIT_AS, &cap) != 0) ::_exit(3);
    const HResult hr = f.chart.AddPointsToPlot(1, values.data(), values.data(), kCount);
    std::int32_t n = -1;
    f.chart.get_PointCount(1, &n);
    const bool ok = hr == kE_OUTOFMEMORY && n == 1 && f.engine().layoutDirty == 0 &&
                    f.engine().plots[0].KeptCount() == 1;
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0) << "3: no limit could be set, 1: points were added";
#endif
}

}  // namespace
}  // namespace corvane
