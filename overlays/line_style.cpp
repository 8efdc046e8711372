#include "overlays/line_style.h"

#include <cstdint>

#include "overlays/dash_walk.h"
#include "overlays/polyline_stroker.h"

namespace corvane {

namespace {

// Pen, pieces, pen restore.
void Stroke(const CLineStyle& line, std::int32_t x1, std::int32_t y1, std::int32_t x2,
            std::int32_t y2, DeviceContext& dc) {
  const std::int32_t width = line.PenWidth();
  const ObjHandle pen = dc.CreatePen(width, line.color);
  if (!pen) return;  // out of GDI objects: leave the picture as it is
  const ObjHandle previous = dc.SelectObject(pen);
  const std::int32_t style = SanitizeLineStyle(line.style);
  if (style == 0) {
    dc.MoveToEx(x1, y1);
    dc.LineTo(x2, y2);
  } else {
    DrawDashedSegment(x1, y1, x2, y2, width, style, dc);
  }
  dc.SelectObject(previous);
  dc.DeleteObject(pen);
}

}  // namespace

void CLineStyle::DrawLineClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                 const IRect& clip, DeviceContext& dc) {
  if (!enabled) return;
  WithClipRect(clip, dc, [&] { Stroke(*this, x1, y1, x2, y2, dc); });
}

void CLineStyle::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          DeviceContext& dc) {
  if (!enabled) return;
  StrokeStyled(x1, y1, x2, y2, dc);
}

void CLineStyle::StrokeStyled(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                              DeviceContext& dc) const {
  Stroke(*this, x1, y1, x2, y2, dc);
}

void CLineStyle::DrawPolylineClipped(const IPoint* pts, std::int32_t n, const IRect& clip,
                                     DeviceContext& dc) const {
  if (!enabled || !pts || n < 2) return;
  if (SanitizeLineStyle(style) != 0) {
    // Dashes restart on every segment; only the shared clip can be saved.
    WithClipRect(clip, dc, [&] {
      for (std::int32_t k = 0; k + 1 < n; ++k)
        Stroke(*this, pts[k].x, pts[k].y, pts[k + 1].x, pts[k + 1].y, dc);
    });
    return;
  }
  PolylineStroker stroker(*this, clip, dc);
  for (std::int32_t k = 0; k < n; ++k) stroker.Add(pts[k]);
  stroker.Finish();
}

}  // namespace corvane
