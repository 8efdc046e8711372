// The members of ICorvaneEx3 on corvane::Chart: the layout read back, the mapping both ways,
// the stored points, what lies under a pixel and the plots' capacities.
#include "corvane/chart.h"
#include "library/chart_forwarding.h"

namespace corvane {

using detail::Automation;
using detail::Call;
using detail::Get;
using detail::Utf16;

// clang-format off
double Chart::WorldXMin() { return Get(impl_, "WorldXMin", &Automation::get_WorldXMin); }
double Chart::WorldXMax() { return Get(impl_, "WorldXMax", &Automation::get_WorldXMax); }
double Chart::WorldYMin() { return Get(impl_, "WorldYMin", &Automation::get_WorldYMin); }
double Chart::WorldYMax() { return Get(impl_, "WorldYMax", &Automation::get_WorldYMax); }
std::int32_t Chart::PlotAreaLeft() { return Get(impl_, "PlotAreaLeft", &Automation::get_PlotAreaLeft); }
std::int32_t Chart::PlotAreaTop() { return Get(impl_, "PlotAreaTop", &Automation::get_PlotAreaTop); }
std::int32_t Chart::PlotAreaRight() { return Get(impl_, "PlotAreaRight", &Automation::get_PlotAreaRight); }
std::int32_t Chart::PlotAreaBottom() { return Get(impl_, "PlotAreaBottom", &Automation::get_PlotAreaBottom); }
double Chart::WorldToPixelX(double x) { return Get(impl_, "WorldToPixelX", &Automation::WorldToPixelX, x); }
double Chart::WorldToPixelY(double y) { return Get(impl_, "WorldToPixelY", &Automation::WorldToPixelY, y); }
double Chart::PixelToWorldX(double px) { return Get(impl_, "PixelToWorldX", &Automation::PixelToWorldX, px); }
double Chart::PixelToWorldY(double py) { return Get(impl_, "PixelToWorldY", &Automation::PixelToWorldY, py); }
double Chart::PointX(std::int32_t plot, std::int32_t index) const { return Get(impl_, "PointX", &Automation::get_PointX, plot, index); }
double Chart::PointY(std::int32_t plot, std::int32_t index) const { return Get(impl_, "PointY", &Automation::get_PointY, plot, index); }
Hit Chart::HitTest(double x, double y, double radius) { return Get(impl_, "HitTest", &Automation::HitTest, x, y, radius); }
std::int32_t Chart::PlotCapacity(std::int32_t plot) const { return Get(impl_, "PlotCapacity", &Automation::get_PlotCapacity, plot); }
void Chart::set_PlotCapacity(std::int32_t plot, std::int32_t capacity) { Call(impl_, "PlotCapacity", &Automation::put_PlotCapacity, plot, capacity); }
void Chart::SaveToSvg(const std::string& fileName) { Call(impl_, "SaveToSvg", &Automation::SaveToSvg, Utf16(fileName)); }
std::string Chart::ToSvg() { return Get(impl_, "ToSvg", &Automation::GetSvg); }
// clang-format on

}  // namespace corvane
