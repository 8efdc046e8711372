// How antialiased glyph coverage becomes pixels, as GDI blends gray glyphs into a
// 32-bpp surface: coverage is cut into 17 levels, and a level moves each channel from the
// background towards the text colour along a perceptual ramp.
#pragma once
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

// Levels run 0..kInkLevels; kInkLevels is solid text colour, 1 and 0 leave the pixel alone.
constexpr unsigned kInkLevels = 16;

// 0..255 coverage of the smooth rasteriser -> level, in bins of 15 starting at 1.
inline std::uint8_t InkLevelFromCoverage(unsigned coverage) {
  return static_cast<std::uint8_t>(coverage == 0 ? 0 : (coverage - 1) / 15);
}

class InkBlender {
 public:
  explicit InkBlender(Color text) : text_(text) {}

  Color Blend(Color dst, unsigned level) const {
    if (level <= 1) return dst;
    if (level >= kInkLevels) return text_;
    return MakeColor(Channel(RedOf(dst), RedOf(text_), level),
                     Channel(GreenOf(dst), GreenOf(text_), level),
                     Channel(BlueOf(dst), BlueOf(text_), level));
  }

 private:
  // White text at each level over black; read backwards it is black text over white.
  static constexpr int kRamp[kInkLevels + 1] = {0,   77,  104, 124, 140, 154, 167, 178, 189,
                                                199, 208, 217, 225, 233, 240, 248, 255};

  // The channel ends between the text value and what the level gives over full white
  // (when the background is lighter) or over full black (when it is darker).
  static int Channel(int dst, int text, unsigned level) {
    if (dst == text) return dst;
    if (dst > text) {
      const int white_end = kRamp[kInkLevels - level] + (255 - kRamp[kInkLevels - level]) * text / 255;
      return text + (dst - text) * (white_end - text) / (255 - text);
    }
    const int black_end = kRamp[level] * text / 255;
    return text - (text - dst) * (text - black_end) / text;
  }

  Color text_;
};

}  // namespace corvane
