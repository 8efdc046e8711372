// The world-to-device mapping of one plot under its layout copies of the window and the plot
// area: device x = left + sx * (X - xmin), device y = bottom + sy * (Y - ymin), with
// sx = (right - left) / (xmax - xmin) and sy = (top - bottom) / (ymax - ymin); a pixel is
// the device value truncated toward zero. Every device position of a plot comes from here.
#pragma once
#include <cmath>
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

struct PlotMapping {
  double xmin = 0, ymin = 0, sx = 0, sy = 0, left = 0, bottom = 0;

  double X(double x) const { return left + sx * (x - xmin); }
  double Y(double y) const { return bottom + sy * (y - ymin); }
  std::int32_t Column(double x) const { return TruncToInt32(X(x)); }
  std::int32_t Row(double y) const { return TruncToInt32(Y(y)); }
  IPoint Pixel(const DPoint& p) const { return IPoint{Column(p.X), Row(p.Y)}; }

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
// (xmax == xmin or ymax == ymin), where no point has a place.
inline bool MakePlotMapping(const WorldWindow& world, std::int32_t left, std::int32_t right,
                            std::int32_t top, std::int32_t bottom, PlotMapping* out) {
  if (world.xmax == world.xmin || world.ymax == world.ymin) return false;
  out->xmin = world.xmin;
  out->ymin = world.ymin;
  out->sx = static_cast<double>(std::int64_t{right} - left) / (world.xmax - world.xmin);
  out->sy = static_cast<double>(std::int64_t{top} - bottom) / (world.ymax - world.ymin);
  out->left = static_cast<double>(left);
  out->bottom = static_cast<double>(bottom);
  return true;
}

}  // namespace corvane
