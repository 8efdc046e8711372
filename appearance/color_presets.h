// The 21 built-in colour schemes, held as columns, and the index of the chosen one.
#pragma once
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

class CColorPresetTable {
 public:
  static constexpr int kCount = 21;
  CColorPresetTable();

  Color gridColors[kCount];
  Color textColors[kCount];
  Color backColors[kCount];
  Color gradientEndColors[kCount];
  std::uint8_t isTexture[kCount];
  std::uint8_t isGradient[kCount];
  std::int32_t textureDarkensFlags[kCount];
  const char* names[kCount];
  std::uint8_t candleOutline[kCount];
  Color candleFallColors[kCount];
  Color candleRiseColors[kCount];
  Color candleWickColors[kCount];
  std::int32_t current = 0;
};

}  // namespace corvane
