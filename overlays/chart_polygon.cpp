#include "overlays/chart_polygon.h"

#include "overlays/line_style.h"

namespace corvane {

// The fill (opaque and blended) and the border arrive with the polygon drawing work.
void CChartPolygon::FillPolygon(DeviceContext&) const {}

void CChartPolygon::DrawPolygonBorder(DeviceContext&) const {}

void CChartPolygon::FillPolygonClipped(const IRect& clip, DeviceContext& dc) const {
  WithClipRect(clip, dc, [&] { FillPolygon(dc); });
}

void CChartPolygon::DrawPolygonBorderClipped(const IRect& clip, DeviceContext& dc) const {
  WithClipRect(clip, dc, [&] { DrawPolygonBorder(dc); });
}

}  // namespace corvane
