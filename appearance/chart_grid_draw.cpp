#include "appearance/chart_grid.h"

namespace corvane {

// Frame, value lines, category lines and their labels arrive with the grid drawing work.
void CChartGrid::DrawGrid(DeviceContext&) {}

}  // namespace corvane
