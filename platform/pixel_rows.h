// Row conversions between the raster's 32-bit pixels (B, G, R, x) and 24-bit DIB rows
// (B, G, R), the two copies every exported or painted picture makes. Four pixels are moved
// per step as three 32-bit words, so the copy runs at memory speed instead of a byte at a
// time; on a big-endian machine the plain byte loop is used. Neither reads or writes a
// byte outside the n pixels named.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace corvane {

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
constexpr bool kPixelRowsPacked = true;
#else
constexpr bool kPixelRowsPacked = false;
#endif

// 32-bit source pixels to 24-bit destination pixels; the fourth byte is dropped.
inline void CopyRow32To24(const std::uint8_t* s, std::uint8_t* d, std::size_t n) {
  std::size_t i = 0;
  if (kPixelRowsPacked) {
    for (; i + 4 <= n; i += 4, s += 16, d += 12) {
      // Scalars, not arrays: a word built on the stack and copied out stalls on store
      // forwarding and is slower than the byte loop.
      std::uint64_t a, b;
      std::memcpy(&a, s, 8);
      std::memcpy(&b, s + 8, 8);
      const std::uint64_t lo = (a & 0xFFFFFFu) | ((a >> 8) & 0xFFFFFF000000u) | (b << 48);
      const std::uint32_t hi = static_cast<std::uint32_t>(((b >> 16) & 0xFFu) | ((b >> 24) & 0xFFFFFF00u));
      std::memcpy(d, &lo, 8);
      std::memcpy(d + 8, &hi, 4);
    }
  }
  for (; i < n; ++i, s += 4, d += 3) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
  }
}

// 24-bit source pixels to 32-bit destination pixels with the fourth byte 0xFF.
inline void CopyRow24To32Opaque(const std::uint8_t* s, std::uint8_t* d, std::size_t n) {
  std::size_t i = 0;
  if (kPixelRowsPacked) {
    for (; i + 4 <= n; i += 4, s += 12, d += 16) {
      std::uint64_t lo;
      std::uint32_t hi;
      std::memcpy(&lo, s, 8);
      std::memcpy(&hi, s + 8, 4);
      const std::uint64_t a = (lo & 0xFFFFFFu) | ((lo << 8) & 0xFFFFFF00000000u) | 0xFF000000FF000000u;
      const std::uint64_t b = ((lo >> 48) & 0xFFFFu) | ((std::uint64_t{hi} & 0xFFu) << 16) |
                              ((std::uint64_t{hi} << 24) & 0xFFFFFF00000000u) | 0xFF000000FF000000u;
      std::memcpy(d, &a, 8);
      std::memcpy(d + 8, &b, 8);
    }
  }
  for (; i < n; ++i, s += 3, d += 4) {
    d[0] = s[0];
    d[1] = s[1];
    d[2] = s[2];
    d[3] = 0xFF;
  }
}

}  // namespace corvane
