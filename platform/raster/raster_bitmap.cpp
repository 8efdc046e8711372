#include "platform/raster/raster_bitmap.h"

#include <cstring>
#include <new>

namespace corvane {

bool RasterBitmap::SizeAllowed(std::int32_t w, std::int32_t h, int bpp) {
  return BitmapSizeAllowed(w, h, bpp);
}

std::unique_ptr<RasterBitmap> RasterBitmap::Create(std::int32_t w, std::int32_t h, int bpp) {
  if (!SizeAllowed(w, h, bpp)) return nullptr;
  const std::size_t stride = BitmapStride(w, bpp);
  const std::size_t bytes = stride * static_cast<std::size_t>(h);
  const std::size_t words = (bytes + 3) / 4;
  std::unique_ptr<std::uint32_t[]> bits(new (std::nothrow) std::uint32_t[words]);
  if (!bits) return nullptr;
  std::memset(bits.get(), 0, words * 4);
  std::unique_ptr<RasterBitmap> bmp(new (std::nothrow) RasterBitmap(w, h, bpp, stride, std::move(bits)));
  return bmp;
}

std::unique_ptr<RasterBitmap> RasterBitmap::Create32(std::int32_t w, std::int32_t h) {
  return Create(w, h, 32);
}

std::unique_ptr<RasterBitmap> RasterBitmap::CreateDib24(std::int32_t w, std::int32_t h) {
  return Create(w, h, 24);
}

Color RasterBitmap::Get(std::int32_t x, std::int32_t y) const {
  const std::uint8_t* row = Row(y);
  if (bpp_ == 32) {
    std::uint32_t p;
    std::memcpy(&p, row + static_cast<std::size_t>(x) * 4, 4);
    return FromNative(p);
  }
  const std::uint8_t* px = row + static_cast<std::size_t>(x) * 3;
  return MakeColor(px[2], px[1], px[0]);
}

void RasterBitmap::Set(std::int32_t x, std::int32_t y, Color c) {
  std::uint8_t* row = Row(y);
  if (bpp_ == 32) {
    const std::uint32_t p = ToNative(c);
    std::memcpy(row + static_cast<std::size_t>(x) * 4, &p, 4);
    return;
  }
  std::uint8_t* px = row + static_cast<std::size_t>(x) * 3;
  px[0] = static_cast<std::uint8_t>(BlueOf(c));
  px[1] = static_cast<std::uint8_t>(GreenOf(c));
  px[2] = static_cast<std::uint8_t>(RedOf(c));
}

void RasterBitmap::FillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c) {
  if (x1 <= x0) return;
  std::uint8_t* row = Row(y);
  if (bpp_ == 32) {
    const std::uint32_t p = ToNative(c);
    std::uint32_t* px = reinterpret_cast<std::uint32_t*>(row) + x0;
    for (std::int32_t x = x0; x < x1; ++x) *px++ = p;
    return;
  }
  std::uint8_t* px = row + static_cast<std::size_t>(x0) * 3;
  const auto b = static_cast<std::uint8_t>(BlueOf(c));
  const auto g = static_cast<std::uint8_t>(GreenOf(c));
  const auto r = static_cast<std::uint8_t>(RedOf(c));
  // Four pixels are twelve bytes: three words of the repeating B, G, R pattern.
  const std::uint8_t pattern[12] = {b, g, r, b, g, r, b, g, r, b, g, r};
  std::int32_t x = x0;
  for (; x + 4 <= x1; x += 4, px += 12) std::memcpy(px, pattern, 12);
  for (; x < x1; ++x) {
    *px++ = b;
    *px++ = g;
    *px++ = r;
  }
}

}  // namespace corvane
