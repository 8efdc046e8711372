// The labelled positions of the grid's own stepping (axis type 0, and the user-type grid's
// category lines), as ticks to read back: what CChartGrid::DrawGrid labels, in the same
// arithmetic, without drawing.
#pragma once

#include "appearance/axis_ticks.h"
#include "appearance/chart_grid.h"

namespace corvane {

// The vertical axis: ymin, ymax, the axis line and the stepped lines, with the texts of
// FormatGridValue. The horizontal axis: likewise, or on the user-type grid the user labels of
// the label window with their indices as values. Ascending by position along the axis (up
// for the vertical one); where two labels share a pixel, the one drawn first. Formatting may
// reset digitsAfterPoint as drawing does.
AxisTicks GridOwnTicks(CChartGrid& grid, bool vertical);

}  // namespace corvane
