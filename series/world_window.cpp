// The world window's rules that need no engine: the vertical range, the repair of
// degenerate ranges, the mapping of plot points into the plot area, the axis origin, and the
// segment and scroll steps.
#include "series/world_window.h"

#include <cstdint>

#include "appearance/chart_grid.h"
#include "platform/geometry.h"
#include "series/plot_series.h"

#if defined(__SSE2__) || defined(_M_X64) || (defined(_M_IX86_FP) && _M_IX86_FP >= 2)
#include <emmintrin.h>
#define CORVANE_RANGE_SSE2 1
#endif

namespace corvane {
namespace {

// Index arithmetic of the scroll steps, saturating instead of overflowing.
std::int32_t Step(std::int32_t v, int delta) {
  const std::int64_t r = std::int64_t{v} + delta;
  if (r > INT32_MAX) return INT32_MAX;
  if (r < INT32_MIN) return INT32_MIN;
  return static_cast<std::int32_t>(r);
}

// The world value of an axis origin whose own value came out NaN (an infinite window end):
// the window end at the edge it sits on, or 0 when that end is no number either.
double EdgeValue(bool atHighEnd, double low, double high) {
  const double v = atHighEnd ? high : low;
  return v == v ? v : 0.0;
}

}  // namespace

namespace {

// The in-order scan: the first of equal values wins, which tells -0 from +0.
void ScanInOrder(const DPoint* pts, std::int32_t n, double* ymin, double* ymax) {
  double lo = *ymin, hi = *ymax;
  for (std::int32_t k = 0; k < n; ++k) {
    const double y = pts[k].Y;
    if (y < lo && y >= -DBL_MAX) lo = y;
    if (y > hi && y <= DBL_MAX) hi = y;
  }
  *ymin = lo;
  *ymax = hi;
}

#if CORVANE_RANGE_SSE2
// Y of four points in two registers; values the scan leaves out become NaN, which MINPD and
// MAXPD pass over (they return their second operand when either is NaN, or both are equal).
struct RangeLanes {
  __m128d lo0, lo1, hi0, hi1;
  const __m128d ones = _mm_castsi128_pd(_mm_set1_epi32(-1));
  const __m128d lowest = _mm_set1_pd(-DBL_MAX), highest = _mm_set1_pd(DBL_MAX);

  RangeLanes(double lo, double hi)
      : lo0(_mm_set1_pd(lo)), lo1(lo0), hi0(_mm_set1_pd(hi)), hi1(hi0) {}

