// An axis drawn as a solid line with a filled triangular head at its end point.
#pragma once
#include "overlays/line_style.h"

namespace corvane {

class CAxisArrow : public CLineStyle {
 public:
  CAxisArrow() { width = 2; }
  void DrawLineClipped(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       const IRect& clip, DeviceContext& dc) override;
  void DrawLine(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                DeviceContext& dc) override;
  void DrawArrowHead(DeviceContext& dc);

  std::int32_t headHalfWidth = 4;
  std::int32_t headLength = 12;
  std::int32_t fromX = 0, toX = 0, fromY = 0, toY = 0;
};

}  // namespace corvane
