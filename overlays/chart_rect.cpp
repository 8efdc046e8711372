#include "overlays/chart_rect.h"

#include "overlays/line_style.h"

namespace corvane {

void CChartRect::DrawClipped(const IRect& clip, DeviceContext& dc) {
  WithClipRect(clip, dc, [&] { Draw(dc); });
}

// The rectangle's fill and border arrive with the rectangle drawing work.
void CChartRect::Draw(DeviceContext&) {}

}  // namespace corvane
