// An axis-aligned rectangle overlay in world units, painted through a scratch CChartPolygon.
#pragma once
#include <cstdint>

#include "overlays/blend_surface.h"
#include "platform/dc.h"
#include "platform/hit_geometry.h"
#include "platform/pixel_scale.h"

namespace corvane {

class CChartRect {
 public:
  virtual ~CChartRect() = default;
  // Draw with dc's clip replaced by `clip` for the call.
  virtual void DrawClipped(const IRect& clip, DeviceContext& dc);
  // Maps the edges with this record's copies and paints them as a four-point CChartPolygon
  // (fill, then border). Nothing when hidden, for a window that cannot be mapped, or when
  // the mapped box is less than a pixel wide or high (L >= R or T <= B included).
  virtual void Draw(DeviceContext& dc);
  // Draw, blending through `blend`'s bitmap (the rectangles of one pass share it).
  void DrawWith(DeviceContext& dc, BlendSurface* blend);
  // Whether the box Draw paints within `clip` (with half its border's pen around it) lies
  // within probe.radius of the probe; the hit's position is the nearest place on it.
  RecordHit HitTest(const HitProbe& probe, const IRect& clip) const;

  double L = 0, T = 0, R = 0, B = 0;
  Color fillColor = 0x000000;
  double transparency = 1.0;
  std::uint8_t hasBorder = 1;
  Color borderColor = 0xFF0000;
  std::int32_t borderWidth = 1;
  std::int32_t borderStyle = 0;
  std::uint8_t visible = 1;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  AxisLogs logs;  // the layout's logarithmic axes
  std::int32_t left = 0, right = 0, top = 0, bottom = 0;
  PixelScale scale;  // the layout's pixel scale: the border's width and dashes
};

}  // namespace corvane
