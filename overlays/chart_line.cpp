#include "overlays/chart_line.h"

#include <cstdint>

namespace corvane {

void CChartLine::Draw(DeviceContext& dc) {
  if (xmin == xmax || ymin == ymax) return;
  const double sx = static_cast<double>(static_cast<std::int64_t>(right) - left) / (xmax - xmin);
  const double sy = static_cast<double>(static_cast<std::int64_t>(top) - bottom) / (ymax - ymin);
  const std::int32_t X1 = TruncToInt32(left + (x1 - xmin) * sx);
  const std::int32_t Y1 = TruncToInt32(bottom + (y1 - ymin) * sy);
  const std::int32_t X2 = TruncToInt32(left + (x2 - xmin) * sx);
  const std::int32_t Y2 = TruncToInt32(bottom + (y2 - ymin) * sy);
  // Through the virtual slot, as every drawer of a line record does.
  DrawLineClipped(X1, Y1, X2, Y2, IRect{left, top, right, bottom}, dc);
}

}  // namespace corvane
