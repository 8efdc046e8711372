// The members of ICorvaneEx3 on corvane::Chart: the layout read back, the mapping both ways,
// the stored points, what lies under a pixel, the plots' capacities and antialiasing.
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
std::int32_t Chart::XAxisType() const { return Get(impl_, "XAxisType", &Automation::get_XAxisType); }
void Chart::set_XAxisType(std::int32_t type) { Call(impl_, "XAxisType", &Automation::put_XAxisType, type); }
std::int32_t Chart::YAxisType() const { return Get(impl_, "YAxisType", &Automation::get_YAxisType); }
void Chart::set_YAxisType(std::int32_t type) { Call(impl_, "YAxisType", &Automation::put_YAxisType, type); }
std::string Chart::XLabelFormat() const { return Get(impl_, "XLabelFormat", &Automation::get_XLabelFormat); }
void Chart::set_XLabelFormat(const std::string& code) { Call(impl_, "XLabelFormat", &Automation::put_XLabelFormat, Utf16(code)); }
std::string Chart::YLabelFormat() const { return Get(impl_, "YLabelFormat", &Automation::get_YLabelFormat); }
void Chart::set_YLabelFormat(const std::string& code) { Call(impl_, "YLabelFormat", &Automation::put_YLabelFormat, Utf16(code)); }
void Chart::FitSegmentToData() { Call(impl_, "FitSegmentToData", &Automation::FitSegmentToData); }
std::int32_t Chart::TickCount(std::int32_t axis) { return Get(impl_, "TickCount", &Automation::get_TickCount, axis); }
double Chart::TickValue(std::int32_t axis, std::int32_t index) { return Get(impl_, "TickValue", &Automation::get_TickValue, axis, index); }
std::string Chart::TickLabel(std::int32_t axis, std::int32_t index) { return Get(impl_, "TickLabel", &Automation::get_TickLabel, axis, index); }
bool Chart::Antialias() const { return Get(impl_, "Antialias", &Automation::get_Antialias); }
void Chart::set_Antialias(bool on) { Call(impl_, "Antialias", &Automation::put_Antialias, on); }
void Chart::SaveToSvg(const std::string& fileName) { Call(impl_, "SaveToSvg", &Automation::SaveToSvg, Utf16(fileName)); }
std::string Chart::ToSvg() { return Get(impl_, "ToSvg", &Automation::GetSvg); }
double Chart::PixelScale() const { return Get(impl_, "PixelScale", &Automation::get_PixelScale); }
void Chart::set_PixelScale(double scale) { Call(impl_, "PixelScale", &Automation::put_PixelScale, scale); }
// clang-format on

}  // namespace corvane
