// The world-to-device mapping an overlay draws with: device x = left + (x - xmin) * sx,
// device y = bottom + (y - ymin) * sy, with sx = (right - left) / (xmax - xmin) and
// sy = (top - bottom) / (ymax - ymin) (pixel differences as integers, quotients in double).
// On a logarithmic axis the same arithmetic runs on the log10 of the values and of the
// window's ends; what such an axis cannot show maps to NaN.
#pragma once
#include <cmath>
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

struct DeviceMapping {
  double sx = 0, sy = 0;
  double xmin = 0, ymin = 0;  // the window's low ends in axis places (log10 on a log axis)
  double left = 0, bottom = 0;
  AxisLogs logs;

  double X(double x) const { return left + (AxisPlace(logs.x, x) - xmin) * sx; }
  double Y(double y) const { return bottom + (AxisPlace(logs.y, y) - ymin) * sy; }
  // The inverse, for a scale that is not zero (a plot area of no width or height has none).
  double WorldX(double px) const { return AxisValue(logs.x, xmin + (px - left) / sx); }
  double WorldY(double py) const { return AxisValue(logs.y, ymin + (py - bottom) / sy); }
  // Whether a logarithmic axis leaves this world position out (0, below 0 or NaN on it).
  bool Drops(double x, double y) const {
    return (logs.x && !(x > 0)) || (logs.y && !(y > 0));
  }
};

// False for a window nothing can be mapped through: an empty range on either axis, a bound
// that is not finite, or a scale that overflows (a range of a few ulps at 1e17); on a
// logarithmic axis also a bound that is not above 0. Such a window draws nothing, and the
// NaN tests stay false: `!(dx != 0)` is true for NaN.
inline bool MakeDeviceMapping(double xmin, double xmax, double ymin, double ymax,
                              std::int32_t left, std::int32_t right, std::int32_t top,
                              std::int32_t bottom, DeviceMapping* out, AxisLogs logs = {}) {
  if (logs.x) {
    if (!(xmin > 0) || !(xmax > 0)) return false;
    xmin = std::log10(xmin);
    xmax = std::log10(xmax);
  }
  if (logs.y) {
    if (!(ymin > 0) || !(ymax > 0)) return false;
    ymin = std::log10(ymin);
    ymax = std::log10(ymax);
  }
  const double dx = xmax - xmin, dy = ymax - ymin;
  if (!(dx != 0) || !(dy != 0)) return false;
  if (!std::isfinite(xmin) || !std::isfinite(ymin) || !std::isfinite(dx) || !std::isfinite(dy))
    return false;
  const double sx = static_cast<double>(std::int64_t{right} - left) / dx;
  const double sy = static_cast<double>(std::int64_t{top} - bottom) / dy;
  if (!std::isfinite(sx) || !std::isfinite(sy)) return false;
  *out = DeviceMapping{sx, sy, xmin, ymin, static_cast<double>(left), static_cast<double>(bottom),
                       logs};
  return true;
}

}  // namespace corvane
