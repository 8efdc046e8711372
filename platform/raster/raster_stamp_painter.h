// Copies stroke stamps onto a surface inside a rectangular clip, straight into the pixel rows.
// Regions of more than one rectangle go span by span through the context instead.
#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/geometry.h"
#include "platform/raster/raster_bitmap.h"
#include "platform/raster/raster_stroke_stamps.h"

namespace corvane {

class StampPainter {
 public:
  // `clip` must lie inside the surface.
  StampPainter(RasterBitmap& surface, const IRect& clip, Color c)
      : surface_(surface), clip_(clip), color_(c), native_(RasterBitmap::ToNative(c)),
        words_(surface.bits_per_pixel() == 32 ? reinterpret_cast<std::uint32_t*>(surface.bits()) : nullptr),
        stride_words_(surface.stride() / 4) {}

  // The stamp placed at a; a stays within a few stamp sizes of the clip, so the sums fit.
  void Paint(IPoint a, const StampSpan* spans, std::uint32_t n) {
    for (std::uint32_t i = 0; i < n; ++i) {
      const std::int32_t y = a.y + spans[i].dy;
      if (y < clip_.top || y >= clip_.bottom) continue;
      const std::int32_t l = std::max(a.x + spans[i].left, clip_.left);
      const std::int32_t r = std::min(a.x + spans[i].right, clip_.right);
      if (l >= r) continue;
      if (!words_) {
        surface_.FillSpan(y, l, r, color_);
        continue;
      }
      std::uint32_t* px = words_ + static_cast<std::size_t>(y) * stride_words_;
      for (std::int32_t x = l; x < r; ++x) px[x] = native_;
    }
  }

 private:
  RasterBitmap& surface_;
  IRect clip_;
  Color color_;
  std::uint32_t native_;
  std::uint32_t* words_;  // null for 24-bpp surfaces
  std::size_t stride_words_;
};

}  // namespace corvane
