#include "platform/raster/raster_ellipse.h"

namespace corvane {

std::vector<RegionSpan> EllipseRows(std::int32_t w, std::int32_t h) {
  std::vector<RegionSpan> rows;
  if (w <= 0 || h <= 0) return rows;
  rows.assign(static_cast<std::size_t>(h), RegionSpan{0, w});
  if (w < 2 || h < 2) return rows;
  // Midpoint ellipse walk over one quadrant with integer error terms; each step that moves
  // to a new row records how far that row is inset from the box.
  const std::int64_t a = w - 1, b = h - 1;
  const std::int64_t asq = 8 * a * a, bsq = 8 * b * b;
  std::int64_t dx = 4 * b * b * (1 - a);
  std::int64_t dy = 4 * a * a * (1 + (b % 2));
  std::int64_t err = dx + dy + a * a * (b % 2);
  std::int32_t x = 0;
  std::int32_t y = h / 2;
  rows[static_cast<std::size_t>(y)] = {0, w};
  while (x <= w / 2) {
    const std::int64_t e2 = 2 * err;
    if (e2 >= dx) {
      ++x;
      err += dx += bsq;
    }
    if (e2 <= dy) {
      ++y;
      err += dy += asq;
      if (y < h) rows[static_cast<std::size_t>(y)] = {x, w - x};
    }
  }
  for (std::int32_t i = 0; i < h / 2; ++i) rows[static_cast<std::size_t>(i)] = rows[static_cast<std::size_t>(b - i)];
  return rows;
}

}  // namespace corvane
