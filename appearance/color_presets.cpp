#include "appearance/color_presets.h"

namespace corvane {

CColorPresetTable::CColorPresetTable() {
  for (int i = 0; i < kCount; ++i) {
    gridColors[i] = 0xA0A0A0;
    textColors[i] = 0;
    backColors[i] = 0xFFFFFF;
    gradientEndColors[i] = 0xA0A0A0;
    isTexture[i] = 0;
    isGradient[i] = 0;
    textureDarkensFlags[i] = 1;
    names[i] = "Standart";
    candleOutline[i] = 1;
    candleFallColors[i] = 0x0000FF;
    candleRiseColors[i] = 0x00FF00;
    candleWickColors[i] = 0xFF0000;
  }
}

}  // namespace corvane
