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
        reach_(SanitizeLineWidth(p.plotWidth) / 2.0) {}

  // The nearest point inside the plot area.
  void Points(const DrawnRange& r, Best* best) const {
    for (std::int32_t k = r.first; k <= r.last; ++k) {
      const DPoint w = p_.PointAt(k);
      const double dx = map_.X(w.X), dy = map_.Y(w.Y);
      if (!std::isfinite(dx) || !std::isfinite(dy) || !Contains(area_, dx, dy)) continue;
      best->Offer(NearestOnSegment(probe_.x, probe_.y, dx, dy, dx, dy), 0, probe_.radius, k);
    }
  }

  // The nearest segment of the polyline, each cut to the plot area.
  void Polyline(const DrawnRange& r, Best* best) const {
    for (std::int32_t k = r.first; k < r.last; ++k) {
      const DPoint a = p_.PointAt(k), b = p_.PointAt(k + 1);
      if (IsGap(a) || IsGap(b)) continue;  // the polyline breaks there
      double ax = map_.X(a.X), ay = map_.Y(a.Y);
      double bx = map_.X(b.X), by = map_.Y(b.Y);
      if (!ClipSegmentToBox(area_, &ax, &ay, &bx, &by)) continue;
      best->Offer(NearestOnSegment(probe_.x, probe_.y, ax, ay, bx, by), reach_, probe_.radius, k);
    }
  }

  // The fitted line or the chain of 4-pixel chords of the parabola, as DrawPlot draws them.
  void Fit(const DrawnRange& r, Best* best) const {
    const DeviceFit fit = p_.DeviceFitToDraw();
    const double left = p_.left, right = p_.right;
    const double inset = r.inset ? 10.0 : 0.0;
    if (p_.approximation == 1) {
      const double xa = left + inset, xb = right - inset;
      Chord(xa, fit.slope * xa + fit.intercept, xb, fit.slope * xb + fit.intercept, best);
      return;
    }
    auto curve = [&](double x) { return (fit.a * x + fit.b) * x + fit.c; };
    const double x0 = left + inset;
    const std::int64_t steps =
        (static_cast<std::int64_t>(p_.right) - p_.left - (r.inset ? 20 : 0)) / 4;
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
                         bottom, &map) ||
      map.sx == 0 || map.sy == 0 || !(left < right && top < bottom))
    return out;
  const PlotProbe plot(*this, map, probe);
  const bool polyline = approximation == 0 && std::int64_t{range.last} - range.first >= 1;

  Best best;
  if (polyline || pointVisible) plot.Points(range, &best);
  out.onLine = !best.found;
  if (!best.found) {
    if (polyline)
      plot.Polyline(range, &best);
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
