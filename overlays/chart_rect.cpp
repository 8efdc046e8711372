#include "overlays/chart_rect.h"

#include "overlays/chart_polygon.h"
#include "overlays/device_mapping.h"
#include "overlays/line_style.h"

namespace corvane {

void CChartRect::DrawClipped(const IRect& clip, DeviceContext& dc) {
  WithClipRect(clip, dc, [&] { Draw(dc); });
}

void CChartRect::Draw(DeviceContext& dc) { DrawWith(dc, nullptr); }

void CChartRect::DrawWith(DeviceContext& dc, BlendSurface* blend) {
  if (!visible) return;
  DeviceMapping map;
  if (!MakeDeviceMapping(xmin, xmax, ymin, ymax, left, right, top, bottom, &map, logs)) return;
  const double xL = map.X(L), yT = map.Y(T), xR = map.X(R), yB = map.Y(B);
  // At least a pixel wide and high; written so that NaN fails the test too.
  if (!(xR - xL >= 1) || !(yB - yT >= 1)) return;

  CChartPolygon shape;
  if (!shape.points.Reserve(4)) return;
  shape.points.Append(DPoint{xL, yT});
  shape.points.Append(DPoint{xR, yT});
  shape.points.Append(DPoint{xR, yB});
  shape.points.Append(DPoint{xL, yB});
  CopyFillAndBorder(*this, &shape);
  shape.FillPolygon(dc, blend);
  shape.DrawPolygonBorder(dc);
}

}  // namespace corvane
