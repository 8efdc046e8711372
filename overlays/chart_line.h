// A straight line overlay between two world points, drawn clipped to the plot area.
#pragma once
#include "overlays/line_style.h"
#include "platform/geometry.h"

namespace corvane {

class CChartLine : public CLineStyle {
 public:
  // Maps both ends with this record's copies and draws them clipped to its plot area;
  // nothing for a degenerate window copy. `enabled` is the visible flag.
  void Draw(DeviceContext& dc);

  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  AxisLogs logs;  // the layout's logarithmic axes
};

}  // namespace corvane
