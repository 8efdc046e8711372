#include "appearance/axis_arrow.h"

namespace corvane {

// The arrow line and its head arrive with the axis drawing work.
void CAxisArrow::DrawLineClipped(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                                 const IRect&, DeviceContext&) {}

void CAxisArrow::DrawLine(std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                          DeviceContext&) {}

void CAxisArrow::DrawArrowHead(DeviceContext&) {}

}  // namespace corvane
