// Constant-alpha compositing as AlphaBlend does it with AC_SRC_OVER and no per-pixel alpha:
// each channel becomes (src * a + dst * (255 - a) + 127) / 255.
#pragma once
#include <cstdint>

#include "platform/raster/raster_bitmap.h"
#include "platform/raster/raster_region.h"

namespace corvane {

inline std::uint8_t BlendChannel(int src, int dst, int alpha) {
  return static_cast<std::uint8_t>((src * alpha + dst * (255 - alpha) + 127) / 255);
}

// Blends n pixels of a source row over a destination row. Pixels are 3 (24-bit DIB) or 4
// (32-bit surface) bytes wide, with blue, green and red in their first three bytes either
// way. A 32-bit destination's fourth byte keeps its value under a 24-bit source and blends
// with the source's under a 32-bit one (it is 0 in every surface this layer writes).
void BlendRow(std::uint8_t* dst, int dstBytesPerPixel, const std::uint8_t* src,
              int srcBytesPerPixel, std::int32_t n, std::uint8_t alpha);

// AlphaBlend without stretching from another bitmap: the pixels of [x0, x1) x [y0, y1) that
// `clip` holds take the source pixel (x + dx, y + dy). The rectangle lies inside both
// bitmaps (the caller cut it to the clip's bounds and checked the source rectangle).
void BlendOneToOne(RasterBitmap& dst, const RasterBitmap& src, const RasterRegion& clip,
                   std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                   std::int64_t dx, std::int64_t dy, std::uint8_t alpha);

}  // namespace corvane
