// Strict UTF-8 decoding shared by the portable string conversions and the raster text.
// Overlong forms, surrogates and values above U+10FFFF are invalid; each maximal invalid
// subsequence becomes one U+FFFD, and nothing past `len` is ever read.
#pragma once
#include <cstddef>

namespace corvane {

// Decodes the code point at text[*pos] (requires *pos < len) and advances *pos past it.
inline char32_t DecodeUtf8(const char* text, std::size_t len, std::size_t* pos) {
  constexpr char32_t kReplacement = 0xFFFD;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  std::size_t i = *pos;
  unsigned char b0 = byte(i);
  if (b0 < 0x80) {
    *pos = i + 1;
    return b0;
  }
  int extra;
  char32_t cp;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    extra = 1;
    cp = b0 & 0x1F;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    extra = 2;
    cp = b0 & 0x0F;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    extra = 3;
    cp = b0 & 0x07;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    *pos = i + 1;
    return kReplacement;
  }
  ++i;
  for (int k = 0; k < extra; ++k, ++i) {
    if (i >= len) {
      *pos = i;
      return kReplacement;
    }
    unsigned char b = byte(i);
    unsigned char min = k == 0 ? lo : 0x80;
    unsigned char max = k == 0 ? hi : 0xBF;
    if (b < min || b > max) {
      *pos = i;  // the offending byte starts the next sequence
      return kReplacement;
    }
    cp = (cp << 6) | (b & 0x3F);
  }
  *pos = i;
  return cp;
}

}  // namespace corvane
