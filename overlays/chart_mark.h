// A mark projects one world position onto the axes: guide lines in the grid's style and two
// boxed value labels outside the plot area.
#pragma once
#include <cstdint>

#include "appearance/text_label.h"
#include "platform/dc.h"

namespace corvane {

class CChartGrid;

class CChartMark {
 public:
  CChartMark(double x, double y);
  void Draw(DeviceContext& dc);

  double X = 0, Y = 0;
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  double xmax = 0, xmin = 0, ymax = 0, ymin = 0;
  CPointLabel yLabel;
  CPointLabel xLabel;
  CChartGrid* grid = nullptr;
  std::uint8_t hasUserLabel = 0;
  std::uint8_t visible = 1;
};

}  // namespace corvane
