#include "series/column_walk.h"

#include <algorithm>

#include "series/index_search.h"

namespace corvane {

namespace {

// Points per pixel column from which a range is walked column by column: below it, mapping
// every point costs less than searching and summarising columns.
constexpr std::int64_t kDenseFactor = 32;
// Columns of at most this many points are drawn point by point.
constexpr std::int32_t kDirectColumn = 6;
constexpr std::int32_t kBatch = 256;
// Columns ahead of the one worked out whose first points are fetched.
constexpr std::int32_t kAhead = 4;

// The pixel column of each point as a key that never decreases along ordered points (the
// column negated when the scale is negative and columns run right to left).
class Columns {
 public:
  Columns(const PlotPoints& p, const PlotMapping& m) : p_(p), m_(m), down_(m.sx < 0) {}

  std::int64_t Key(std::int32_t k) const { return KeyOf(m_.Column(p_[k].X)); }
  std::int64_t KeyOf(std::int64_t column) const { return down_ ? -column : column; }

  // The last index in [s, z] in the column of point s; `guess` is the previous column's
  // count of points, which the next one often has too.
  std::int32_t End(std::int32_t s, std::int32_t z, std::int32_t guess) const {
    const std::int64_t key = Key(s);
    std::int32_t lo = s, hi = z + 1;  // Key(lo) == key; hi is past the column (or z + 1)
    if (guess > 1 && std::int64_t{s} + guess - 1 <= z) {
      const std::int32_t g = s + guess - 1;
      if (Key(g) == key) {
        lo = g;
        if (g == z || Key(g + 1) != key) return g;
      } else {
        hi = g;
      }
    }
    // Gallop from lo until past the column, then halve.
    for (std::int64_t step = 1; hi == z + 1;) {
      const std::int64_t probe = lo + step;
      if (probe > z) {
        if (Key(z) == key) return z;
        hi = z;
        break;
      }
      if (Key(static_cast<std::int32_t>(probe)) == key) {
        lo = static_cast<std::int32_t>(probe);
        step *= 2;
      } else {
        hi = static_cast<std::int32_t>(probe);
      }
    }
    while (hi - lo > 1) {
      const std::int32_t mid = lo + (hi - lo) / 2;
      if (Key(mid) == key)
        lo = mid;
      else
        hi = mid;
    }
    return lo;
  }

 private:
  const PlotPoints& p_;
  const PlotMapping& m_;
  bool down_;
};

// On a logarithmic X axis the points of an ordered plot whose X is 0 or below come first and
// have no place: the walk starts past them (an unordered plot is walked from `first`, each
// point tested). Column reduction still holds beyond them, log10 growing with X. A summary's
// extremes of Y may hold values a logarithmic Y axis leaves out, so such a plot is walked
// point by point.
std::int32_t FirstPlacedX(const PlotPoints& points, std::int32_t first, std::int32_t last) {
  if (!points.ordered()) return first;
  return FirstWhere(first, last, [&](std::int32_t k) { return points[k].X > 0; });
}

// Every point of first..last, mapped; a gap ends the chain.
void StrokeEveryPoint(const PlotPoints& points, const PlotMapping& m, std::int32_t first,
                      std::int32_t last, PolylineStroker& stroker) {
  IPoint batch[kBatch];
  std::int32_t n = 0;
  points.ForEachRun(first, last, [&](const DPoint* p, std::int32_t count, std::int32_t) {
    for (std::int32_t k = 0; k < count; ++k) {
      if (m.Gap(p[k])) {
        stroker.AddPixels(batch, n);
        n = 0;
        stroker.Break();
        continue;
      }
      batch[n++] = m.Pixel(p[k]);
      if (n == kBatch) {
        stroker.AddPixels(batch, n);
        n = 0;
      }
    }
  });
  stroker.AddPixels(batch, n);
}

class ChainWalk {
 public:
  ChainWalk(const PlotPoints& p, const PlotMapping& m, bool onePixel, PolylineStroker& s)
      : p_(p), m_(m), columns_(p, m), onePixel_(onePixel), stroker_(s) {}

