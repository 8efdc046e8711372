#include "series/plot_series.h"

namespace corvane {

void CPlotSeries::AddPoint(double x, double y) {
  refitPending = 1;
  if (!points.Append(DPoint{x, y})) return;
  if (!devicePoints.Append(DPoint{0, 0})) {
    // drop stub
  }
}

void CPlotSeries::Dispose() {
  points.Clear();
  devicePoints.Clear();
  world = WorldWindow{};
  refitPending = 1;
}

}  // namespace corvane