  inline void Take(__m128d y, __m128d& lo, __m128d& hi) const {
    lo = _mm_min_pd(_mm_or_pd(y, _mm_andnot_pd(_mm_cmpge_pd(y, lowest), ones)), lo);
    hi = _mm_max_pd(_mm_or_pd(y, _mm_andnot_pd(_mm_cmple_pd(y, highest), ones)), hi);
  }
};
#endif

}  // namespace

// Four points a step, each lane a scan of its own; lanes see the values out of order, which
// matters only for a zero (-0 and +0 compare equal), and a zero end is scanned again in order.
void VerticalRangeScan::TakePoints(const DPoint* pts, std::int32_t n) {
  double lo = ymin, hi = ymax;
  std::int32_t k = 0;
#if CORVANE_RANGE_SSE2
  if (n >= 8) {
    RangeLanes r(lo, hi);
    for (; k + 4 <= n; k += 4) {
      const __m128d y0 = _mm_unpackhi_pd(_mm_loadu_pd(&pts[k].X), _mm_loadu_pd(&pts[k + 1].X));
      const __m128d y1 = _mm_unpackhi_pd(_mm_loadu_pd(&pts[k + 2].X), _mm_loadu_pd(&pts[k + 3].X));
      r.Take(y0, r.lo0, r.hi0);
      r.Take(y1, r.lo1, r.hi1);
    }
    double l[4], h[4];
    _mm_storeu_pd(l, r.lo0);
    _mm_storeu_pd(l + 2, r.lo1);
    _mm_storeu_pd(h, r.hi0);
    _mm_storeu_pd(h + 2, r.hi1);
    for (int j = 0; j < 4; ++j) {
      if (l[j] < lo) lo = l[j];
      if (h[j] > hi) hi = h[j];
    }
  }
#endif
  ScanInOrder(pts + k, n - k, &lo, &hi);
  if (lo == 0 || hi == 0) {
    lo = ymin;
    hi = ymax;
    ScanInOrder(pts, n, &lo, &hi);
  }
  ymin = lo;
  ymax = hi;
}

void FinishWorldWindow(const VerticalRangeScan& scan, WorldWindow& world) {
  double ymin = scan.ymin, ymax = scan.ymax;
  const bool nothingScanned =
      ymin == VerticalRangeScan::kLowSentinel && ymax == VerticalRangeScan::kHighSentinel;
  bool applyMargin = scan.margin;
  if (nothingScanned) {
    // No data: the unit window (the sentinels would give a reversed 1.2e7 window once a
    // horizontal range is set).
    if (world.xmin == 0 && world.xmax == 0) {
      world.xmin = -1;
      world.xmax = 1;
    }
    ymin = -1;
    ymax = 1;
    applyMargin = false;
  }
  if (world.xmin == world.xmax) {
    world.xmin -= 1;
    world.xmax += 1;
  }
  if (ymax == ymin) {
    ymin -= 1;
    ymax += 1;
  } else if (applyMargin) {
    const double d = (ymax - ymin) * 0.1;
    ymax += d;
    ymin -= d;
  }
  world.ymin = ymin;
  world.ymax = ymax;
}

void CPlotSeries::MapToDevice(std::int32_t l, std::int32_t r, std::int32_t t, std::int32_t b) {
  left = l;
  right = r;
  top = t;
  bottom = b;
  std::int32_t n = points.count();
  if (devicePoints.count() < n) n = devicePoints.count();
  if (n <= 0 || world.xmax == world.xmin || world.ymax == world.ymin) return;

  const double xmin = world.xmin, ymin = world.ymin;
  const double sx = (static_cast<double>(r) - l) / (world.xmax - xmin);
  const double sy = (static_cast<double>(t) - b) / (world.ymax - ymin);
  const double dl = l, db = b;

  std::int32_t first = 0, last = n - 1;
  if (segmentOnly == 1) {
    if (firstIndex > first) first = firstIndex;
    if (lastIndex < last) last = lastIndex;
  } else if (segmentOnly != 0) {
    last = -1;  // a plot in neither mode is never drawn: nothing to map
  }
  const DPoint* src = points.data();
  DPoint* dst = devicePoints.data();
  for (std::int32_t k = first; k <= last; ++k) {
    dst[k].X = dl + sx * (src[k].X - xmin);
    dst[k].Y = db + sy * (src[k].Y - ymin);
  }
  refitPending = 1;
}

void CChartGrid::AxisOrigin() {
  // Differences in double: plot-area corners of an extreme SetSize must not overflow.
  const double w = static_cast<double>(right) - left;
  const double h = static_cast<double>(bottom) - top;
  const double dx = xmax - xmin;
  const double dy = ymax - ymin;

  // A position that is not a number (an infinite window end) falls back to the left or top
  // edge, where the clamps below put a saturated one too.
  const double px = left + (w / dx) * (-xmin);
  std::int32_t ox = px == px ? TruncToInt32(px) : left;
  if (ox < left) ox = left;
  if (ox > right) ox = right;
  originX = ox;
  if (xmin * xmax < 0)
    originWorldX = 0;
  else if (w != 0)
    originWorldX = xmin + (static_cast<double>(originX) - left) * (dx / w);
  else
    originWorldX = xmin;  // no width to measure along: the window's left end
  if (originWorldX != originWorldX) originWorldX = EdgeValue(originX == right, xmin, xmax);

  const double py = bottom + ((static_cast<double>(top) - bottom) / dy) * (-ymin);
  std::int32_t oy = py == py ? TruncToInt32(py) : top;
  if (oy < top) oy = top;
  if (oy > bottom) oy = bottom;
  originY = oy;
  if (ymin * ymax < 0)
    originWorldY = 0;
  else if (h != 0)
    originWorldY = ymax + (static_cast<double>(originY) - top) * ((ymin - ymax) / h);
  else
    originWorldY = ymax;
  if (originWorldY != originWorldY) originWorldY = EdgeValue(originY != bottom, ymin, ymax);
}

void SelectSegment(double a, double b, CPlotSeries* plots, std::int32_t active, CChartGrid& grid) {
  const std::int32_t first = TruncToInt32(a - 1.0);
  const std::int32_t last = TruncToInt32(b - 1.0);
  for (std::int32_t p = 0; p < active; ++p) {
    const std::int32_t n = plots[p].points.count();
    plots[p].firstIndex = first < 0 ? 0 : first;
    plots[p].lastIndex = last >= n ? n - 1 : last;
    plots[p].refitPending = 1;
  }
  const std::int32_t m = grid.labels.count();
  grid.firstLabel = first < 0 ? 0 : first;
  grid.lastLabel = last >= m ? m - 1 : last;
}

bool ScrollSegment(int direction, CPlotSeries* plots, std::int32_t active, CChartGrid& grid,
                   WorldWindow& world) {
  const std::int32_t m = grid.labels.count();
  const bool right = direction > 0;
  const int d = right ? 1 : -1;
  bool stepped = false;
  if (right ? std::int64_t{grid.lastLabel} + 1 < m : std::int64_t{grid.firstLabel} - 1 >= 0) {
    grid.firstLabel = Step(grid.firstLabel, d);
    grid.lastLabel = Step(grid.lastLabel, d);
    stepped = true;
  }
  if (grid.firstLabel < 0) grid.firstLabel = 0;
  if (grid.lastLabel >= m) grid.lastLabel = m - 1;
  if (!stepped) return false;

  world.xmin += d;
  world.xmax += d;
  for (std::int32_t p = 0; p < active; ++p) {
    CPlotSeries& plot = plots[p];
    const bool canMove = right ? std::int64_t{plot.lastIndex} + 1 < plot.points.count()
                               : std::int64_t{plot.firstIndex} - 1 >= 0;
    if (canMove) {
      plot.firstIndex = Step(plot.firstIndex, d);
      plot.lastIndex = Step(plot.lastIndex, d);
      plot.refitPending = 1;
    }
  }
  return true;
}

}  // namespace corvane
