#include "control/automation.h"

namespace corvane {

CorvaneAutomation::CorvaneAutomation(GraphicsSystem& graphics) : graphics_(graphics) {}
CorvaneAutomation::~CorvaneAutomation() = default;

HResult CorvaneAutomation::get_hWnd(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_hWnd(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::SetSize(std::int32_t, std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_Width(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::get_Height(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::Dispose() { return kS_OK; }
HResult CorvaneAutomation::ScrollLeft() { return kS_OK; }
HResult CorvaneAutomation::ScrollRight() { return kS_OK; }
HResult CorvaneAutomation::get_caption(std::u16string*) { return kS_OK; }
HResult CorvaneAutomation::put_caption(const char16_t*, std::uint32_t) { return kS_OK; }
HResult CorvaneAutomation::SetSegment(double, double) { return kS_OK; }
HResult CorvaneAutomation::get_captionVisible(VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::put_captionVisible(VariantBool) { return kS_OK; }
HResult CorvaneAutomation::get_arrowR(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_arrowR(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_arrowH(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_arrowH(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_arrowLineWidth(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_arrowLineWidth(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_arrowVisible(VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::put_arrowVisible(VariantBool) { return kS_OK; }
HResult CorvaneAutomation::get_arrowCaptionX(std::u16string*) { return kS_OK; }
HResult CorvaneAutomation::put_arrowCaptionX(const char16_t*, std::uint32_t) { return kS_OK; }
HResult CorvaneAutomation::get_arrowCaptionY(std::u16string*) { return kS_OK; }
HResult CorvaneAutomation::put_arrowCaptionY(const char16_t*, std::uint32_t) { return kS_OK; }
HResult CorvaneAutomation::SetPlotVisible(std::int32_t, VariantBool) { return kS_OK; }
HResult CorvaneAutomation::GetPlotVisible(std::int32_t, VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::SetSimplePlot(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::SetLinearApproximate(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::SetSquareApproximate(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::AddPointToPlot(std::int32_t, double, double) { return kS_OK; }
HResult CorvaneAutomation::DisposePlot(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::SetPlotColor(std::int32_t, Color) { return kS_OK; }
HResult CorvaneAutomation::GetPlotColor(std::int32_t, Color*) { return kS_OK; }
HResult CorvaneAutomation::SetPointVisible(std::int32_t, VariantBool) { return kS_OK; }
HResult CorvaneAutomation::GetPointVisible(std::int32_t, VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::SetPlotWidth(std::int32_t, std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::GetPlotWidth(std::int32_t, std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::AddPointToPlot2(std::int32_t, double) { return kS_OK; }
HResult CorvaneAutomation::SetPointColor(std::int32_t, Color) { return kS_OK; }
HResult CorvaneAutomation::GetPointColor(std::int32_t, Color*) { return kS_OK; }
HResult CorvaneAutomation::get_plotsCount(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_plotsCount(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::GetA(std::int32_t, double*) { return kS_OK; }
HResult CorvaneAutomation::GetB(std::int32_t, double*) { return kS_OK; }
HResult CorvaneAutomation::GetC(std::int32_t, double*) { return kS_OK; }
HResult CorvaneAutomation::AddLabelToGrid(const char16_t*, std::uint32_t) { return kS_OK; }
HResult CorvaneAutomation::SetDefaultGrid() { return kS_OK; }
HResult CorvaneAutomation::SetUserTypeGrid() { return kS_OK; }
HResult CorvaneAutomation::get_isDefaultGrid(VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::get_isUserTypeGrid(VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::get_gridVisible(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_gridVisible(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_gridVerticalLines(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_gridVerticalLines(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_gridHorizontalLines(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_gridHorizontalLines(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_gridDigitsAfterPoint(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_gridDigitsAfterPoint(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_polygonsCount(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_polygonsCount(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::AddPointToPolygon(std::int32_t, double, double) { return kS_OK; }
HResult CorvaneAutomation::SetPolygonProperties(std::int32_t, Color, double) { return kS_OK; }
HResult CorvaneAutomation::SetPolygonProperties2(std::int32_t, Color, double, std::int32_t, std::int32_t, Color) { return kS_OK; }
HResult CorvaneAutomation::SetPolygonVisible(std::int32_t, VariantBool) { return kS_OK; }
HResult CorvaneAutomation::GetPolygonVisible(std::int32_t, VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::AddMark(double, double) { return kS_OK; }
HResult CorvaneAutomation::AddMark2(double, double, const char16_t*, std::uint32_t) { return kS_OK; }
HResult CorvaneAutomation::RemoveAllMarks() { return kS_OK; }
HResult CorvaneAutomation::SetMarkVisible(std::int32_t, VariantBool) { return kS_OK; }
HResult CorvaneAutomation::GetMarkVisible(std::int32_t, VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::AddRectangle(double, double, double, double, Color, double) { return kS_OK; }
HResult CorvaneAutomation::AddRectangle2(double, double, double, double, Color, double, std::int32_t, std::int32_t, Color) { return kS_OK; }
HResult CorvaneAutomation::RemoveAllRectangles() { return kS_OK; }
HResult CorvaneAutomation::SetRectVisible(std::int32_t, VariantBool) { return kS_OK; }
HResult CorvaneAutomation::GetRectVisible(std::int32_t, VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::AddLine(double, double, double, double, std::int32_t, std::int32_t, Color) { return kS_OK; }
HResult CorvaneAutomation::RemoveAllLines() { return kS_OK; }
HResult CorvaneAutomation::SetLineVisible(std::int32_t, VariantBool) { return kS_OK; }
HResult CorvaneAutomation::GetLineVisible(std::int32_t, VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::AddCandleStick(double, double, double, double, double) { return kS_OK; }
HResult CorvaneAutomation::RemoveAllCandleSticks() { return kS_OK; }
HResult CorvaneAutomation::get_candlesticsVisible(VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::put_candlesticsVisible(VariantBool) { return kS_OK; }
HResult CorvaneAutomation::get_preset(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_preset(std::int32_t) { return kS_OK; }
HResult CorvaneAutomation::get_presetName(std::u16string*) { return kS_OK; }
HResult CorvaneAutomation::get_presetCount(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::AddLabelToLegend(Color, const char16_t*, std::uint32_t) { return kS_OK; }
HResult CorvaneAutomation::get_legendVisible(VariantBool*) { return kS_OK; }
HResult CorvaneAutomation::put_legendVisible(VariantBool) { return kS_OK; }
HResult CorvaneAutomation::get_legendPosition(std::int32_t*) { return kS_OK; }
HResult CorvaneAutomation::put_legendPosition(std::int32_t) { return kS_OK; }

}  // namespace corvane
