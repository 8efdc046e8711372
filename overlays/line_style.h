// CLineStyle: the one routine that draws a straight device-pixel segment with a width 1..15,
// a colour and a dash style 0..4, plain or clipped to a rectangle. Dashes are cut by hand
// from a solid pen; their unit scales with the pen width and the segment length.
#pragma once
#include <cstdint>

#include "platform/dc.h"
#include "platform/pixel_scale.h"

namespace corvane {

class CLineStyle {
 public:
  virtual ~CLineStyle() = default;
  // The clip region of dc is the rectangle `clip` for the duration of the call.
  virtual void DrawLineClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                               const IRect& clip, DeviceContext& dc);
  // The current clip region of dc applies unchanged.
  virtual void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                        DeviceContext& dc);

  // Fast path for a chain of solid segments p0-p1, p1-p2, ...: one pen and one clip for all
  // of them, with every pixel as one DrawLineClipped per segment would leave it.
  void DrawPolylineClipped(const IPoint* pts, std::int32_t n, const IRect& clip,
                           DeviceContext& dc) const;

  // The pen's width in device pixels: the sanitized width at the chart's pixel scale. The
  // dash unit follows it.
  std::int32_t PenWidth() const;
  std::int32_t width = 1;
  Color color = 0;
  std::int32_t style = 0;
  std::uint8_t enabled = 1;
  PixelScale scale;

 protected:
  // Steps shared by DrawLine and the clipped form: pen, dash walk, pen restore.
  void StrokeStyled(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                    DeviceContext& dc) const;
};

// Width and style as every producer stores them: 1..15 else 1, 0..4 else 0.
inline std::int32_t SanitizeLineWidth(std::int32_t w) { return (w >= 1 && w <= 15) ? w : 1; }
inline std::int32_t SanitizeLineStyle(std::int32_t s) { return (s >= 0 && s <= 4) ? s : 0; }
inline std::int32_t CLineStyle::PenWidth() const { return scale(SanitizeLineWidth(width)); }

// Runs `body` with dc's clip region replaced by `clip`; restores the previous clip box.
// (GetClipBox, two CreateRectRgn, SelectClipRgn, body, SelectClipRgn, two DeleteObject.)
// When either region cannot be made, `body` does not run: selecting a missing region would
// lift the clip altogether, and one that cannot be put back would stay.
template <typename Body>
void WithClipRect(const IRect& clip, DeviceContext& dc, Body&& body) {
  IRect saved{};
  dc.GetClipBox(&saved);
  ObjHandle clipRgn = dc.CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
  ObjHandle savedRgn = dc.CreateRectRgn(saved.left, saved.top, saved.right, saved.bottom);
  if (!clipRgn || !savedRgn) {
    if (clipRgn) dc.DeleteObject(clipRgn);
    if (savedRgn) dc.DeleteObject(savedRgn);
    return;
  }
  dc.SelectClipRgn(clipRgn);
  body();
  dc.SelectClipRgn(savedRgn);
  dc.DeleteObject(clipRgn);
  dc.DeleteObject(savedRgn);
}

}  // namespace corvane
