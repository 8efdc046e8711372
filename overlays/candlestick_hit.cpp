#include <cmath>

#include "overlays/candlestick.h"
#include "overlays/device_mapping.h"
#include "overlays/line_style.h"

namespace corvane {

RecordHit CCandleStick::HitTest(const HitProbe& probe, const IRect& clip) const {
  RecordHit out;
  DeviceMapping map;
  if (!MakeDeviceMapping(xmin, xmax, ymin, ymax, left, right, top, bottom, &map, logs) || map.sy == 0)
    return out;
  // A unit of X wide; on a logarithmic X axis the unit from X to X + 1.
  const double half = logs.x ? (map.X(X + 1) - map.X(X)) * 0.5 : map.sx * 0.5;
  const double xC = map.X(X) + half;
  double ax = xC, ay = map.Y(Low), bx = xC, by = map.Y(High);
  const DBox area = BoxOf(clip);
  NearestPosition best;
  if (ClipSegmentToBox(area, &ax, &ay, &bx, &by)) {
    best = NearestOnSegment(probe.x, probe.y, ax, ay, bx, by);
    best.distance = std::fmax(0.0, best.distance - scale(SanitizeLineWidth(wickWidth)) / 2.0);
  }
  // The body, where Draw paints one: at least 2 pixels wide.
  const double bodyLeft = xC - half + scale(2), bodyRight = xC + half - scale(1);
  const double yOpen = map.Y(Open), yClose = map.Y(Close);
  if (bodyRight - bodyLeft >= scale(2) && std::isfinite(yOpen) && std::isfinite(yClose)) {
    const DBox body = Intersection(
        DBox{bodyLeft, std::fmin(yOpen, yClose), bodyRight, std::fmax(yOpen, yClose)}, area);
    if (!body.Empty()) {
      const NearestPosition inBody = NearestInBox(probe.x, probe.y, body);
      if (inBody.distance < best.distance) best = inBody;
    }
  }
  if (!(best.distance <= probe.radius)) return out;
  out.found = true;
  out.distance = best.distance;
  out.x = X;
  out.y = map.WorldY(best.y);
  return out;
}

}  // namespace corvane
