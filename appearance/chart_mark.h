// A mark projects one world position onto the axes: guide lines in the grid's style and two
// boxed value labels outside the plot area.
#pragma once
#include <cstdint>

#include "appearance/text_label.h"
#include "platform/dc.h"
#include "platform/hit_geometry.h"

namespace corvane {

class CChartGrid;

class CChartMark {
 public:
  CChartMark(double x, double y);
  // The y label left of the plot area at the point's height, the x label (or the client's
  // text) under the area at the point's x, then the two guide lines in the grid's line style,
  // none of them clipped; rewrites the value labels' texts. Draws nothing while hidden,
  // before its first layout (no grid), for a window that cannot be mapped, when the point's
  // device x is not strictly inside the plot area, or when its device y is not finite.
  void Draw(DeviceContext& dc);
  // The same with the labels' font (LabelFontOf the mark's grid) already selected in dc,
  // which stays: the marks of one render share one font.
  void DrawInSelectedFont(DeviceContext& dc);
  // The mark's point, where its guide lines meet, when the mark is drawn and the point lies
  // within probe.radius of the probe.
  RecordHit HitTest(const HitProbe& probe) const;
  // The font both labels are drawn in: the grid's label height and italic, weight 400.
  static FontRequest LabelFontOf(const CChartGrid& grid);

  double X = 0, Y = 0;
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  double xmax = 0, xmin = 0, ymax = 0, ymin = 0;
  AxisLogs logs;  // the layout's logarithmic axes
  CPointLabel yLabel;
  CPointLabel xLabel;
  CChartGrid* grid = nullptr;
  std::uint8_t hasUserLabel = 0;
  std::uint8_t visible = 1;

 private:
  // The point's device position from the layout copies, when the mark draws at all.
  bool DevicePosition(double* xd, double* yd) const;
  void DrawAt(double xd, double yd, DeviceContext& dc);
};

}  // namespace corvane
