#include <cmath>

#include "overlays/chart_rect.h"
#include "overlays/device_mapping.h"
#include "overlays/line_style.h"

namespace corvane {

RecordHit CChartRect::HitTest(const HitProbe& probe, const IRect& clip) const {
  RecordHit out;
  if (!visible) return out;
  DeviceMapping map;
  if (!MakeDeviceMapping(xmin, xmax, ymin, ymax, left, right, top, bottom, &map, logs) ||
      map.sx == 0 || map.sy == 0)
    return out;
  const double xL = map.X(L), yT = map.Y(T), xR = map.X(R), yB = map.Y(B);
  // Draw paints nothing under a pixel wide or high.
  if (!(xR - xL >= 1) || !(yB - yT >= 1)) return out;
  const DBox box = Intersection(DBox{xL, yT, xR, yB}, BoxOf(clip));
  if (box.Empty()) return out;
  const NearestPosition n = NearestInBox(probe.x, probe.y, box);
  const double reach = hasBorder ? scale(SanitizeLineWidth(borderWidth)) / 2.0 : 0.0;
  const double d = std::fmax(0.0, n.distance - reach);
  if (!(d <= probe.radius)) return out;
  out.found = true;
  out.distance = d;
  out.x = map.WorldX(n.x);
  out.y = map.WorldY(n.y);
  return out;
}

}  // namespace corvane
