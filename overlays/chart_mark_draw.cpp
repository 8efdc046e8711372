#include "overlays/chart_mark.h"

namespace corvane {

// Guide lines and value labels arrive with the mark drawing work.
void CChartMark::Draw(DeviceContext&) {}

}  // namespace corvane
