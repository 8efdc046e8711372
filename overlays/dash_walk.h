// The dash walk of CLineStyle: a segment cut into the pieces of a dash pattern whose unit is
// 1/n of the segment (n = length / (2 * width)), drawn with the pen already selected.
#pragma once
#include <cstdint>

#include "platform/dc.h"
#include "platform/geometry.h"

namespace corvane {

// Walks of more units than this skip, without drawing them, the pieces that lie outside the
// visible box; shorter walks draw every piece.
constexpr double kLongDashWalkUnits = 1024.0;

// Pattern pieces and the closing two-unit dash of a dashed style (1..4); a segment shorter
// than 7 units is drawn solid. Only a long walk asks dc for its clip box.
void DrawDashedSegment(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       std::int32_t width, std::int32_t style, DeviceContext& dc);

// Moves the walk position t -- the end of the piece at pattern index km of the m piece
// fractions f -- forward by whole periods while it stays below `limit`, to exactly the
// value the piece-by-piece sums reach. km is unchanged by whole periods.
void AdvanceWholePeriods(double& t, int km, const double* f, int m, double limit);

}  // namespace corvane
