// Pixel storage of the raster layer: 32-bpp top-down surfaces (GDI's compatible bitmaps,
// 0x00RRGGBB per pixel in memory) and 24-bpp bottom-up DIB sections (B, G, R bytes, rows
// padded to 4 bytes). Colours cross this interface as COLORREF values (0x00BBGGRR).
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/bitmap_limits.h"
#include "platform/geometry.h"

namespace corvane {

class RasterBitmap {
 public:
  // nullptr when the size is refused or memory is short. Pixels start black (zero).
  static std::unique_ptr<RasterBitmap> Create32(std::int32_t w, std::int32_t h);
  static std::unique_ptr<RasterBitmap> CreateDib24(std::int32_t w, std::int32_t h);
  // Whether a bitmap of this size and depth would be accepted.
  static bool SizeAllowed(std::int32_t w, std::int32_t h, int bits_per_pixel);

  RasterBitmap(const RasterBitmap&) = delete;
  RasterBitmap& operator=(const RasterBitmap&) = delete;

  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  int bits_per_pixel() const { return bpp_; }
  std::size_t stride() const { return stride_; }
  std::uint8_t* bits() { return reinterpret_cast<std::uint8_t*>(bits_.get()); }
  const std::uint8_t* bits() const { return reinterpret_cast<const std::uint8_t*>(bits_.get()); }
  bool Contains(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }

  // The start of device row y (row 0 is the top row whatever the memory order).
  std::uint8_t* Row(std::int32_t y) {
    return bits() + stride_ * static_cast<std::size_t>(bpp_ == 24 ? height_ - 1 - y : y);
  }
  const std::uint8_t* Row(std::int32_t y) const {
    return bits() + stride_ * static_cast<std::size_t>(bpp_ == 24 ? height_ - 1 - y : y);
  }

  // Unchecked accessors; callers keep (x, y) inside the bitmap.
  Color Get(std::int32_t x, std::int32_t y) const;
  void Set(std::int32_t x, std::int32_t y, Color c);
  // Paints [x0, x1) of row y.
  void FillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c);

  // The 32-bpp memory word of a colour, and back.
  static std::uint32_t ToNative(Color c) {
    return ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
  }
  static Color FromNative(std::uint32_t p) {
    return ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  }

 private:
  RasterBitmap(std::int32_t w, std::int32_t h, int bpp, std::size_t stride,
               std::unique_ptr<std::uint32_t[]> bits)
      : width_(w), height_(h), bpp_(bpp), stride_(stride), bits_(std::move(bits)) {}
  static std::unique_ptr<RasterBitmap> Create(std::int32_t w, std::int32_t h, int bpp);

  std::int32_t width_;
  std::int32_t height_;
  int bpp_;
  std::size_t stride_;
  // Whole 32-bit words, so 32-bpp pixels are real uint32_t objects; rows stay byte-addressed.
  std::unique_ptr<std::uint32_t[]> bits_;
};

}  // namespace corvane
