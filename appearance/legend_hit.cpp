#include <cmath>
#include <cstdint>

#include "appearance/legend.h"

namespace corvane {

std::int32_t CLegend::HitTest(DeviceContext& dc, std::int32_t legendPosition, std::int32_t left,
                              std::int32_t top, std::int32_t right, std::int32_t bottom,
                              const HitProbe& probe, double* distance) const {
  if (labels.empty() || colors.empty()) return -1;
  const LegendBox box = Layout(dc, legendPosition, left, top, right, bottom);
  if (box.rows <= 0 || box.rowHeight <= 0) return -1;
  const double x0 = box.x, y0 = box.y;
  const DBox frame{x0, y0, x0 + box.width, y0 + box.height};
  const NearestPosition at = NearestInBox(probe.x, probe.y, frame);
  if (!(at.distance <= probe.radius)) return -1;
  // Rows start 3 pixels (at the chart's scale) below the frame's top, one row height apart.
  const double row = std::floor((at.y - (y0 + scale(3))) / static_cast<double>(box.rowHeight));
  const double last = box.rows - 1;
  *distance = at.distance;
  return static_cast<std::int32_t>(row < 0 ? 0 : (row > last ? last : row));
}

}  // namespace corvane
