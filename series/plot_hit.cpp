// Hit testing of one plot: what DrawPlot paints near a device position, with the plot's own
// copies of the window and plot area, as its drawing uses them.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "overlays/device_mapping.h"
#include "overlays/line_style.h"
#include "series/plot_series.h"

namespace corvane {
namespace {

struct DrawnRange {
  std::int32_t first = 0, last = -1;
  bool inset = false;  // the fits run 10 pixels inside the area on the default grid
};

bool RangeDrawn(const CPlotSeries& p, DrawnRange* r) {
  if (!p.visible || (p.segmentOnly != 0 && p.segmentOnly != 1)) return false;
  const std::int32_t n = p.KeptCount();
  r->inset = p.segmentOnly == 0;
  r->first = r->inset ? 0 : std::max<std::int32_t>(p.firstIndex, 0);
  r->last = r->inset ? n - 1 : std::min<std::int32_t>(p.lastIndex, n - 1);
  return true;
}

// The best candidate so far; a later one wins a tie, as it is painted over the earlier.
struct Best {
  NearestPosition at;
  std::int32_t index = -1;
  bool found = false;

  void Offer(const NearestPosition& n, double reach, double radius, std::int32_t i) {
    const double d = std::max(0.0, n.distance - reach);
    if (!(d <= radius)) return;
    if (found && d > at.distance) return;
    at = n;
    at.distance = d;
    index = i;
    found = true;
  }
};

class PlotProbe {
 public:
  PlotProbe(const CPlotSeries& p, const DeviceMapping& map, const HitProbe& probe)
      : p_(p), map_(map), probe_(probe),
        area_(DBox{static_cast<double>(p.left), static_cast<double>(p.top),
                   static_cast<double>(p.right), static_cast<double>(p.bottom)}),
        reach_(p.scale(SanitizeLineWidth(p.plotWidth)) / 2.0) {}

  // The nearest point inside the plot area among points first..last.
  void Points(std::int32_t first, std::int32_t last, Best* best) const {
    const double r = probe_.radius;
    for (std::int32_t k = first; k <= last; ++k) {
      const DPoint w = p_.PointAt(k);
      const double dx = map_.X(w.X), dy = map_.Y(w.Y);
      // Most points of a long plot lie far off: one comparison each leaves them out.
      if (!(std::fabs(dx - probe_.x) <= r && std::fabs(dy - probe_.y) <= r)) continue;
      if (!Contains(area_, dx, dy)) continue;
      best->Offer(NearestOnSegment(probe_.x, probe_.y, dx, dy, dx, dy), 0, probe_.radius, k);
    }
  }

  // The nearest of the segments from point first to point last, each cut to the plot area.
  void Polyline(std::int32_t first, std::int32_t last, Best* best) const {
    for (std::int32_t k = first; k < last; ++k) {
      const DPoint a = p_.PointAt(k), b = p_.PointAt(k + 1);
      // The polyline breaks there.
      if (IsGap(a) || IsGap(b) || map_.Drops(a.X, a.Y) || map_.Drops(b.X, b.Y)) continue;
      double ax = map_.X(a.X), ay = map_.Y(a.Y);
      double bx = map_.X(b.X), by = map_.Y(b.Y);
      // Both ends beyond the same side of the probe's reach: the segment is too.
      const double r = probe_.radius + reach_;
      if ((ax < probe_.x - r && bx < probe_.x - r) || (ax > probe_.x + r && bx > probe_.x + r) ||
          (ay < probe_.y - r && by < probe_.y - r) || (ay > probe_.y + r && by > probe_.y + r))
        continue;
      if (!ClipSegmentToBox(area_, &ax, &ay, &bx, &by)) continue;
      best->Offer(NearestOnSegment(probe_.x, probe_.y, ax, ay, bx, by), reach_, probe_.radius, k);
    }
  }

  // Points (or segments, between points first..last) of a plot whose X never decreases, by
  // branch and bound: the points of a range lie in the box of its first and last X and its
  // extremes of Y, so a range whose box lies beyond the radius, or beyond the best found so
  // far, is left out whole. Ranges go left to right, so ties still go to the later point.
  void Ordered(std::int32_t first, std::int32_t last, bool segments, Best* best) const {
    constexpr std::int32_t kLeaf = 64;
    if (first > last || (segments && first == last)) return;
    if (last - first <= kLeaf) {
      segments ? Polyline(first, last, best) : Points(first, last, best);
      return;
    }
    double lo = 0, hi = 0;
    if (!p_.YExtremes(first, last, &lo, &hi)) return;  // only gaps: nothing drawn
    const double x0 = map_.X(p_.PointAt(first).X), x1 = map_.X(p_.PointAt(last).X);
    const double y0 = map_.Y(lo), y1 = map_.Y(hi);
    DBox box{std::fmin(x0, x1), std::fmin(y0, y1), std::fmax(x0, x1), std::fmax(y0, y1)};
    // Whatever of the range is drawn lies in the area too.
    box = Intersection(box, area_);
    const double reach = segments ? reach_ : 0.0;
    const double bound = best->found ? best->at.distance : probe_.radius;
    if (box.Empty() || NearestInBox(probe_.x, probe_.y, box).distance - reach > bound) return;
    // Segments' halves share their middle point, so every segment lies in one of them.
    const std::int32_t middle = first + (last - first) / 2;
    Ordered(first, middle, segments, best);
    Ordered(segments ? middle : middle + 1, last, segments, best);
  }

