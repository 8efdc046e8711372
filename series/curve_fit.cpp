#include "series/plot_series.h"

namespace corvane {

void CPlotSeries::FitDeviceLinear() {}
void CPlotSeries::FitWorldLinear() {}
void CPlotSeries::FitDeviceQuadratic() {}
void CPlotSeries::FitWorldQuadratic() {}
void CPlotSeries::RefitAll() {
  FitDeviceQuadratic();
  FitWorldQuadratic();
  FitDeviceLinear();
  FitWorldLinear();
  refitPending = 0;
}
double CPlotSeries::GetA() const { return 0.0; }
double CPlotSeries::GetB() const { return 0.0; }
double CPlotSeries::GetC() const { return 0.0; }

}  // namespace corvane
