#include "overlays/blend_surface.h"

#include <algorithm>

namespace corvane {

BlendSurface::~BlendSurface() { Release(); }

void BlendSurface::Release() {
  if (memory_ && previous_) memory_->SelectObject(previous_);
  if (bitmap_) like_.DeleteObject(bitmap_);
  bitmap_ = previous_ = kNoObject;
  width_ = height_ = 0;
  memory_.reset();
}

DeviceContext* BlendSurface::Acquire(std::int32_t w, std::int32_t h) {
  if (w <= 0 || h <= 0) return nullptr;
  if (memory_ && bitmap_ && w <= width_ && h <= height_) return memory_.get();
  if (!memory_) memory_ = like_.System().CreateCompatibleDC(nullptr);
  if (!memory_) return nullptr;
  const std::int32_t nw = std::max(w, width_), nh = std::max(h, height_);
  void* bits = nullptr;
  const ObjHandle grown = memory_->CreateDIBSection24(nw, nh, &bits);
  if (!grown) return nullptr;
  const ObjHandle previous = memory_->SelectObject(grown);
  if (!previous) {
    like_.DeleteObject(grown);
    return nullptr;
  }
  if (bitmap_) {
    like_.DeleteObject(bitmap_);  // deselected by the selection of the new one
  } else {
    previous_ = previous;  // the context's own stock bitmap, put back at the end
  }
  bitmap_ = grown;
  width_ = nw;
  height_ = nh;
  return memory_.get();
}

}  // namespace corvane
