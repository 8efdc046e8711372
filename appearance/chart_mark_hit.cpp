#include <cmath>

#include "appearance/chart_mark.h"

namespace corvane {

RecordHit CChartMark::HitTest(const HitProbe& probe) const {
  RecordHit out;
  double xd = 0, yd = 0;
  if (!DevicePosition(&xd, &yd)) return out;
  const double d = std::hypot(probe.x - xd, probe.y - yd);
  if (!(d <= probe.radius)) return out;
  out.found = true;
  out.distance = d;
  out.x = X;
  out.y = Y;
  return out;
}

}  // namespace corvane
