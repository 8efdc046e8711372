// Seeded random plots and the drawing they must give: one DrawLineClipped per segment between
// two points that are no gap, and a marker per point, each worked out from the world points
// with the plot's mapping. Shared by the raster tests and the GDI tests under Wine.
#pragma once
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "overlays/line_style.h"
#include "platform/dc.h"
#include "series/plot_series.h"

namespace corvane::testing {

// Deterministic pseudo-random numbers (splitmix64) for the seeded comparisons.
class SplitMix {
 public:
  explicit SplitMix(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform in [lo, hi].
  std::int64_t Range(std::int64_t lo, std::int64_t hi) {
    return lo + static_cast<std::int64_t>(Next() % static_cast<std::uint64_t>(hi - lo + 1));
  }
  double Unit() { return static_cast<double>(Next() >> 11) * 0x1.0p-53; }

 private:
  std::uint64_t state_;
};

// A plot in a picture of w x h: ordered X most of the time (duplicate X, long flat runs,
// spikes, gaps of NaN and infinite values), dense enough in most scenes to be drawn column by
// column, a window at or across point boundaries (reversed now and then), the user grid's
// segment window in some, markers in some, and a ring that has wrapped in some. The width
// is 1 + seed % 15. Returns a line describing it.
inline std::string BuildPlotScene(std::uint64_t seed, std::int32_t w, std::int32_t h,
                                  CPlotSeries& p) {
  SplitMix rng(seed * 7919 + 13);
  const double nan = std::numeric_limits<double>::quiet_NaN(), inf = HUGE_VAL;
  p.SetCapacity(0);
  p.Dispose();
  p.approximation = 0;
  p.plotWidth = static_cast<std::int32_t>(1 + seed % 15);
  p.plotColor = static_cast<Color>(rng.Next() & 0xFFFFFF);
  p.left = static_cast<std::int32_t>(rng.Range(0, w / 5));
  p.right = static_cast<std::int32_t>(rng.Range(w / 4, w));
  p.top = static_cast<std::int32_t>(rng.Range(0, h / 5));
  p.bottom = static_cast<std::int32_t>(rng.Range(h / 2, h));
  const bool ordered = rng.Range(0, 5) != 0;
  const bool dense = rng.Range(0, 3) != 0;
  const std::int32_t n = static_cast<std::int32_t>(dense ? rng.Range(6000, 16000) : rng.Range(2, 400));
  const bool ring = rng.Range(0, 3) == 0;
  if (ring) p.SetCapacity(static_cast<std::int32_t>(rng.Range(2, n)));
  std::vector<double> xs, ys;
  double x = rng.Range(-50, 50), y = 0;
  for (std::int32_t k = 0; k < n; ++k) {
    switch (rng.Range(0, 39)) {
      case 0: x += rng.Range(5, 60); break;  // a jump
      case 1: y += (rng.Unit() - 0.5) * 400; break;  // a spike
      case 2: xs.push_back(x), ys.push_back(nan); continue;
      case 3: xs.push_back(x), ys.push_back(rng.Range(0, 1) ? inf : -inf); continue;
      case 4:
        if (!ordered) xs.push_back(nan), ys.push_back(y);
        continue;
      case 5:  // a flat run on one X
        for (std::int64_t r = rng.Range(2, 60); r > 0; --r) xs.push_back(x), ys.push_back(y);
        continue;
      case 6:  // a flat run along X
        for (std::int64_t r = rng.Range(2, 60); r > 0; --r) xs.push_back(x += 0.01), ys.push_back(y);
        continue;
      default: break;
    }
    if (rng.Range(0, 3) != 0) x += rng.Unit() * (dense ? 0.004 : 2.0);  // else a duplicate X
    if (!ordered && rng.Range(0, 9) == 0) x -= rng.Unit() * 5;
    y += (rng.Unit() - 0.5) * 6;
    xs.push_back(x);
    ys.push_back(y == 0 ? (k % 2 ? 0.0 : -0.0) : y);
  }
  if (ordered && rng.Range(0, 4) == 0) {  // infinite X keep the order at the ends
    xs.insert(xs.begin(), -inf), ys.insert(ys.begin(), 1.0);
    xs.push_back(inf), ys.push_back(2.0);
  }
  // In a few batches, so that a ring wraps between them.
  for (std::size_t at = 0; at < xs.size();) {
    const std::size_t part = std::min<std::size_t>(xs.size() - at, 1 + rng.Next() % 5000);
    p.AddPoints(xs.data() + at, ys.data() + at, static_cast<std::int32_t>(part));
    at += part;
  }
  // The window: between two points' X, exactly or a hair beside; reversed sometimes; now and
  // then zoomed in to a few neighbouring points, whose segments cross the clip's edges.
  const std::int32_t kept = p.KeptCount();
  auto finiteX = [&](std::int32_t k) {
    for (; k < kept; ++k)
      if (std::isfinite(p.PointAt(k).X)) return p.PointAt(k).X;
    return 0.0;
  };
  const std::int32_t ia = static_cast<std::int32_t>(rng.Range(0, kept - 1));
  const bool zoomed = rng.Range(0, 3) == 0;
  const std::int32_t ib = zoomed ? std::min<std::int32_t>(kept - 1, ia + static_cast<std::int32_t>(rng.Range(1, 4)))
                                 : static_cast<std::int32_t>(rng.Range(0, kept - 1));
  double x0 = finiteX(ia), x1 = finiteX(ib);
  if (x0 > x1) std::swap(x0, x1);
  if (x1 - x0 < 1e-6) x1 = x0 + (zoomed ? 0.05 : 1);
  if (rng.Range(0, 2) == 0) x0 = std::nextafter(x0, rng.Range(0, 1) ? inf : -inf);
  if (rng.Range(0, 3) == 0) x0 -= (x1 - x0) * rng.Unit();
  if (rng.Range(0, 3) == 0) x1 += (x1 - x0) * rng.Unit();
  double lo = inf, hi = -inf;
  for (std::int32_t k = 0; k < kept; ++k) {
    const double v = p.PointAt(k).Y;
    if (std::isfinite(v)) lo = std::min(lo, v), hi = std::max(hi, v);
  }
  if (!(lo < hi)) lo = -1, hi = 1;
  const double cut = rng.Range(0, 2) == 0 ? 0.3 * (hi - lo) : -0.1 * (hi - lo);  // clip spikes
  p.world = rng.Range(0, 7) == 0 ? WorldWindow{x1, x0, lo + cut, hi - cut}
                                 : WorldWindow{x0, x1, lo + cut, hi - cut};
  p.segmentOnly = rng.Range(0, 3) == 0 ? 1 : 0;
  p.firstIndex = static_cast<std::int32_t>(rng.Range(-3, kept / 2));
  p.lastIndex = static_cast<std::int32_t>(rng.Range(kept / 2, kept + 5));
  p.pointVisible = rng.Range(0, 3) == 0 ? 1 : 0;
  p.pointSize = rng.Range(0, 4) == 0 ? 0 : 2;
  p.pointColor = static_cast<Color>(rng.Next() & 0xFFFFFF);
  p.refitPending = 0;
  return "seed " + std::to_string(seed) + ": " + std::to_string(kept) + " points, width " +
         std::to_string(p.plotWidth) + (ordered ? ", ordered" : ", unordered") +
         (ring ? ", ring" : "") + (p.segmentOnly ? ", segment window" : "") +
         (p.pointVisible ? ", markers" : "");
}

// The plain drawing of a plot's polyline and markers: every segment on its own.
inline void DrawEverySegment(const CPlotSeries& p, DeviceContext& dc) {
  PlotMapping m;
  if (!MakePlotMapping(p.world, p.left, p.right, p.top, p.bottom, &m)) return;
  const std::int32_t n = p.KeptCount();
  std::int32_t first = 0, last = n - 1;
  if (p.segmentOnly) first = std::max(p.firstIndex, 0), last = std::min(p.lastIndex, n - 1);
  auto gap = [](const DPoint& d) { return !std::isfinite(d.X) || !std::isfinite(d.Y); };
  CLineStyle line;
  line.width = SanitizeLineWidth(p.plotWidth);
  line.color = p.plotColor;
  const IRect clip{p.left, p.top, p.right, p.bottom};
  for (std::int32_t k = first; k < last; ++k) {
    const DPoint a = p.PointAt(k), b = p.PointAt(k + 1);
    if (gap(a) || gap(b)) continue;
    const IPoint pa = m.Pixel(a), pb = m.Pixel(b);
    line.DrawLineClipped(pa.x, pa.y, pb.x, pb.y, clip, dc);
  }
  if (!p.pointVisible) return;
  const ObjHandle brush = dc.CreateSolidBrush(p.pointColor);
  for (std::int32_t k = first; k <= last; ++k) {
    const DPoint a = p.PointAt(k);
    if (gap(a) || !(p.left <= m.X(a.X) && m.X(a.X) <= p.right)) continue;
    const IPoint c = m.Pixel(a);
    const std::int32_t s = p.pointSize;
    if (s > 0)
      dc.FillRect(IRect{c.x - s, c.y - s, c.x + s, c.y + s}, brush);
    else
      dc.SetPixelV(c.x, c.y, p.pointColor);
  }
  dc.DeleteObject(brush);
}

}  // namespace corvane::testing
