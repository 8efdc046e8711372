// The array members of ICorvaneEx2: whole point arrays in one call, and the count of points
// a plot holds; the capacity of a plot that keeps only its newest points.
#include "control/automation.h"

namespace corvane {

HResult CorvaneAutomation::AddPoints(std::int32_t index, const double* x, const double* y,
                                     std::size_t count) {
  if (count == 0) return kS_OK;
  if (!y) return kE_POINTER;
  if (index < 1 || index > CChartEngine::kMaxPlots) return kS_OK;
  if (count > static_cast<std::size_t>(CPlotSeries::kMaxPoints)) return kE_OUTOFMEMORY;
  if (!engine_.plots[index - 1].AddPoints(x, y, static_cast<std::int32_t>(count)))
    return kE_OUTOFMEMORY;
  engine_.layoutDirty = 1;
  return kS_OK;
}

HResult CorvaneAutomation::AddPointsToPlot(std::int32_t index, const double* x, const double* y,
                                           std::size_t count) {
  if (count > 0 && !x) return kE_POINTER;
  return AddPoints(index, x, y, count);
}

HResult CorvaneAutomation::AddPointsToPlot2(std::int32_t index, const double* y,
                                            std::size_t count) {
  return AddPoints(index, nullptr, y, count);
}

HResult CorvaneAutomation::get_PointCount(std::int32_t index, std::int32_t* pVal) {
  if (!pVal) return kE_POINTER;
  *pVal = index >= 1 && index <= CChartEngine::kMaxPlots ? engine_.plots[index - 1].KeptCount()
                                                          : 0;
  return kS_OK;
}

HResult CorvaneAutomation::get_PlotCapacity(std::int32_t index, std::int32_t* pVal) {
  if (!pVal) return kE_POINTER;
  if (index < 1 || index > CChartEngine::kMaxPlots) return kE_INVALIDARG;
  *pVal = engine_.plots[index - 1].capacity();
  return kS_OK;
}

HResult CorvaneAutomation::put_PlotCapacity(std::int32_t index, std::int32_t n) {
  if (index < 1 || index > CChartEngine::kMaxPlots || n < 0) return kE_INVALIDARG;
  if (engine_.plots[index - 1].SetCapacity(n)) engine_.layoutDirty = 1;
  return kS_OK;
}

}  // namespace corvane
