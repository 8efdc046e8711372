#include <cmath>
#include <vector>

#include "overlays/chart_polygon.h"
#include "overlays/line_style.h"

namespace corvane {

RecordHit CChartPolygon::HitTest(const HitProbe& probe, const DeviceMapping& map,
                                 const IRect& clip) const {
  RecordHit out;
  const std::int32_t n = points.count();
  if (!visible || n < 3 || map.sx == 0 || map.sy == 0) return out;
  std::vector<DPoint> device;
  device.reserve(static_cast<std::size_t>(n));
  for (const DPoint& p : points) {
    const DPoint d{map.X(p.X), map.Y(p.Y)};
    if (std::isnan(d.X) || std::isnan(d.Y)) return out;  // the drawer places no such shape
    device.push_back(d);
  }
  const std::vector<DPoint> shown =
      ClipPolygonToBox(device.data(), n, BoxOf(clip));
  if (shown.empty()) return out;
  const NearestPosition at = NearestOnFilledPolygon(
      shown.data(), static_cast<std::int32_t>(shown.size()), probe.x, probe.y);
  const double reach = hasBorder ? scale(SanitizeLineWidth(borderWidth)) / 2.0 : 0.0;
  const double d = std::fmax(0.0, at.distance - reach);
  if (!(d <= probe.radius)) return out;
  out.found = true;
  out.distance = d;
  out.x = map.WorldX(at.x);
  out.y = map.WorldY(at.y);
  return out;
}

}  // namespace corvane
