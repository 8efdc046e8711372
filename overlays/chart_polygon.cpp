#include "overlays/chart_polygon.h"

#include "overlays/fill_outline.h"
#include "overlays/line_style.h"
#include "overlays/translucent_fill.h"

namespace corvane {
namespace {

bool AnyNaN(const GrowableArray<DPoint>& pts) {
  for (const DPoint& p : pts)
    if (p.X != p.X || p.Y != p.Y) return true;
  return false;
}

}  // namespace

void CChartPolygon::FillPolygon(DeviceContext& dc) const { FillPolygon(dc, nullptr); }

void CChartPolygon::FillPolygon(DeviceContext& dc, BlendSurface* blend) const {
  if (!visible || points.count() < 3) return;
  IRect clipBox{0, 0, 0, 0};
  const int kind = dc.GetClipBox(&clipBox);
  if (kind == kRegionError || kind == kNullRegion) return;  // nothing can change
  FillOutline outline;
  if (!outline.Build(points.data(), points.count(), clipBox) || outline.count() < 3) return;
  if (BlendsFill(transparency))
    FillTranslucent(outline, clipBox, fillColor, FillAlpha(transparency), dc, blend);
  else
    FillOpaque(outline, fillColor, dc);
}

void CChartPolygon::DrawPolygonBorder(DeviceContext& dc) const {
  const std::int32_t n = points.count();
  if (!hasBorder || n < 3 || AnyNaN(points)) return;
  CLineStyle line;
  line.enabled = 1;
  line.width = SanitizeLineWidth(borderWidth);
  line.scale = scale;
  line.style = SanitizeLineStyle(borderStyle);
  line.color = borderColor;
  // Every point, unthinned, the last one joined back to the first.
  for (std::int32_t i = 0; i < n; ++i) {
    const DPoint& a = points[i];
    const DPoint& b = points[i + 1 == n ? 0 : i + 1];
    line.DrawLine(TruncToInt32(a.X), TruncToInt32(a.Y), TruncToInt32(b.X), TruncToInt32(b.Y), dc);
  }
}

void CChartPolygon::FillPolygonClipped(const IRect& clip, DeviceContext& dc) const {
  WithClipRect(clip, dc, [&] { FillPolygon(dc); });
}

void CChartPolygon::DrawPolygonBorderClipped(const IRect& clip, DeviceContext& dc) const {
  WithClipRect(clip, dc, [&] { DrawPolygonBorder(dc); });
}

}  // namespace corvane