  // The fitted line or the chain of 4-pixel chords of the parabola, as DrawPlot draws them.
  void Fit(const DrawnRange& r, Best* best) const {
    const DeviceFit fit = p_.DeviceFitToDraw();
    const double left = p_.left, right = p_.right;
    const double inset = r.inset ? p_.FitInset() : 0.0;
    if (p_.DrawsWorldFit()) {
      WorldCurve(left + inset, r.inset, best);
      return;
    }
    if (p_.approximation == 1) {
      const double xa = left + inset, xb = right - inset;
      Chord(xa, fit.slope * xa + fit.intercept, xb, fit.slope * xb + fit.intercept, best);
      return;
    }
    auto curve = [&](double x) { return (fit.a * x + fit.b) * x + fit.c; };
    const double x0 = left + inset;
    const std::int64_t steps =
        (static_cast<std::int64_t>(p_.right) - p_.left - (r.inset ? 2 * p_.FitInset() : 0)) / 4;
    // Only the chords whose columns come within reach of the probe.
    const double from = std::floor((probe_.x - probe_.radius - reach_ - x0) / 4.0) - 1;
    const double to = std::ceil((probe_.x + probe_.radius + reach_ - x0) / 4.0) + 1;
    if (!(from < static_cast<double>(steps)) || !(to >= 0)) return;
    const std::int64_t i0 = from < 0 ? 0 : static_cast<std::int64_t>(from);
    const std::int64_t i1 = std::min<std::int64_t>(steps, static_cast<std::int64_t>(to));
    for (std::int64_t i = i0; i < i1; ++i) {
      const double x = x0 + 4.0 * static_cast<double>(i);
      Chord(x, curve(x), x + 4, curve(x + 4), best);
    }
  }

 private:
  // The 4-pixel chords of the world fit mapped, as a logarithmic axis draws the fit.
  void WorldCurve(double x0, bool inset, Best* best) const {
    const std::int64_t steps =
        (static_cast<std::int64_t>(p_.right) - p_.left - (inset ? 2 * p_.FitInset() : 0)) / 4;
    const double from = std::floor((probe_.x - probe_.radius - reach_ - x0) / 4.0) - 1;
    const double to = std::ceil((probe_.x + probe_.radius + reach_ - x0) / 4.0) + 1;
    if (!(from < static_cast<double>(steps)) || !(to >= 0)) return;
    const std::int64_t i0 = from < 0 ? 0 : static_cast<std::int64_t>(from);
    const std::int64_t i1 = std::min<std::int64_t>(steps, static_cast<std::int64_t>(to));
    const DeviceFit fit = p_.WorldFitToDraw();
    auto curve = [&](double x) { return map_.Y(p_.FitAt(fit, map_.WorldX(x))); };
    for (std::int64_t i = i0; i < i1; ++i) {
      const double x = x0 + 4.0 * static_cast<double>(i);
      const double ya = curve(x), yb = curve(x + 4);
      if (std::isfinite(ya) && std::isfinite(yb)) Chord(x, ya, x + 4, yb, best);
    }
  }

  void Chord(double ax, double ay, double bx, double by, Best* best) const {
    if (!ClipSegmentToBox(area_, &ax, &ay, &bx, &by)) return;
    best->Offer(NearestOnSegment(probe_.x, probe_.y, ax, ay, bx, by), reach_, probe_.radius, -1);
  }

  const CPlotSeries& p_;
  const DeviceMapping& map_;
  const HitProbe& probe_;
  const DBox area_;
  const double reach_;
};

}  // namespace

PlotHit CPlotSeries::HitTest(const HitProbe& probe) const {
  PlotHit out;
  DrawnRange range;
  DeviceMapping map;
  if (!RangeDrawn(*this, &range) ||
      !MakeDeviceMapping(world.xmin, world.xmax, world.ymin, world.ymax, left, right, top,
                         bottom, &map, logs) ||
      map.sx == 0 || map.sy == 0 || !(left < right && top < bottom))
    return out;
  const PlotProbe plot(*this, map, probe);
  const bool polyline = approximation == 0 && std::int64_t{range.last} - range.first >= 1;

  // A plot whose X never decreases, mapped monotonically, is searched through its index.
  // On a logarithmic axis the extremes may hold values it leaves out: every point is tested.
  const bool ordered = XOrdered() && std::isfinite(map.sx) && std::isfinite(map.sy) &&
                       !logs.x && !logs.y;
  Best best;
  if (polyline || pointVisible) {
    if (ordered)
      plot.Ordered(range.first, range.last, false, &best);
    else
      plot.Points(range.first, range.last, &best);
  }
  out.onLine = !best.found;
  if (!best.found) {
    if (polyline && ordered)
      plot.Ordered(range.first, range.last, true, &best);
    else if (polyline)
      plot.Polyline(range.first, range.last, &best);
    else if (approximation != 0)
      plot.Fit(range, &best);
  }
  if (!best.found) return out;
  out.index = best.index;
  out.hit.found = true;
  out.hit.distance = best.at.distance;
  if (out.onLine) {
    out.hit.x = map.WorldX(best.at.x);
    out.hit.y = map.WorldY(best.at.y);
  } else {
    out.hit.x = PointAt(best.index).X;  // the stored point, not its image mapped back
    out.hit.y = PointAt(best.index).Y;
  }
  return out;
}

}  // namespace corvane
