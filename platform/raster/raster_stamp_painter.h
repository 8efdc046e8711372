// Copies stroke stamps onto a surface inside a rectangular clip, straight into the pixel rows.
// Regions of more than one rectangle go span by span through the context instead.
#pragma once
#include <algorithm>
#include <cstdint>
#include <cstring>

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
  // Its stores must be laid out for row_pitch().
  void Paint(IPoint a, const Stamp& stamp) {
    const bool inside = words_ && a.x + stamp.left >= clip_.left && a.x + stamp.right <= clip_.right &&
                        a.y + stamp.top >= clip_.top && a.y + stamp.bottom <= clip_.bottom;
    if (!inside) {
      PaintClipped(a, stamp);
      return;
    }
    PaintInside(a, stamp);
  }

  // Paint for a stamp known to lie inside the clip on a 32-bpp surface.
  void PaintInside(IPoint a, const Stamp& stamp) {
    std::uint32_t* origin = words_ + static_cast<std::size_t>(a.y) * stride_words_ + a.x;
    const std::int32_t* at = stamp.stores;
    const std::uint32_t quad[4] = {native_, native_, native_, native_};
    for (const std::int32_t* end = at + stamp.quads; at != end; ++at) std::memcpy(origin + *at, quad, 16);
    for (const std::int32_t* end = at + stamp.pairs; at != end; ++at) std::memcpy(origin + *at, quad, 8);
    const std::uint32_t c = native_;
    for (const std::int32_t* end = at + stamp.singles; at != end; ++at) origin[*at] = c;
  }

  // The row pitch the stamps' stores must be laid out for (0 when they are not used).
  std::size_t row_pitch() const { return words_ ? stride_words_ : 0; }

 private:
  // Runs of up to four pixels -- nearly all of them for the pens that tabulate -- as four
  // overlapping stores with no loop to mispredict.
  void Fill(std::uint32_t* row, std::int32_t l, std::int32_t r) {
    if (r - l <= 4) {
      row[l] = native_;
      row[std::min(l + 1, r - 1)] = native_;
      row[std::max(r - 2, l)] = native_;
      row[r - 1] = native_;
      return;
    }
    for (std::int32_t x = l; x < r; ++x) row[x] = native_;
  }

  void PaintClipped(IPoint a, const Stamp& stamp) {
    for (std::uint32_t i = 0; i < stamp.count; ++i) {
      const StampSpan& s = stamp.spans[i];
      const std::int32_t y = a.y + s.dy;
      if (y < clip_.top || y >= clip_.bottom) continue;
      const std::int32_t l = std::max(a.x + s.left, clip_.left);
      const std::int32_t r = std::min(a.x + s.right, clip_.right);
      if (l >= r) continue;
      if (words_)
        Fill(words_ + static_cast<std::size_t>(y) * stride_words_, l, r);
      else
        surface_.FillSpan(y, l, r, color_);
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
