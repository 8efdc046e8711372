// CChartGrid: grid settings, user grid labels, the label window, the axis origin, and the
// copies of the world window and plot area the layout pass hands it.
#pragma once
#include <cstdint>
#include <string>

#include "platform/dc.h"
#include "platform/growable_array.h"
#include "platform/pixel_scale.h"

namespace corvane {

class CLineStyle;
class CPointLabel;

class CChartGrid {
 public:
  // "%.*lf" with digitsAfterPoint decimals; a digitsAfterPoint outside 0..4 is first reset
  // to 2 (and stays 2).
  std::string FormatGridValue(double value);
  // Device position of the axes from the window and plot-area copies, clamped into the area.
  void AxisOrigin();
  // The grid drawer: default grid for gridType 0, user-type grid for 1, nothing otherwise;
  // the frame and the lines that gridVisible 0, 1 or 2 asks for (any other value: nothing).
  void DrawGrid(DeviceContext& dc);
  // The lines and labels of one direction, with the line and label DrawGrid builds. Lines
  // repeat from the axis origin at the area's extent / line count while they stay more than
  // 5 pixels inside the frame; an empty or inverted area draws none, and a count above the
  // extent in pixels draws one line per pixel row or column.
  void DrawValueLinesHorizontal(CLineStyle& line, CPointLabel& label, DeviceContext& dc);
  void DrawValueLinesVertical(CLineStyle& line, CPointLabel& label, DeviceContext& dc);
  // The user-type grid's vertical lines, labelled with the user labels of the label window;
  // an end of the window outside the label array gets no label.
  void DrawCategoryLines(CLineStyle& line, CPointLabel& label, DeviceContext& dc);

  std::int32_t originX = 0;
  std::int32_t originY = 0;
  double originWorldX = 0;
  double originWorldY = 0;
  GrowableArray<std::string> labels;
  std::int32_t gridType = 0;
  std::int32_t firstLabel = 0;
  std::int32_t lastLabel = 0;
  std::int32_t digitsAfterPoint = 2;
  std::uint8_t labelItalic = 0;
  std::int32_t labelHeight = 15;
  Color labelColor = 0x000000;
  std::int32_t lineWidth = 1;
  std::int32_t lineStyle = 4;
  Color lineColor = 0xA0A0A0;
  std::int32_t gridVisible = 0;
  std::int32_t horizontalLines = 6;
  std::int32_t verticalLines = 4;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  std::int32_t left = 0, top = 0, right = 0, bottom = 0;
  // The chart's pixel scale: line widths, label fonts and gaps, tick lengths.
  PixelScale scale;
};

}  // namespace corvane
