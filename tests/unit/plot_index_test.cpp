// The index of ordered plots: drawn column by column from the summary, a plot must give the
// pixels of every segment drawn on its own; the ring, the summary and the kept sums must
// answer what a plain list of the kept points answers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <deque>
#include <limits>
#include <string>
#include <vector>

#include "plot_scenes.h"
#include "plot_test_support.h"
#include "series/plot_points.h"
#include "series/plot_series.h"

namespace corvane {
namespace {

using testing::BuildPlotScene;
using testing::DrawEverySegment;
using testing::FirstDifference;
using testing::RasterPicture;
using testing::SplitMix;

TEST(PlotIndex, DrawsWhatEverySegmentDraws) {
  RasterPicture fast(200, 160), reference(200, 160);
  CPlotSeries p;
  for (std::uint64_t seed = 0; seed < 90; ++seed) {
    const std::string scene = BuildPlotScene(seed, 200, 160, p);
    fast.Clear();
    reference.Clear();
    // Drawn directly, or replayed from what a worker would have worked out.
    PreparedPlot prepared;
    if (seed % 2) p.PrepareDraw(&prepared);
    p.DrawPlot(fast.dc(), seed % 2 ? &prepared : nullptr);
    DrawEverySegment(p, reference.dc());
    ASSERT_EQ(FirstDifference(fast.Pixels(), reference.Pixels(), 200), "") << scene;
  }
}

// The kept points as a plain list, with the answers worked out by scanning it.
struct PlainPoints {
  std::deque<DPoint> kept;
  std::int32_t limit = 0;
  std::int64_t appended = 0;
  bool ordered = true;
  double lastX = 0;

