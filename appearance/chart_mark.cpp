#include "appearance/chart_mark.h"

namespace corvane {

CChartMark::CChartMark(double x, double y) : X(x), Y(y) {
  // Mark labels are boxed and carry no dot.
  for (CPointLabel* label : {&yLabel, &xLabel}) {
    label->noBox = 0;
    label->showDot = 0;
    label->dotRadius = 3;
    label->dotColor = 0;
    label->anchorX = 0;
    label->anchorY = 0;
  }
  yLabel.placement = 6;
  xLabel.placement = 4;
}

}  // namespace corvane
