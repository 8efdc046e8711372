#include "overlays/chart_line.h"

namespace corvane {

void CChartLine::Draw(DeviceContext& dc) {
  (void)dc;
}

}  // namespace corvane
