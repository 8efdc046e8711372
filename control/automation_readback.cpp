// The read-back members of ICorvaneEx3: the window and plot area of the layout the next
// render draws with, the mapping between world and pixels, and the stored points.
#include <cmath>

#include "control/automation.h"
#include "overlays/device_mapping.h"

namespace corvane {
namespace {

bool HasPicture(const CChartEngine& e) { return e.width > 0 && e.height > 0; }

// The mapping of the laid-out chart, as every drawer makes it from the layout's window and
// plot area; false when there is no picture or the window cannot be mapped either way.
bool LaidOutMapping(CChartEngine& e, DeviceMapping* map) {
  if (!HasPicture(e)) return false;
  e.EnsureLayout();
  const IRect a = e.PlotArea();
  return MakeDeviceMapping(e.world.xmin, e.world.xmax, e.world.ymin, e.world.ymax, a.left,
                           a.right, a.top, a.bottom, map, e.logs) &&
         map->sx != 0 && map->sy != 0;
}

// One conversion: a finite argument in, a finite result out, or E_INVALIDARG.
template <typename Convert>
HResult Convert1(CChartEngine& e, double v, double* out, Convert convert) {
  if (!out) return kE_POINTER;
  if (!std::isfinite(v)) return kE_INVALIDARG;
  DeviceMapping map;
  if (!LaidOutMapping(e, &map)) return kE_INVALIDARG;
  const double r = convert(map, v);
  if (!std::isfinite(r)) return kE_INVALIDARG;
  *out = r;
  return kS_OK;
}

HResult WorldBound(CChartEngine& e, double* out, double WorldWindow::*bound) {
  if (!out) return kE_POINTER;
  e.EnsureLayout();
  *out = e.world.*bound;
  return kS_OK;
}

HResult AreaEdge(CChartEngine& e, std::int32_t* out, std::int32_t IRect::*edge) {
  if (!out) return kE_POINTER;
  if (!HasPicture(e)) return kE_INVALIDARG;
  e.EnsureLayout();
  *out = e.PlotArea().*edge;
  return kS_OK;
}

HResult StoredPoint(CChartEngine& e, std::int32_t plot, std::int32_t index, double* out,
                    double DPoint::*coordinate) {
  if (!out) return kE_POINTER;
  if (plot < 1 || plot > CChartEngine::kMaxPlots) return kE_INVALIDARG;
  const CPlotSeries& p = e.plots[plot - 1];
  if (index < 1 || index > p.KeptCount()) return kE_INVALIDARG;
  *out = p.PointAt(index - 1).*coordinate;
  return kS_OK;
}

}  // namespace

HResult CorvaneAutomation::get_WorldXMin(double* pVal) {
  return WorldBound(engine_, pVal, &WorldWindow::xmin);
}
HResult CorvaneAutomation::get_WorldXMax(double* pVal) {
  return WorldBound(engine_, pVal, &WorldWindow::xmax);
}
HResult CorvaneAutomation::get_WorldYMin(double* pVal) {
  return WorldBound(engine_, pVal, &WorldWindow::ymin);
}
HResult CorvaneAutomation::get_WorldYMax(double* pVal) {
  return WorldBound(engine_, pVal, &WorldWindow::ymax);
}

HResult CorvaneAutomation::get_PlotAreaLeft(std::int32_t* pVal) {
  return AreaEdge(engine_, pVal, &IRect::left);
}
HResult CorvaneAutomation::get_PlotAreaTop(std::int32_t* pVal) {
  return AreaEdge(engine_, pVal, &IRect::top);
}
HResult CorvaneAutomation::get_PlotAreaRight(std::int32_t* pVal) {
  return AreaEdge(engine_, pVal, &IRect::right);
}
HResult CorvaneAutomation::get_PlotAreaBottom(std::int32_t* pVal) {
  return AreaEdge(engine_, pVal, &IRect::bottom);
}

HResult CorvaneAutomation::WorldToPixelX(double x, double* px) {
  return Convert1(engine_, x, px, [](const DeviceMapping& m, double v) { return m.X(v); });
}
HResult CorvaneAutomation::WorldToPixelY(double y, double* py) {
  return Convert1(engine_, y, py, [](const DeviceMapping& m, double v) { return m.Y(v); });
}
HResult CorvaneAutomation::PixelToWorldX(double px, double* x) {
  return Convert1(engine_, px, x, [](const DeviceMapping& m, double v) { return m.WorldX(v); });
}
HResult CorvaneAutomation::PixelToWorldY(double py, double* y) {
  return Convert1(engine_, py, y, [](const DeviceMapping& m, double v) { return m.WorldY(v); });
}

HResult CorvaneAutomation::get_PointX(std::int32_t plot, std::int32_t index, double* pVal) {
  return StoredPoint(engine_, plot, index, pVal, &DPoint::X);
}
HResult CorvaneAutomation::get_PointY(std::int32_t plot, std::int32_t index, double* pVal) {
  return StoredPoint(engine_, plot, index, pVal, &DPoint::Y);
}

}  // namespace corvane