  // Points s0..z, none of them a gap, as one chain.
  void Chain(std::int32_t s0, std::int32_t z) {
    std::int32_t guess = 1;
    for (std::int32_t s = s0; s <= z;) {
      // Columns a few ahead begin about where the last ones' widths say: their points are
      // fetched while this one is worked out (one miss a column would bound the walk).
      const std::int64_t ahead = std::int64_t{s} + std::int64_t{kAhead} * guess;
      if (guess > kDirectColumn && ahead + 1 <= z) {
        p_.Prefetch(static_cast<std::int32_t>(ahead));
        p_.Prefetch(static_cast<std::int32_t>(ahead + 1));
      }
      const std::int32_t e = columns_.End(s, z, guess);
      if (e - s < kDirectColumn) {
        for (std::int32_t k = s; k <= e; ++k) stroker_.Add(m_.Pixel(p_[k]));
      } else {
        Column(s, e, e == z);
      }
      guess = e - s + 1;
      s = e + 1;
    }
  }

 private:
  // The points s..e of one pixel column, from the first, the extremes and the last.
  void Column(std::int32_t s, std::int32_t e, bool endsChain) {
    const IPoint f = m_.Pixel(p_[s]), l = m_.Pixel(p_[e]);
    const YSpan y = p_.Extremes(s, e, true);
    const std::int32_t r1 = m_.Row(y.lo), r2 = m_.Row(y.hi);
    const std::int32_t lo = std::min(r1, r2), hi = std::max(r1, r2), x = f.x;
    stroker_.Add(f);
    if (onePixel_ && endsChain && lo != hi && (l.y == lo || l.y == hi)) {
      // The chain ends on an extreme row E. Its pixel is drawn only if a segment leaves it:
      // if some point before the chain's last run of points on E lies on E too.
      const std::int32_t edge = l.y, other = l.y == lo ? hi : lo;
      std::int32_t j = e;
      while (m_.Row(p_[j].Y) == edge) --j;  // some point lies on `other`: j stays >= s
      const YSpan before = p_.Extremes(s, j, true);
      if (m_.Row(before.lo) == edge || m_.Row(before.hi) == edge) stroker_.Add(IPoint{x, edge});
      stroker_.Add(IPoint{x, other});
    } else {
      stroker_.Add(IPoint{x, lo});
      stroker_.Add(IPoint{x, hi});
    }
    stroker_.Add(l);
  }

  const PlotPoints& p_;
  const PlotMapping& m_;
  Columns columns_;
  bool onePixel_;
  PolylineStroker& stroker_;
};

}  // namespace

void StrokePlotPoints(const PlotPoints& points, const PlotMapping& m, std::int32_t first,
                      std::int32_t last, bool onePixel, PolylineStroker& stroker) {
  if (m.logs.x && first <= last) first = FirstPlacedX(points, first, last);
  if (first > last) return;
  if (!points.ordered() || !m.Monotone() || m.logs.y) {
    stroker.ExpectPoints(std::int64_t{last} - first + 1);
    StrokeEveryPoint(points, m, first, last, stroker);
    return;
  }
  // Segments wholly beyond the pen's reach to the left or right draw nothing: keep the last
  // point before the reach and the first after it, for the segments that cross into it.
  const Columns columns(points, m);
  const std::int64_t a = columns.KeyOf(stroker.reachLeft()), b = columns.KeyOf(stroker.reachRight());
  const std::int64_t lowKey = std::min(a, b), highKey = std::max(a, b);
  const std::int32_t inside =
      FirstWhere(first, last, [&](std::int32_t k) { return columns.Key(k) >= lowKey; });
  const std::int32_t i0 = inside > first ? inside - 1 : first;
  const std::int32_t beyond =
      FirstWhere(i0, last, [&](std::int32_t k) { return columns.Key(k) > highKey; });
  const std::int32_t i1 = beyond <= last ? beyond : last;
  const std::int64_t visible = std::int64_t{i1} - i0 + 1;
  if (visible < kDenseFactor * (stroker.reachRight() - stroker.reachLeft() + 1)) {
    stroker.ExpectPoints(visible);
    StrokeEveryPoint(points, m, i0, i1, stroker);
    return;
  }
  ChainWalk walk(points, m, onePixel, stroker);
  for (std::int32_t k = i0; k <= i1;) {
    const std::int32_t gap = points.NextGap(k, i1);
    if (gap > k) walk.Chain(k, gap - 1);
    if (gap <= i1) stroker.Break();
    k = gap + 1;
  }
}

namespace {

// Rows already given a marker in one column, as up to 32 runs; when they are used up, rows
// beyond them may be given a marker twice (the same pixels).
class RowSet {
 public:
  bool Covers(std::int64_t a, std::int64_t b) const {
    for (int i = 0; i < n_; ++i)
      if (runs_[i].lo <= a && b <= runs_[i].hi) return true;
    return false;
  }
  void Add(std::int64_t r) {
    int below = -1, above = -1;
    for (int i = 0; i < n_; ++i) {
      if (runs_[i].lo <= r && r <= runs_[i].hi) return;
      if (runs_[i].hi == r - 1) below = i;
      if (runs_[i].lo == r + 1) above = i;
    }
    if (below >= 0 && above >= 0) {
      runs_[below].hi = runs_[above].hi;
      runs_[above] = runs_[--n_];
    } else if (below >= 0) {
      runs_[below].hi = r;
    } else if (above >= 0) {
      runs_[above].lo = r;
    } else if (n_ < kRuns) {
      runs_[n_++] = Run{r, r};
    }
  }

