#include "platform/svg/svg_font_size.h"

#include <algorithm>

namespace corvane {
namespace {

constexpr std::int64_t kUnitsPerEm = 2048;
constexpr std::int64_t kWinAscent = 1854;
constexpr std::int64_t kWinDescent = 434;
constexpr std::int32_t kMaxPixels = 2000;

std::int64_t MulDivRound(std::int64_t a, std::int64_t b, std::int64_t c) {
  const std::int64_t n = a * b;
  return (n >= 0 ? n + c / 2 : n - c / 2) / c;
}

}  // namespace

SvgFontSize SvgFontSizeFor(const FontRequest& request) {
  std::int64_t height = request.height == 0 ? 16 : request.height;
  std::int64_t ppem;
  if (height < 0) {
    ppem = std::min<std::int64_t>(-height, kMaxPixels);
  } else {
    height = std::min<std::int64_t>(height, kMaxPixels);
    const std::int64_t units = kWinAscent + kWinDescent;
    ppem = MulDivRound(kUnitsPerEm, height, units);
    // The next smaller size when rounding would make the cell taller than asked.
    if (ppem > 1 && MulDivRound(units, ppem, kUnitsPerEm) > height) --ppem;
    ppem = std::clamp<std::int64_t>(ppem, 1, kMaxPixels);
  }
  const std::int64_t emScale = MulDivRound(ppem, 1 << 16, kUnitsPerEm);
  const std::int64_t ascent = (kWinAscent * emScale + 0x8000) >> 16;
  return SvgFontSize{static_cast<std::int32_t>(ppem), static_cast<std::int32_t>(ascent),
                     request.weight > 550};
}

}  // namespace corvane
