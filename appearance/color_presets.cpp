#include "appearance/color_presets.h"

namespace corvane {

namespace {

enum class Fill { kSolid, kGradient, kTexture };

struct PresetRow {
  const char* name;
  Color grid;
  Color text;
  Fill fill;
  Color back;
  Color gradientEnd;  // gradient presets only
  std::int32_t darkens;  // texture presets only: 1 darker noise, 0 lighter
  Color candleFall;
  Color candleRise;
  Color candleWick;
};

constexpr PresetRow kRows[CColorPresetTable::kCount] = {
    {"Standart", 0xA0A0A0, 0x000000, Fill::kSolid, 0xFCFCFC, 0, 0, 0x0000F0, 0x008C00, 0x000000},
    {"Standart gradient", 0x505050, 0x000000, Fill::kGradient, 0xFFFFFF, 0xA0A0A0, 0, 0x0000F0,
     0x008C00, 0x000000},
    {"Matrix", 0x007800, 0x8CDC8C, Fill::kSolid, 0x003200, 0, 0, 0x00FA00, 0x000000, 0x00FF00},
    {"Blue texture", 0x280000, 0x500000, Fill::kTexture, 0xFFF0F0, 0, 1, 0x780000, 0xFFFFFF,
     0x000000},
    {"Standart texture", 0xA0A0A0, 0x000000, Fill::kTexture, 0xFCFCFC, 0, 1, 0x0000F0, 0x008C00,
     0x000000},
    {"Beige texture", 0x60707C, 0x30383E, Fill::kTexture, 0xC1E1F8, 0, 0, 0x0A8C28, 0x104191,
     0x000000},
    {"Blue gradient", 0xFADCDC, 0xFFDCDC, Fill::kGradient, 0xFF3C3C, 0x780A0A, 0, 0xFFC8C8,
     0xF000F0, 0xFFC8C8},
    {"Sea wave gradient", 0xFAFAAA, 0xFFFFBE, Fill::kGradient, 0xA0A03C, 0x50501E, 0, 0xAABEAA,
     0xC828C8, 0xFFFFFF},
    {"Sea wave texture", 0xFAFAAA, 0xFFFFBE, Fill::kTexture, 0x50501E, 0, 0, 0xAABEAA, 0xC828C8,
     0xFFFFFF},
    {"Dark sky gradient", 0xFAF0E6, 0xFAF0E6, Fill::kGradient, 0x8C641E, 0x3E2D0F, 0, 0xB4A0A0,
     0xFA00C8, 0xFFFFFF},
    {"Red texture", 0xC8C8FA, 0xC8C8FA, Fill::kTexture, 0x141464, 0, 0, 0xB4B4DC, 0xC814F0,
     0xF0F0FF},
    {"Red gradient", 0xC8C8FA, 0xC8C8FA, Fill::kGradient, 0x1E1E96, 0x0A0A32, 0, 0xB4B4DC,
     0xC814F0, 0xF0F0FF},
    {"Red", 0xC8C8FA, 0xC8C8FA, Fill::kSolid, 0x141450, 0, 0, 0xB4B4DC, 0xC814F0, 0xF0F0FF},
    {"Olive-green gradient", 0xC8FAE6, 0xC8FAE6, Fill::kGradient, 0x1E8C64, 0x0F4632, 0,
     0x3CFFC8, 0xC8FAFA, 0x64FFDC},
    {"Olive-green", 0xC8FAE6, 0xC8FAE6, Fill::kSolid, 0x18694B, 0, 0, 0x3CFFC8, 0xC8FAFA,
     0x64FFDC},
    {"Olive-green texture", 0xC8FAE6, 0xC8FAE6, Fill::kTexture, 0x18694B, 0, 0, 0x3CFFC8,
     0xC8FAFA, 0x64FFDC},
    {"Dark blue", 0xFFE6E6, 0xFFE6E6, Fill::kSolid, 0x500A0A, 0, 0, 0x00FFFF, 0x780000, 0x00FFFF},
    {"Gold gradient", 0xD2FFFF, 0xE6FFFF, Fill::kGradient, 0x14C8C8, 0x0A5050, 0, 0x00DC78,
     0x414191, 0xFFFFFF},
    {"High contrast 1", 0x000000, 0x000000, Fill::kSolid, 0xFFFFFF, 0, 0, 0x0000F0, 0x00F000,
     0x000000},
    {"High contrast 2", 0xFFFFFF, 0xFFFFFF, Fill::kSolid, 0x000000, 0, 0, 0x0000F0, 0x009600,
     0xFFFFFF},
    {"Dark sky texture", 0xFAF0E6, 0xFAF0E6, Fill::kTexture, 0x644616, 0, 0, 0xB4A0A0, 0xFA00C8,
     0xFFFFFF},
};

}  // namespace

CColorPresetTable::CColorPresetTable() {
  for (int i = 0; i < kCount; ++i) {
    const PresetRow& r = kRows[i];
    gridColors[i] = r.grid;
    textColors[i] = r.text;
    backColors[i] = r.back;
    gradientEndColors[i] = r.gradientEnd;
    isTexture[i] = r.fill == Fill::kTexture ? 1 : 0;
    isGradient[i] = r.fill == Fill::kGradient ? 1 : 0;
    textureDarkensFlags[i] = r.darkens;
    names[i] = r.name;
    candleOutline[i] = 1;
    candleFallColors[i] = r.candleFall;
    candleRiseColors[i] = r.candleRise;
    candleWickColors[i] = r.candleWick;
  }
}

}  // namespace corvane
