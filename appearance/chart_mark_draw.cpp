#include <cmath>
#include <cstdint>
#include <string>

#include "appearance/chart_grid.h"
#include "appearance/chart_mark.h"
#include "overlays/device_mapping.h"
#include "overlays/line_style.h"
#include "platform/geometry.h"

namespace corvane {

bool CChartMark::DevicePosition(double* xd, double* yd) const {
  if (!visible || !grid) return false;
  DeviceMapping map;
  if (!MakeDeviceMapping(xmin, xmax, ymin, ymax, left, right, top, bottom, &map, logs)) return false;
  *xd = map.X(X);
  *yd = map.Y(Y);
  // Strictly inside horizontally (NaN fails too). The height is not tested, but a position
  // that is not a number has nowhere to put its label and lines.
  return left < *xd && *xd < right && std::isfinite(*yd);
}

FontRequest CChartMark::LabelFontOf(const CChartGrid& grid) {
  CPointLabel label;
  label.height = grid.labelHeight;
  label.italic = grid.labelItalic != 0 ? 1 : 0;
  label.scale = grid.scale;
  return label.Font();
}

void CChartMark::Draw(DeviceContext& dc) {
  double xd = 0, yd = 0;
  if (!DevicePosition(&xd, &yd)) return;
  const LabelFont font(dc, LabelFontOf(*grid));
  DrawAt(xd, yd, dc);
}

void CChartMark::DrawInSelectedFont(DeviceContext& dc) {
  double xd = 0, yd = 0;
  if (DevicePosition(&xd, &yd)) DrawAt(xd, yd, dc);
}

void CChartMark::DrawAt(double xd, double yd, DeviceContext& dc) {
  // Only the font comes from the grid; the text stays black whatever the preset.
  for (CPointLabel* label : {&yLabel, &xLabel}) {
    label->height = grid->labelHeight;
    label->italic = grid->labelItalic != 0 ? 1 : 0;
    label->scale = grid->scale;
  }
  const std::int32_t xi = TruncToInt32(xd);
  const std::int32_t yi = TruncToInt32(yd);

  yLabel.text = " " + grid->FormatGridValue(Y) + " ";
  yLabel.PlaceInSelectedFont(left, yi, dc);
  if (!hasUserLabel) xLabel.text = " " + grid->FormatGridValue(X) + " ";
  xLabel.PlaceInSelectedFont(xi, bottom, dc);

  // No clip of their own: they run from the plot area's edges to the point, wherever it
  // lies. The dash walk of a very long line skips what the picture cannot show.
  CLineStyle guide;
  guide.enabled = 1;
  guide.width = SanitizeLineWidth(grid->lineWidth);
  guide.style = SanitizeLineStyle(grid->lineStyle);
  guide.color = grid->lineColor;
  guide.scale = grid->scale;
  guide.DrawLine(left, yi, xi, yi, dc);
  guide.DrawLine(xi, yi, xi, bottom, dc);
}

}  // namespace corvane
