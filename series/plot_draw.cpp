#include "series/plot_series.h"

namespace corvane {

void CPlotSeries::DrawPlot(DeviceContext& dc) { (void)dc; }
void CPlotSeries::DrawAllPoints(DeviceContext& dc) { (void)dc; }
void CPlotSeries::DrawSegment(DeviceContext& dc) { (void)dc; }

}  // namespace corvane
