// The grid of axes with chosen ticks: the frame, minor and major lines at the ticks of each
// axis and the major ticks' labels, in the grid's colours, pen, dash style and label font,
// with the visibility codes of the grid. A direction without ticks is drawn by the grid's
// own stepping, exactly as CChartGrid::DrawGrid draws it, and the user-type grid keeps its
// category lines on the horizontal axis whatever ticks it is given.
#pragma once

#include "appearance/axis_scale.h"
#include "appearance/axis_ticks.h"
#include "appearance/chart_grid.h"
#include "platform/dc.h"

namespace corvane {

struct AxisGridDirection {
  const AxisTicks* ticks = nullptr;  // null: the grid's own lines
  AxisMapping mapping;               // values to device x (horizontal axis) or y (vertical)
};

// Labels go where the grid puts them: values of the vertical axis left and right of the
// frame, 7 pixels off and centred on their line; those of the horizontal axis centred
// 7 pixels below and above it. The left and lower ones are always written, the right and
// upper ones only on a uniform background (they give way to the axis captions); a label
// that the picture's edge would cut is left out. Lines on the frame or outside it are not
// drawn; minor lines have no labels.
void DrawAxisGrid(CChartGrid& grid, const AxisGridDirection& x, const AxisGridDirection& y,
                  DeviceContext& dc);

}  // namespace corvane
