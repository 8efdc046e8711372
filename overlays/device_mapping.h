// The world-to-device mapping an overlay draws with: device x = left + (x - xmin) * sx,
// device y = bottom + (y - ymin) * sy, with sx = (right - left) / (xmax - xmin) and
// sy = (top - bottom) / (ymax - ymin) (pixel differences as integers, quotients in double).
#pragma once
#include <cmath>
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

struct DeviceMapping {
  double sx = 0, sy = 0;
  double xmin = 0, ymin = 0;
  double left = 0, bottom = 0;

  double X(double x) const { return left + (x - xmin) * sx; }
  double Y(double y) const { return bottom + (y - ymin) * sy; }
  // The inverse, for a scale that is not zero (a plot area of no width or height has none).
  double WorldX(double px) const { return xmin + (px - left) / sx; }
  double WorldY(double py) const { return ymin + (py - bottom) / sy; }
};

// False for a window nothing can be mapped through: an empty range on either axis, a bound
// that is not finite, or a scale that overflows (a range of a few ulps at 1e17). Such a
// window draws nothing, and the NaN tests stay false: `!(dx != 0)` is true for NaN.
inline bool MakeDeviceMapping(double xmin, double xmax, double ymin, double ymax,
                              std::int32_t left, std::int32_t right, std::int32_t top,
                              std::int32_t bottom, DeviceMapping* out) {
  const double dx = xmax - xmin, dy = ymax - ymin;
  if (!(dx != 0) || !(dy != 0)) return false;
  if (!std::isfinite(xmin) || !std::isfinite(ymin) || !std::isfinite(dx) || !std::isfinite(dy))
    return false;
  const double sx = static_cast<double>(std::int64_t{right} - left) / dx;
  const double sy = static_cast<double>(std::int64_t{top} - bottom) / dy;
  if (!std::isfinite(sx) || !std::isfinite(sy)) return false;
  *out = DeviceMapping{sx, sy, xmin, ymin, static_cast<double>(left), static_cast<double>(bottom)};
  return true;
}

}  // namespace corvane
