// The largest bitmaps either build makes. Both backends refuse the same sizes, so a script
// asking for an absurd picture gets the same answer everywhere (no picture, E_OUTOFMEMORY
// from SaveToFile) instead of Wine or Windows committing most of a gigabyte and painting it
// for seconds, and the allocator is never asked to promise memory it cannot give.
#pragma once
#include <cstddef>
#include <cstdint>

namespace corvane {

constexpr std::int32_t kMaxBitmapSide = 32767;
constexpr std::size_t kMaxBitmapBytes = std::size_t{256} << 20;

// Bytes per row at 24 bits (rows padded to 4 bytes) or 32 bits per pixel; w must be > 0.
inline std::size_t BitmapStride(std::int32_t w, int bitsPerPixel) {
  return bitsPerPixel == 24 ? (static_cast<std::size_t>(w) * 3 + 3) / 4 * 4
                            : static_cast<std::size_t>(w) * 4;
}

// Whether a bitmap of this size and depth (24 or 32) is made at all.
inline bool BitmapSizeAllowed(std::int32_t w, std::int32_t h, int bitsPerPixel) {
  if (w <= 0 || h <= 0 || w > kMaxBitmapSide || h > kMaxBitmapSide) return false;
  return BitmapStride(w, bitsPerPixel) * static_cast<std::size_t>(h) <= kMaxBitmapBytes;
}

}  // namespace corvane
