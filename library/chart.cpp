// The members of ICorvaneEx on corvane::Chart, each forwarded to the automation layer.
#include "corvane/chart.h"

#include <utility>

#include "library/chart_forwarding.h"

namespace corvane {

using detail::Automation;
using detail::Call;
using detail::Get;
using detail::Utf16;

Chart::Chart() : impl_(std::make_unique<detail::ChartImpl>()) {}
Chart::Chart(std::int32_t width, std::int32_t height) : Chart() { SetSize(width, height); }
Chart::~Chart() = default;
Chart::Chart(Chart&& other) noexcept = default;
Chart& Chart::operator=(Chart&& other) noexcept = default;

// clang-format off
void Chart::SaveToFile(const std::string& fileName) { Call(impl_, "SaveToFile", &Automation::SaveToFile, Utf16(fileName)); }
std::int32_t Chart::hWnd() const { return Get(impl_, "hWnd", &Automation::get_hWnd); }
void Chart::set_hWnd(std::int32_t hwnd) { Call(impl_, "hWnd", &Automation::put_hWnd, hwnd); }
void Chart::SetSize(std::int32_t width, std::int32_t height) { Call(impl_, "SetSize", &Automation::SetSize, width, height); }
std::int32_t Chart::Width() const { return Get(impl_, "Width", &Automation::get_Width); }
std::int32_t Chart::Height() const { return Get(impl_, "Height", &Automation::get_Height); }
void Chart::Show() { Call(impl_, "Show", &Automation::Show); }
void Chart::Dispose() { Call(impl_, "Dispose", &Automation::Dispose); }
void Chart::ScrollLeft() { Call(impl_, "ScrollLeft", &Automation::ScrollLeft); }
void Chart::ScrollRight() { Call(impl_, "ScrollRight", &Automation::ScrollRight); }
void Chart::SetSegment(double a, double b) { Call(impl_, "SetSegment", &Automation::SetSegment, a, b); }

std::string Chart::caption() const { return Get(impl_, "caption", &Automation::get_caption); }
void Chart::set_caption(const std::string& text) { Call(impl_, "caption", &Automation::put_caption, Utf16(text)); }
bool Chart::captionVisible() const { return Get(impl_, "captionVisible", &Automation::get_captionVisible); }
void Chart::set_captionVisible(bool visible) { Call(impl_, "captionVisible", &Automation::put_captionVisible, visible); }
std::int32_t Chart::arrowR() const { return Get(impl_, "arrowR", &Automation::get_arrowR); }
void Chart::set_arrowR(std::int32_t r) { Call(impl_, "arrowR", &Automation::put_arrowR, r); }
std::int32_t Chart::arrowH() const { return Get(impl_, "arrowH", &Automation::get_arrowH); }
void Chart::set_arrowH(std::int32_t h) { Call(impl_, "arrowH", &Automation::put_arrowH, h); }
std::int32_t Chart::arrowLineWidth() const { return Get(impl_, "arrowLineWidth", &Automation::get_arrowLineWidth); }
void Chart::set_arrowLineWidth(std::int32_t width) { Call(impl_, "arrowLineWidth", &Automation::put_arrowLineWidth, width); }
bool Chart::arrowVisible() const { return Get(impl_, "arrowVisible", &Automation::get_arrowVisible); }
void Chart::set_arrowVisible(bool visible) { Call(impl_, "arrowVisible", &Automation::put_arrowVisible, visible); }
std::string Chart::arrowCaptionX() const { return Get(impl_, "arrowCaptionX", &Automation::get_arrowCaptionX); }
void Chart::set_arrowCaptionX(const std::string& text) { Call(impl_, "arrowCaptionX", &Automation::put_arrowCaptionX, Utf16(text)); }
std::string Chart::arrowCaptionY() const { return Get(impl_, "arrowCaptionY", &Automation::get_arrowCaptionY); }
void Chart::set_arrowCaptionY(const std::string& text) { Call(impl_, "arrowCaptionY", &Automation::put_arrowCaptionY, Utf16(text)); }

void Chart::SetPlotVisible(std::int32_t index, bool visible) { Call(impl_, "SetPlotVisible", &Automation::SetPlotVisible, index, visible); }
bool Chart::GetPlotVisible(std::int32_t index) const { return Get(impl_, "GetPlotVisible", &Automation::GetPlotVisible, index); }
void Chart::SetSimplePlot(std::int32_t index) { Call(impl_, "SetSimplePlot", &Automation::SetSimplePlot, index); }
void Chart::SetLinearApproximate(std::int32_t index) { Call(impl_, "SetLinearApproximate", &Automation::SetLinearApproximate, index); }
void Chart::SetSquareApproximate(std::int32_t index) { Call(impl_, "SetSquareApproximate", &Automation::SetSquareApproximate, index); }
void Chart::AddPointToPlot(std::int32_t index, double x, double y) { Call(impl_, "AddPointToPlot", &Automation::AddPointToPlot, index, x, y); }
void Chart::DisposePlot(std::int32_t index) { Call(impl_, "DisposePlot", &Automation::DisposePlot, index); }
void Chart::SetPlotColor(std::int32_t index, Color color) { Call(impl_, "SetPlotColor", &Automation::SetPlotColor, index, color); }
Color Chart::GetPlotColor(std::int32_t index) const { return Get(impl_, "GetPlotColor", &Automation::GetPlotColor, index); }
void Chart::SetPointVisible(std::int32_t index, bool visible) { Call(impl_, "SetPointVisible", &Automation::SetPointVisible, index, visible); }
bool Chart::GetPointVisible(std::int32_t index) const { return Get(impl_, "GetPointVisible", &Automation::GetPointVisible, index); }
void Chart::SetPlotWidth(std::int32_t index, std::int32_t width) { Call(impl_, "SetPlotWidth", &Automation::SetPlotWidth, index, width); }
std::int32_t Chart::GetPlotWidth(std::int32_t index) const { return Get(impl_, "GetPlotWidth", &Automation::GetPlotWidth, index); }
void Chart::AddPointToPlot2(std::int32_t index, double y) { Call(impl_, "AddPointToPlot2", &Automation::AddPointToPlot2, index, y); }
void Chart::SetPointColor(std::int32_t index, Color color) { Call(impl_, "SetPointColor", &Automation::SetPointColor, index, color); }
Color Chart::GetPointColor(std::int32_t index) const { return Get(impl_, "GetPointColor", &Automation::GetPointColor, index); }
std::int32_t Chart::plotsCount() const { return Get(impl_, "plotsCount", &Automation::get_plotsCount); }
void Chart::set_plotsCount(std::int32_t count) { Call(impl_, "plotsCount", &Automation::put_plotsCount, count); }
double Chart::GetA(std::int32_t index) const { return Get(impl_, "GetA", &Automation::GetA, index); }
double Chart::GetB(std::int32_t index) const { return Get(impl_, "GetB", &Automation::GetB, index); }
double Chart::GetC(std::int32_t index) const { return Get(impl_, "GetC", &Automation::GetC, index); }

void Chart::AddLabelToGrid(const std::string& label) { Call(impl_, "AddLabelToGrid", &Automation::AddLabelToGrid, Utf16(label)); }
void Chart::SetDefaultGrid() { Call(impl_, "SetDefaultGrid", &Automation::SetDefaultGrid); }
void Chart::SetUserTypeGrid() { Call(impl_, "SetUserTypeGrid", &Automation::SetUserTypeGrid); }
bool Chart::isDefaultGrid() const { return Get(impl_, "isDefaultGrid", &Automation::get_isDefaultGrid); }
bool Chart::isUserTypeGrid() const { return Get(impl_, "isUserTypeGrid", &Automation::get_isUserTypeGrid); }
std::int32_t Chart::gridVisible() const { return Get(impl_, "gridVisible", &Automation::get_gridVisible); }
void Chart::set_gridVisible(std::int32_t visible) { Call(impl_, "gridVisible", &Automation::put_gridVisible, visible); }
std::int32_t Chart::gridVerticalLines() const { return Get(impl_, "gridVerticalLines", &Automation::get_gridVerticalLines); }
void Chart::set_gridVerticalLines(std::int32_t count) { Call(impl_, "gridVerticalLines", &Automation::put_gridVerticalLines, count); }
std::int32_t Chart::gridHorizontalLines() const { return Get(impl_, "gridHorizontalLines", &Automation::get_gridHorizontalLines); }
void Chart::set_gridHorizontalLines(std::int32_t count) { Call(impl_, "gridHorizontalLines", &Automation::put_gridHorizontalLines, count); }
std::int32_t Chart::gridDigitsAfterPoint() const { return Get(impl_, "gridDigitsAfterPoint", &Automation::get_gridDigitsAfterPoint); }
void Chart::set_gridDigitsAfterPoint(std::int32_t digits) { Call(impl_, "gridDigitsAfterPoint", &Automation::put_gridDigitsAfterPoint, digits); }

std::int32_t Chart::polygonsCount() const { return Get(impl_, "polygonsCount", &Automation::get_polygonsCount); }
void Chart::set_polygonsCount(std::int32_t count) { Call(impl_, "polygonsCount", &Automation::put_polygonsCount, count); }
void Chart::AddPointToPolygon(std::int32_t index, double x, double y) { Call(impl_, "AddPointToPolygon", &Automation::AddPointToPolygon, index, x, y); }
void Chart::SetPolygonProperties(std::int32_t index, Color color, double transparency) { Call(impl_, "SetPolygonProperties", &Automation::SetPolygonProperties, index, color, transparency); }
void Chart::SetPolygonProperties2(std::int32_t index, Color color, double transparency, std::int32_t borderWidth, std::int32_t borderStyle, Color borderColor) { Call(impl_, "SetPolygonProperties2", &Automation::SetPolygonProperties2, index, color, transparency, borderWidth, borderStyle, borderColor); }
void Chart::SetPolygonVisible(std::int32_t index, bool visible) { Call(impl_, "SetPolygonVisible", &Automation::SetPolygonVisible, index, visible); }
bool Chart::GetPolygonVisible(std::int32_t index) const { return Get(impl_, "GetPolygonVisible", &Automation::GetPolygonVisible, index); }
void Chart::AddMark(double x, double y) { Call(impl_, "AddMark", &Automation::AddMark, x, y); }
void Chart::AddMark2(double x, double y, const std::string& label) { Call(impl_, "AddMark2", &Automation::AddMark2, x, y, Utf16(label)); }
void Chart::RemoveAllMarks() { Call(impl_, "RemoveAllMarks", &Automation::RemoveAllMarks); }
void Chart::SetMarkVisible(std::int32_t index, bool visible) { Call(impl_, "SetMarkVisible", &Automation::SetMarkVisible, index, visible); }
bool Chart::GetMarkVisible(std::int32_t index) const { return Get(impl_, "GetMarkVisible", &Automation::GetMarkVisible, index); }
void Chart::AddRectangle(double l, double t, double r, double b, Color bkColor, double transparency) { Call(impl_, "AddRectangle", &Automation::AddRectangle, l, t, r, b, bkColor, transparency); }
void Chart::AddRectangle2(double l, double t, double r, double b, Color bkColor, double transparency, std::int32_t borderWidth, std::int32_t borderStyle, Color borderColor) { Call(impl_, "AddRectangle2", &Automation::AddRectangle2, l, t, r, b, bkColor, transparency, borderWidth, borderStyle, borderColor); }
void Chart::RemoveAllRectangles() { Call(impl_, "RemoveAllRectangles", &Automation::RemoveAllRectangles); }
void Chart::SetRectVisible(std::int32_t index, bool visible) { Call(impl_, "SetRectVisible", &Automation::SetRectVisible, index, visible); }
bool Chart::GetRectVisible(std::int32_t index) const { return Get(impl_, "GetRectVisible", &Automation::GetRectVisible, index); }
void Chart::AddLine(double x1, double y1, double x2, double y2, std::int32_t width, std::int32_t style, Color color) { Call(impl_, "AddLine", &Automation::AddLine, x1, y1, x2, y2, width, style, color); }
void Chart::RemoveAllLines() { Call(impl_, "RemoveAllLines", &Automation::RemoveAllLines); }
void Chart::SetLineVisible(std::int32_t index, bool visible) { Call(impl_, "SetLineVisible", &Automation::SetLineVisible, index, visible); }
bool Chart::GetLineVisible(std::int32_t index) const { return Get(impl_, "GetLineVisible", &Automation::GetLineVisible, index); }
void Chart::AddCandleStick(double x, double open, double close, double high, double low) { Call(impl_, "AddCandleStick", &Automation::AddCandleStick, x, open, close, high, low); }
void Chart::RemoveAllCandleSticks() { Call(impl_, "RemoveAllCandleSticks", &Automation::RemoveAllCandleSticks); }
bool Chart::candlesticsVisible() const { return Get(impl_, "candlesticsVisible", &Automation::get_candlesticsVisible); }
void Chart::set_candlesticsVisible(bool visible) { Call(impl_, "candlesticsVisible", &Automation::put_candlesticsVisible, visible); }

std::int32_t Chart::preset() const { return Get(impl_, "preset", &Automation::get_preset); }
void Chart::set_preset(std::int32_t preset) { Call(impl_, "preset", &Automation::put_preset, preset); }
std::string Chart::presetName() const { return Get(impl_, "presetName", &Automation::get_presetName); }
std::int32_t Chart::presetCount() const { return Get(impl_, "presetCount", &Automation::get_presetCount); }
void Chart::AddLabelToLegend(Color color, const std::string& label) { Call(impl_, "AddLabelToLegend", &Automation::AddLabelToLegend, color, Utf16(label)); }
bool Chart::legendVisible() const { return Get(impl_, "legendVisible", &Automation::get_legendVisible); }
void Chart::set_legendVisible(bool visible) { Call(impl_, "legendVisible", &Automation::put_legendVisible, visible); }
std::int32_t Chart::legendPosition() const { return Get(impl_, "legendPosition", &Automation::get_legendPosition); }
void Chart::set_legendPosition(std::int32_t position) { Call(impl_, "legendPosition", &Automation::put_legendPosition, position); }
// clang-format on

}  // namespace corvane
