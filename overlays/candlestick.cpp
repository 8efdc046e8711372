#include "overlays/candlestick.h"

#include "overlays/device_mapping.h"
#include "overlays/line_style.h"

namespace corvane {

void CCandleStick::Draw(DeviceContext& dc) const {
  DeviceMapping map;
  if (!MakeDeviceMapping(xmin, xmax, ymin, ymax, left, right, top, bottom, &map, logs)) return;
  // A unit of X wide; on a logarithmic X axis the unit from X to X + 1.
  const double half = logs.x ? (map.X(X + 1) - map.X(X)) * 0.5 : map.sx * 0.5;
  const double xC = map.X(X) + half;
  const double yHigh = map.Y(High), yLow = map.Y(Low);
  if (xC != xC || yHigh != yHigh || yLow != yLow) return;

  // The wick spans low to high; the body is painted over it.
  CLineStyle wick;
  wick.enabled = 1;
  wick.width = SanitizeLineWidth(wickWidth);
  wick.style = SanitizeLineStyle(wickStyle);
  wick.color = wickColor;
  wick.scale = scale;
  const std::int32_t xWick = TruncToInt32(xC);
  wick.DrawLine(xWick, TruncToInt32(yLow), xWick, TruncToInt32(yHigh), dc);

  // The body leaves 2 pixels on the left of the unit and 1 on the right; under 2 pixels
  // wide (a unit under 5 pixels) there is none.
  const double bodyLeft = xC - half + scale(2), bodyRight = xC + half - scale(1);
  if (!(bodyRight - bodyLeft >= scale(2))) return;
  const double yOpen = map.Y(Open), yClose = map.Y(Close);
  if (yOpen != yOpen || yClose != yClose) return;
  // Device y grows downwards: a close not above the open (equal included) is falling.
  const bool falling = yOpen <= yClose;
  const Color body = falling ? fallColor : riseColor;
  const double yTop = falling ? yOpen : yClose, yBottom = falling ? yClose : yOpen;

  const ObjHandle brush = dc.CreateSolidBrush(body);
  const ObjHandle pen = dc.CreatePen(scale(1), wickColor);
  if (brush && (pen || !hasOutline)) {
    const ObjHandle previousBrush = dc.SelectObject(brush);
    const ObjHandle previousPen = dc.SelectObject(hasOutline ? pen : dc.GetStockNullPen());
    dc.Rectangle(TruncToInt32(bodyLeft), TruncToInt32(yTop), TruncToInt32(bodyRight),
                 TruncToInt32(yBottom));
    if (previousPen) dc.SelectObject(previousPen);
    if (previousBrush) dc.SelectObject(previousBrush);
  }
  if (pen) dc.DeleteObject(pen);
  if (brush) dc.DeleteObject(brush);
}

}  // namespace corvane
