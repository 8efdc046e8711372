#include "overlays/chart_line.h"

#include <cstdint>

#include "overlays/device_mapping.h"

namespace corvane {

void CChartLine::Draw(DeviceContext& dc) {
  // A window copy nothing can be mapped through (empty, NaN, or a scale that overflows)
  // draws no line, as it draws no rectangle or candlestick.
  DeviceMapping map;
  if (!MakeDeviceMapping(xmin, xmax, ymin, ymax, left, right, top, bottom, &map, logs)) return;
  // An end a logarithmic axis leaves out has no place: no line.
  if (map.Drops(x1, y1) || map.Drops(x2, y2)) return;
  const std::int32_t X1 = TruncToInt32(map.X(x1));
  const std::int32_t Y1 = TruncToInt32(map.Y(y1));
  const std::int32_t X2 = TruncToInt32(map.X(x2));
  const std::int32_t Y2 = TruncToInt32(map.Y(y2));
  // Through the virtual slot, as every drawer of a line record does.
  DrawLineClipped(X1, Y1, X2, Y2, IRect{left, top, right, bottom}, dc);
}

}  // namespace corvane
