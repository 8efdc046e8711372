#include "overlays/line_style.h"

namespace corvane {

void CLineStyle::DrawLineClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                 const IRect& clip, DeviceContext& dc) {
  if (!enabled) return;
  WithClipRect(clip, dc, [&] { StrokeStyled(x1, y1, x2, y2, dc); });
}

void CLineStyle::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          DeviceContext& dc) {
  if (!enabled) return;
  StrokeStyled(x1, y1, x2, y2, dc);
}

void CLineStyle::DrawPolylineClipped(const IPoint* pts, std::int32_t n, const IRect& clip,
                                     DeviceContext& dc) const {
  if (!enabled || !pts || n < 2) return;
  WithClipRect(clip, dc, [&] {
    ObjHandle pen = dc.CreatePen(width, color);
    ObjHandle old = dc.SelectObject(pen);
    dc.Polyline(pts, n);
    dc.SelectObject(old);
    if (pen) dc.DeleteObject(pen);
  });
}

void CLineStyle::StrokeStyled(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                              DeviceContext& dc) const {
  ObjHandle pen = dc.CreatePen(width, color);
  ObjHandle old = dc.SelectObject(pen);
  dc.MoveToEx(x1, y1);
  dc.LineTo(x2, y2);
  dc.SelectObject(old);
  if (pen) dc.DeleteObject(pen);
}

}  // namespace corvane