 private:
  static constexpr int kRuns = 32;
  struct Run {
    std::int64_t lo, hi;
  };
  Run runs_[kRuns];
  int n_ = 0;
};

// Markers of every point in first..last that is no gap and lies within [left, right]; a
// centre repeated by the point before is left out.
void EveryMarker(const PlotPoints& points, const PlotMapping& m, std::int32_t first,
                 std::int32_t last, double left, double right, MarkerSink& sink) {
  bool havePrevious = false;
  IPoint previous{0, 0};
  points.ForEachRun(first, last, [&](const DPoint* p, std::int32_t count, std::int32_t) {
    for (std::int32_t k = 0; k < count; ++k) {
      if (m.Gap(p[k])) continue;
      const double dx = m.X(p[k].X);
      if (!(left <= dx && dx <= right)) continue;
      const IPoint c{TruncToInt32(dx), m.Row(p[k].Y)};
      if (havePrevious && c.x == previous.x && c.y == previous.y) continue;
      havePrevious = true;
      previous = c;
      sink.Marker(c);
    }
  });
}

// The distinct rows of points s..e, all in one column: a node of the summary whose extremes
// share a row, or whose rows all have their marker, is done without reading its points.
void ColumnMarkers(const PlotPoints& points, const PlotMapping& m, std::int32_t s,
                   std::int32_t e, MarkerSink& sink) {
  const std::int32_t x = m.Column(points[s].X);
  RowSet rows;
  points.Walk(
      s, e,
      [&](const YSpan& span, bool, int) {
        if (span.empty()) return PointSummary::kSkip;
        const std::int32_t r1 = m.Row(span.lo), r2 = m.Row(span.hi);
        const std::int32_t a = std::min(r1, r2), b = std::max(r1, r2);
        if (rows.Covers(a, b)) return PointSummary::kSkip;
        if (a != b) return PointSummary::kDescend;
        sink.Marker(IPoint{x, a});
        rows.Add(a);
        return PointSummary::kSkip;
      },
      [&](std::int32_t k) {
        const DPoint p = points[k];
        if (IsGap(p)) return PointSummary::kSkip;
        const std::int32_t r = m.Row(p.Y);
        if (!rows.Covers(r, r)) {
          sink.Marker(IPoint{x, r});
          rows.Add(r);
        }
        return PointSummary::kSkip;
      });
}

}  // namespace

void CollectPlotMarkers(const PlotPoints& points, const PlotMapping& m, std::int32_t first,
                        std::int32_t last, double left, double right, MarkerSink& sink) {
  if (m.logs.x && first <= last) first = FirstPlacedX(points, first, last);
  if (first > last) return;
  if (!points.ordered() || !m.Monotone() || m.logs.y) {
    EveryMarker(points, m, first, last, left, right, sink);
    return;
  }
  // The points within [left, right] are one run of indices, device x being monotone.
  std::int32_t m0, m1;
  if (m.sx > 0) {
    m0 = FirstWhere(first, last, [&](std::int32_t k) { return m.X(points[k].X) >= left; });
    m1 = FirstWhere(m0, last, [&](std::int32_t k) { return m.X(points[k].X) > right; }) - 1;
  } else {
    m0 = FirstWhere(first, last, [&](std::int32_t k) { return m.X(points[k].X) <= right; });
    m1 = FirstWhere(m0, last, [&](std::int32_t k) { return m.X(points[k].X) < left; }) - 1;
  }
  if (m0 > m1) return;
  const double columns = right - left + 1;
  if (static_cast<double>(m1 - m0 + 1) < static_cast<double>(kDenseFactor) * columns) {
    EveryMarker(points, m, m0, m1, left, right, sink);
    return;
  }
  const Columns byColumn(points, m);
  std::int32_t guess = 1;
  for (std::int32_t s = m0; s <= m1;) {
    const std::int32_t e = byColumn.End(s, m1, guess);
    ColumnMarkers(points, m, s, e, sink);
    guess = e - s + 1;
    s = e + 1;
  }
}

}  // namespace corvane
