// CChartPolygon: a filled shape with a translucent fill and a styled border. Also the
// translucent-shape primitive of the rectangles and the legend box.
#pragma once
#include <cstdint>

#include "overlays/blend_surface.h"
#include "overlays/device_mapping.h"
#include "platform/dc.h"
#include "platform/growable_array.h"
#include "platform/hit_geometry.h"
#include "platform/pixel_scale.h"

namespace corvane {

class CChartPolygon {
 public:
  // Drawing operations; the points are device pixels when these run. Fewer than 3 points, or
  // a NaN position, draw nothing; the fill also needs `visible`. The clipped forms replace
  // dc's clip by `clip` for the call (nothing is drawn if that cannot be done).
  void FillPolygon(DeviceContext& dc) const;
  // The same, blending through `blend`'s bitmap (the fills of one pass share it).
  void FillPolygon(DeviceContext& dc, BlendSurface* blend) const;
  void FillPolygonClipped(const IRect& clip, DeviceContext& dc) const;
  void DrawPolygonBorder(DeviceContext& dc) const;
  void DrawPolygonBorderClipped(const IRect& clip, DeviceContext& dc) const;

  // Whether the polygon, filled even-odd within `clip` and with half its border's pen around
  // it, lies within probe.radius of the probe, its points mapped through `map` as the
  // polygon drawer maps them. Hidden polygons, fewer than 3 points or a point that is no
  // number are never hit. The hit's position is the nearest place on it, in world units.
  RecordHit HitTest(const HitProbe& probe, const DeviceMapping& map, const IRect& clip) const;

  GrowableArray<DPoint> points;
  Color fillColor = 0x000000;
  double transparency = 1.0;
  std::uint8_t visible = 1;
  std::uint8_t hasBorder = 1;
  Color borderColor = 0xFF0000;
  std::int32_t borderWidth = 1;
  std::int32_t borderStyle = 0;
  PixelScale scale;  // the border's width and dashes
};

// Copies the fill and border settings of any record that names them as CChartPolygon does
// (a polygon overlay, a rectangle) into a scratch polygon.
template <typename Record>
void CopyFillAndBorder(const Record& from, CChartPolygon* to) {
  to->fillColor = from.fillColor;
  to->transparency = from.transparency;
  to->hasBorder = from.hasBorder;
  to->borderColor = from.borderColor;
  to->borderWidth = from.borderWidth;
  to->borderStyle = from.borderStyle;
  to->scale = from.scale;
}

}  // namespace corvane
