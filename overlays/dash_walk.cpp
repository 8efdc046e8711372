#include "overlays/dash_walk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

#include "overlays/line_style.h"

namespace corvane {

namespace {

struct DashPattern {
  int count;
  double units[6];
};

// Dash patterns in units, alternately drawn and skipped, starting with a drawn piece.
constexpr DashPattern kPatterns[5] = {
    {0, {0, 0, 0, 0, 0, 0}},  // solid
    {2, {5, 2, 0, 0, 0, 0}},  // dashed
    {4, {5, 2, 2, 2, 0, 0}},  // dash-dot
    {6, {5, 2, 2, 2, 2, 2}},  // dash-dot-dot
    {2, {2, 2, 0, 0, 0, 0}},  // dotted
};

// The parameter range [lo, hi] of the segment x1 + t dx, y1 + t dy that lies within `box`
// grown by `margin` pixels; false when it misses the grown box altogether.
bool VisibleRange(double x1, double y1, double dx, double dy, const IRect& box, double margin,
                  double* lo, double* hi) {
  const double bl = std::min(box.left, box.right) - margin;
  const double br = std::max(box.left, box.right) + margin;
  const double bt = std::min(box.top, box.bottom) - margin;
  const double bb = std::max(box.top, box.bottom) + margin;
  double t0 = 0.0, t1 = 1.0;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x1 - bl, br - x1, y1 - bt, bb - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0.0) {
      if (q[i] < 0.0) return false;
      continue;
    }
    const double r = q[i] / p[i];
    if (p[i] < 0.0)
      t0 = std::max(t0, r);
    else
      t1 = std::min(t1, r);
    if (t0 > t1) return false;
  }
  *lo = t0;
  *hi = t1;
  return true;
}

}  // namespace

// Advances the walk position t (end of a piece at pattern index km) by whole pattern periods
// while it stays below `limit`, leaving t exactly as the piece-by-piece sums would. Inside
// one binade every double is a multiple of the same ulp, so adding a fraction f moves t by
// a fixed amount that depends only on whether t is an even or odd multiple of that ulp (ties
// round to even); a period that restores that parity therefore repeats exactly, and n
// periods are one multiplication.
void AdvanceWholePeriods(double& t, int km, const double* f, int m, double limit) {
  auto period = [&](double from) {
    double a = from;
    for (int j = 1; j <= m; ++j) a += f[(km + j) % m];
    return a;
  };
  auto evenMultiple = [](double step, double ulp) { return std::fmod(step / ulp, 2.0) == 0.0; };
  while (t < limit) {
    int e = 0;
    std::frexp(t, &e);  // t lies in [2^(e-1), 2^e)
    const double top = std::ldexp(1.0, e);
    const double ulp = std::ldexp(1.0, e - 53);
    const double end = std::min(limit, top);
    const double a = period(t);
    if (!(a < end)) return;
    double base = t;
    double step = a - t;
    if (!evenMultiple(step, ulp)) {
      const double b = period(a);
      if (!(b < end)) return;
      if (evenMultiple(b - a, ulp)) {
        base = a;  // from the second period on the parity stays put
        step = b - a;
      } else {
        step = b - t;  // parity alternates: two periods repeat
      }
    }
    if (!(step > 0.0)) return;
    const double blocks = std::floor((end - base) / step) - 1.0;
    if (blocks < 1.0) {
      t = base;
      return;
    }
    t = base + blocks * step;
  }
}

void DrawDashedSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::int32_t width, std::int32_t style, DeviceContext& dc) {
  const DashPattern& pattern = kPatterns[SanitizeLineStyle(style)];
  const std::int64_t dx = static_cast<std::int64_t>(x2) - x1;
  const std::int64_t dy = static_cast<std::int64_t>(y2) - y1;
  // Squares of 32-bit differences fit 64 bits; their sum may not, then it is taken in double.
  const std::uint64_t ax = static_cast<std::uint64_t>(dx < 0 ? -dx : dx);
  const std::uint64_t ay = static_cast<std::uint64_t>(dy < 0 ? -dy : dy);
  const std::uint64_t sx = ax * ax, sy = ay * ay;
  const double sumSquares = (sx <= std::numeric_limits<std::uint64_t>::max() - sy)
                                ? static_cast<double>(sx + sy)
                                : static_cast<double>(sx) + static_cast<double>(sy);
  const double length = std::sqrt(sumSquares);
  const double n = std::trunc(length / (2.0 * width));
  if (n < 7.0 || pattern.count == 0) {  // shorter than 14 pen widths: solid
    dc.MoveToEx(x1, y1);
    dc.LineTo(x2, y2);
    return;
  }
  const double u = 1.0 / n;
  const int m = pattern.count;
  double f[6];
  for (int k = 0; k < m; ++k) f[k] = pattern.units[k] * u;

  const double fdx = static_cast<double>(dx), fdy = static_cast<double>(dy);
  const double fx1 = x1, fy1 = y1;
  auto at = [&](double t) {
    return IPoint{TruncToInt32(t * fdx + fx1), TruncToInt32(t * fdy + fy1)};
  };

  dc.MoveToEx(x1, y1);
  int km = 0;
  double t = f[0];
  double tPrev = 0.0;
  double tHi = 2.0;  // past the end: no cut-off
  if (n > kLongDashWalkUnits) {
    // The clip in force, whoever set it (a failed region leaves the whole surface open).
    IRect box{};
    dc.GetClipBox(&box);
    // The pen reaches width/2 beyond the line and truncation moves a point by under a pixel.
    const double margin = width + 4.0;
    double lo = 0.0, hi = 0.0;
    if (!VisibleRange(fx1, fy1, fdx, fdy, box, margin, &lo, &hi)) {
      lo = 2.0;  // nothing of the walk can show
      hi = -1.0;
    }
    const double pad = 4.0 / length;
    lo -= pad;
    tHi = hi + pad;
    bool skipped = false;
    while (t <= 1.0 && t < lo) {
      AdvanceWholePeriods(t, km, f, m, lo);
      tPrev = t;
      km = (km + 1) % m;
      t += f[km];
      skipped = true;
    }
    // A drawn piece starts where the skipped piece before it ended.
    if (skipped && t <= 1.0 && (km & 1) == 0) {
      const IPoint p = at(tPrev);
      dc.MoveToEx(p.x, p.y);
    }
  }
  while (t <= 1.0 && tPrev <= tHi) {
    const IPoint p = at(t);
    if ((km & 1) == 0)
      dc.LineTo(p.x, p.y);
    else
      dc.MoveToEx(p.x, p.y);
    tPrev = t;
    km = (km + 1) % m;
    t += f[km];
  }
  // The closing two-unit dash always ends exactly on the end point.
  const double s = 1.0 - 2.0 * u;
  dc.MoveToEx(TruncToInt32(fx1 + s * fdx), TruncToInt32(fy1 + s * fdy));
  dc.LineTo(x2, y2);
}

}  // namespace corvane
