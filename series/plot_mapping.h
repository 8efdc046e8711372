// The world-to-device mapping of one plot under its layout copies of the window and the plot
// area: device x = left + sx * (X - xmin), device y = bottom + sy * (Y - ymin), with
// sx = (right - left) / (xmax - xmin) and sy = (top - bottom) / (ymax - ymin); a pixel is
// the device value truncated toward zero. On a logarithmic axis the same arithmetic runs on
// log10 of the values and the window's ends. Every device position of a plot comes from here.
#pragma once
#include <cmath>
#include <cstdint>

#include "platform/geometry.h"
#include "series/point_summary.h"

namespace corvane {

struct PlotMapping {
  double xmin = 0, ymin = 0, sx = 0, sy = 0, left = 0, bottom = 0;
  AxisLogs logs;

  double X(double x) const { return left + sx * (AxisPlace(logs.x, x) - xmin); }
  double Y(double y) const { return bottom + sy * (AxisPlace(logs.y, y) - ymin); }
  std::int32_t Column(double x) const { return TruncToInt32(X(x)); }
  std::int32_t Row(double y) const { return TruncToInt32(Y(y)); }
  IPoint Pixel(const DPoint& p) const { return IPoint{Column(p.X), Row(p.Y)}; }
  // The world x at a device x, for a scale that is not zero.
  double WorldX(double px) const { return AxisValue(logs.x, xmin + (px - left) / sx); }
  // A point with no place: not finite, or left out by a logarithmic axis.
  bool Gap(const DPoint& p) const {
    return IsGap(p) || (logs.x && !(p.X > 0)) || (logs.y && !(p.Y > 0));
  }

  // Whether pixel columns and rows never go back as finite X and Y grow (or never go forward,
  // for a negative scale): then a point's pixel bounds follow from its neighbours', which is
  // what searching ordered X and reading extremes from a summary need. False when a scale or
  // an origin is not a finite nonzero number (a product with it could come out NaN).
  bool Monotone() const {
    return std::isfinite(xmin) && std::isfinite(ymin) && std::isfinite(sx) && std::isfinite(sy) &&
           sx != 0 && sy != 0;
  }
};

// The mapping of `world` into the area; false when the window is empty on either axis
// (xmax == xmin or ymax == ymin), where no point has a place, or when a logarithmic axis's
// window has an end that is not above 0.
inline bool MakePlotMapping(const WorldWindow& world, std::int32_t left, std::int32_t right,
                            std::int32_t top, std::int32_t bottom, PlotMapping* out,
                            AxisLogs logs = {}) {
  double xmin = world.xmin, xmax = world.xmax, ymin = world.ymin, ymax = world.ymax;
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
  if (xmax == xmin || ymax == ymin) return false;
  out->xmin = xmin;
  out->ymin = ymin;
  out->sx = static_cast<double>(std::int64_t{right} - left) / (xmax - xmin);
  out->sy = static_cast<double>(std::int64_t{top} - bottom) / (ymax - ymin);
  out->left = static_cast<double>(left);
  out->bottom = static_cast<double>(bottom);
  out->logs = logs;
  return true;
}

}  // namespace corvane
