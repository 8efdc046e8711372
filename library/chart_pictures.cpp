// The members of ICorvaneEx2 on corvane::Chart, and the PNG in memory.
#include <utility>

#include "control/png_encode.h"
#include "corvane/chart.h"
#include "library/chart_forwarding.h"

namespace corvane {

using detail::Automation;
using detail::Call;
using detail::Get;
using detail::Utf16;

// clang-format off
void Chart::AddPointsToPlot(std::int32_t plot, const double* x, const double* y, std::size_t count) { Call(impl_, "AddPointsToPlot", &Automation::AddPointsToPlot, plot, x, y, count); }
void Chart::AddPointsToPlot2(std::int32_t plot, const double* y, std::size_t count) { Call(impl_, "AddPointsToPlot2", &Automation::AddPointsToPlot2, plot, y, count); }
std::int32_t Chart::PointCount(std::int32_t plot) const { return Get(impl_, "PointCount", &Automation::get_PointCount, plot); }
void Chart::SaveToPng(const std::string& fileName) { Call(impl_, "SaveToPng", &Automation::SaveToPng, Utf16(fileName)); }
Dib Chart::Picture() { return Get(impl_, "Picture", &Automation::get_Picture); }
void Chart::DrawTo(void* pixels, std::int32_t bufferWidth, std::int32_t bufferHeight, std::ptrdiff_t strideBytes, std::int32_t x, std::int32_t y) { Call(impl_, "DrawTo", &Automation::DrawTo, pixels, bufferWidth, bufferHeight, strideBytes, x, y); }
// clang-format on

std::vector<std::uint8_t> Chart::ToPng() {
  const Dib picture = Picture();
  std::vector<std::uint8_t> png;
  detail::Check(EncodePng(DibRows{picture.width, picture.height, picture.bits.data()}, &png),
                "ToPng");
  return png;
}

}  // namespace corvane