  void Append(DPoint d) {
    if (d.X != d.X || (appended > 0 && d.X < lastX)) ordered = false;
    if (ordered) lastX = d.X;
    ++appended;
    kept.push_back(d);
    if (limit > 0 && static_cast<std::int32_t>(kept.size()) > limit) kept.pop_front();
  }
  void SetLimit(std::int32_t n) {
    limit = n;
    while (n > 0 && static_cast<std::int32_t>(kept.size()) > n) kept.pop_front();
  }
  YSpan Extremes(std::int32_t a, std::int32_t b) const {
    YSpan s;
    for (std::int32_t k = a; k <= b; ++k) s.Take(kept[static_cast<std::size_t>(k)].Y);
    return s;
  }
  FitSums Sums() const {
    FitSums s;
    for (const DPoint& d : kept) Accumulate(s, d.X, d.Y);
    return s;
  }
};

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void ExpectSame(const PlotPoints& points, PlainPoints& plain, SplitMix& rng,
                const std::string& where) {
  const std::int32_t n = static_cast<std::int32_t>(plain.kept.size());
  ASSERT_EQ(points.count(), n) << where;
  EXPECT_EQ(points.appended(), plain.appended) << where;
  EXPECT_EQ(points.ordered(), plain.ordered) << where;
  for (std::int32_t k = 0; k < n; ++k) {
    const DPoint a = points[k], b = plain.kept[static_cast<std::size_t>(k)];
    ASSERT_TRUE(SameBits(a.X, b.X) && SameBits(a.Y, b.Y)) << where << " point " << k;
  }
  for (int q = 0; q < 40 && n > 0; ++q) {
    std::int32_t a = static_cast<std::int32_t>(rng.Range(0, n - 1));
    std::int32_t b = static_cast<std::int32_t>(rng.Range(0, n - 1));
    if (q == 0) a = 0, b = n - 1;
    if (a > b) std::swap(a, b);
    const YSpan got = points.Extremes(a, b), want = plain.Extremes(a, b);
    ASSERT_TRUE(SameBits(got.lo, want.lo) && SameBits(got.hi, want.hi))
        << where << " extremes " << a << ".." << b;
    std::int32_t gap = a;
    while (gap <= b && !IsGap(plain.kept[static_cast<std::size_t>(gap)])) ++gap;
    ASSERT_EQ(points.NextGap(a, b), gap) << where << " gap " << a << ".." << b;
  }
}

// Appends of every size, single points, limits raised and lowered, disposal: after each, the
// ring, its summary and its sums against the plain list.
TEST(PlotIndex, RingSummaryAndSumsAnswerAsAPlainListOfTheKeptPoints) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  for (std::uint64_t seed = 1; seed <= 6; ++seed) {
    SplitMix rng(seed);
    PlotPoints points;
    PlainPoints plain;
    double x = 0;
    for (int step = 0; step < 120; ++step) {
      const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
      const std::int64_t op = rng.Range(0, 19);
      if (op == 0) {
        const std::int32_t limit = static_cast<std::int32_t>(rng.Range(0, 3) ? rng.Range(1, 3000) : 0);
        const std::int32_t before = points.count();
        const std::int32_t dropped = points.SetLimit(limit);
        plain.SetLimit(limit);
        EXPECT_EQ(dropped, before - points.count()) << where;
      } else if (op == 1 && rng.Range(0, 3) == 0) {
        points.Clear();
        plain.kept.clear();
        plain.appended = 0;
        plain.ordered = true;
      } else {
        const std::int32_t n = static_cast<std::int32_t>(rng.Range(0, 4) ? rng.Range(1, 700) : rng.Range(1, 6000));
        std::vector<double> xs, ys;
        for (std::int32_t k = 0; k < n; ++k) {
          x += rng.Range(0, 9) == 0 ? -rng.Unit() * seed : rng.Unit();
          double y = (rng.Unit() - 0.5) * 100;
          switch (rng.Range(0, 60)) {
            case 0: y = nan; break;
            case 1: y = -HUGE_VAL; break;
            case 2: y = 0.0; break;
            case 3: y = -0.0; break;
            default: break;
          }
          xs.push_back(seed % 3 == 0 && rng.Range(0, 200) == 0 ? nan : x);
          ys.push_back(y);
        }
        const bool implicit = rng.Range(0, 4) == 0;
        if (n == 1 && !implicit) {
          ASSERT_TRUE(points.Append(xs[0], ys[0]));
        } else {
          ASSERT_TRUE(points.Append(implicit ? nullptr : xs.data(), ys.data(), n));
        }
        for (std::int32_t k = 0; k < n; ++k) {
          const double px = implicit ? static_cast<double>(plain.appended) + 1.0 : xs[static_cast<std::size_t>(k)];
          plain.Append(DPoint{px, ys[static_cast<std::size_t>(k)]});
        }
      }
      ExpectSame(points, plain, rng, where);
      if (rng.Range(0, 3) == 0) {
        const FitSums got = points.WorldSums(), want = plain.Sums();
        EXPECT_TRUE(std::memcmp(&got, &want, sizeof got) == 0) << where;
      }
    }
  }
}

// What a hit test asks: the points of an X interval and the extremes of an index range.
TEST(PlotIndex, QueriesAHitTestAsks) {
  CPlotSeries p;
  const double xs[] = {1, 2, 2, 2, 5, 7, 7, 9}, ys[] = {4, -1, 8, 3, 0, 6, 2, 5};
  p.AddPoints(xs, ys, 8);
  ASSERT_TRUE(p.XOrdered());
  struct Case {
    double lo, hi;
    std::int32_t first, last;
  } cases[] = {{2, 2, 1, 3},  {1.5, 6, 1, 4}, {-10, 0.5, 0, -1}, {9, 100, 7, 7},
               {3, 4, 4, 3},  {-1e300, 1e300, 0, 7}, {6, 5, 0, -1}};
  for (const Case& c : cases) {
    const PointIndexRange r = p.PointsWithXIn(c.lo, c.hi);
    if (c.first > c.last) {
      EXPECT_GT(r.first, r.last) << c.lo << ".." << c.hi;
    } else {
      EXPECT_EQ(r.first, c.first) << c.lo << ".." << c.hi;
      EXPECT_EQ(r.last, c.last) << c.lo << ".." << c.hi;
    }
  }
  double lo = 0, hi = 0;
  ASSERT_TRUE(p.YExtremes(1, 3, &lo, &hi));
  EXPECT_EQ(lo, -1);
  EXPECT_EQ(hi, 8);
  ASSERT_TRUE(p.YExtremes(-4, 100, &lo, &hi));  // cut to the kept points
  EXPECT_EQ(lo, -1);
  EXPECT_FALSE(p.YExtremes(5, 4, &lo, &hi));
  EXPECT_EQ(p.PointAt(4).X, 5);

  // A decrease makes the plot unordered until it is emptied: every point is a candidate.
  p.AddPoint(8, 1);
  EXPECT_FALSE(p.XOrdered());
  const PointIndexRange all = p.PointsWithXIn(2, 2);
  EXPECT_EQ(all.first, 0);
  EXPECT_EQ(all.last, 8);
  p.Dispose();
  p.AddPoint(std::numeric_limits<double>::quiet_NaN(), 1);
  EXPECT_FALSE(p.XOrdered());
  p.Dispose();
  p.AddPoint(-HUGE_VAL, 1);
  p.AddPoint(HUGE_VAL, 1);
  EXPECT_TRUE(p.XOrdered());
}

}  // namespace
}  // namespace corvane
