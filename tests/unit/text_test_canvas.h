// A plain pixel grid with a rectangular clip, for drawing text in tests.
#pragma once
#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/raster/raster_canvas.h"

namespace corvane {

class TestCanvas : public RasterCanvas {
 public:
  TestCanvas(std::int32_t w, std::int32_t h, Color fill)
      : width_(w), height_(h), clip_{0, 0, w, h}, pixels_(static_cast<std::size_t>(w) * h, fill) {}

  void SetClip(const IRect& r) {
    clip_ = IRect{std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, width_),
                  std::min(r.bottom, height_)};
  }

  IRect ClipBox() const override { return clip_; }
  bool Visible(std::int32_t x, std::int32_t y) const override {
    return x >= clip_.left && y >= clip_.top && x < clip_.right && y < clip_.bottom;
  }
  Color Pixel(std::int32_t x, std::int32_t y) const override {
    return Visible(x, y) ? At(x, y) : 0;
  }
  void Plot(std::int32_t x, std::int32_t y, Color c) override {
    if (Visible(x, y)) pixels_[Index(x, y)] = c;
    ++writes_;
  }
  void FillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c) override {
    for (std::int32_t x = x0; x < x1; ++x) Plot(x, y, c);
  }

  // Unclipped read for checks.
  Color At(std::int32_t x, std::int32_t y) const { return pixels_[Index(x, y)]; }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }
  // Every write asked for, visible or not: a drawer must not hand out writes it cannot place.
  std::size_t writes() const { return writes_; }

  // Bounding box of pixels differing from `background`; right/bottom exclusive, all zero
  // when nothing differs.
  IRect InkBox(Color background) const {
    IRect box{width_, height_, 0, 0};
    for (std::int32_t y = 0; y < height_; ++y) {
      for (std::int32_t x = 0; x < width_; ++x) {
        if (At(x, y) == background) continue;
        box.left = std::min(box.left, x);
        box.top = std::min(box.top, y);
        box.right = std::max(box.right, x + 1);
        box.bottom = std::max(box.bottom, y + 1);
      }
    }
    return box.right == 0 ? IRect{0, 0, 0, 0} : box;
  }

 private:
  std::size_t Index(std::int32_t x, std::int32_t y) const {
    return static_cast<std::size_t>(y) * width_ + x;
  }
  std::int32_t width_, height_;
  IRect clip_;
  std::vector<Color> pixels_;
  std::size_t writes_ = 0;
};

}  // namespace corvane
