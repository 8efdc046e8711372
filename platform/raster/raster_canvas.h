// What a text renderer may touch when a raster context draws text: the surface pixels,
// with the context's clip already applied to every write.
#pragma once
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

class RasterCanvas {
 public:
  virtual ~RasterCanvas() = default;
  // The clip's bounding box (inside the surface); writes outside it are dropped anyway.
  virtual IRect ClipBox() const = 0;
  // True when (x, y) is on the surface and inside the clip.
  virtual bool Visible(std::int32_t x, std::int32_t y) const = 0;
  // Reads a pixel (kInvalidColor-free: callers ask only for visible pixels; others give 0).
  virtual Color Pixel(std::int32_t x, std::int32_t y) const = 0;
  // Writes a pixel when it is visible.
  virtual void Plot(std::int32_t x, std::int32_t y, Color c) = 0;
  // Paints the visible part of [x0, x1) on row y.
  virtual void FillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c) = 0;
};

}  // namespace corvane
