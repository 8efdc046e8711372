#include "overlays/chart_mark.h"

namespace corvane {

CChartMark::CChartMark(double x, double y) : X(x), Y(y) {}

}  // namespace corvane
