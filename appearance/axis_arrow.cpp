#include "appearance/axis_arrow.h"

#include <cmath>
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {
namespace {

constexpr double kMaxDeviceCoordinate = (1 << 27) - 1;  // 28-bit signed

}  // namespace

void CAxisArrow::DrawLineClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                                 const IRect& clip, DeviceContext& dc) {
  WithClipRect(clip, dc, [&] { CAxisArrow::DrawLine(x1, y1, x2, y2, dc); });
}

void CAxisArrow::DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                          DeviceContext& dc) {
  fromX = x1;
  toX = x2;
  fromY = y1;
  toY = y2;
  // An arrow is always one solid stroke: `style` and `enabled` are not consulted.
  const ObjHandle pen = dc.CreatePen(PenWidth(), color);
  if (pen) {
    const ObjHandle previous = dc.SelectObject(pen);
    dc.MoveToEx(x1, y1);
    dc.LineTo(x2, y2);
    dc.SelectObject(previous);
  }
  DrawArrowHead(dc);
  if (pen) dc.DeleteObject(pen);
}

void CAxisArrow::DrawArrowHead(DeviceContext& dc) {
  // Differences and squares wide: corners of an extreme picture are 2^31 apart.
  const double dx = static_cast<double>(std::int64_t{toX} - fromX);
  const double dy = static_cast<double>(std::int64_t{toY} - fromY);
  const double length = std::sqrt(dx * dx + dy * dy);
  // A line no longer than its head gets none; neither does a line of no length (whatever
  // sign the head length has), whose direction is undefined.
  const double scaledHead = scale(headLength);
  if (length <= scaledHead || length == 0) return;
  // The direction is scaled by the reciprocal of the length, not divided by it: the rounding
  // differs, and on a long axis the base corners can land one pixel nearer the tip.
  const double inverse = 1.0 / length;
  const double ux = dx * inverse, uy = dy * inverse;
  const double bx = toX - scaledHead * ux;
  const double by = toY - scaledHead * uy;
  const double r = scale(headHalfWidth);
  const double corners[4] = {bx - r * uy, by + r * ux, bx + r * uy, by - r * ux};
  // GDI's device coordinates are meant to fit in 28 bits; Windows promises nothing beyond
  // them, and Wine fills such a polygon row by row, billions of rows. A head reaching that
  // far (an arrowH or arrowR in the hundreds of millions) is left out on every backend.
  if (std::fabs(toX) > kMaxDeviceCoordinate || std::fabs(toY) > kMaxDeviceCoordinate) return;
  for (double c : corners)
    if (!(std::fabs(c) <= kMaxDeviceCoordinate)) return;
  const IPoint head[3] = {
      {toX, toY},
      {TruncToInt32(corners[0]), TruncToInt32(corners[1])},
      {TruncToInt32(corners[2]), TruncToInt32(corners[3])},
  };
  const ObjHandle brush = dc.CreateSolidBrush(color);
  const ObjHandle previousBrush = brush ? dc.SelectObject(brush) : kNoObject;
  // No outline; the null pen stays selected afterwards, as every drawer selects its own pen.
  dc.SelectObject(dc.GetStockNullPen());
  dc.Polygon(head, 3);
  if (brush) {
    dc.SelectObject(previousBrush);
    dc.DeleteObject(brush);
  }
}

}  // namespace corvane
