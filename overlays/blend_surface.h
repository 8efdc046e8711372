// BlendSurface: the off-screen memory context and 24-bit DIB section that the translucent
// fills of one drawing pass share, instead of making and deleting a pair per fill (each
// costs far more on GDI than the blend of a small shape). The bitmap grows to the largest
// fill asked for; a fill uses its top-left w x h corner.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/dc.h"

namespace corvane {

class BlendSurface {
 public:
  // Makes nothing until the first Acquire; `like` is the context the fills blend into.
  explicit BlendSurface(DeviceContext& like) : like_(like) {}
  // Deselects and deletes the bitmap, then the memory context.
  ~BlendSurface();
  BlendSurface(const BlendSurface&) = delete;
  BlendSurface& operator=(const BlendSurface&) = delete;

  // A memory context (compatible with the screen) holding a bitmap of at least w x h, or
  // nullptr when none can be made; the previous bitmap, if any, is kept then.
  DeviceContext* Acquire(std::int32_t w, std::int32_t h);

 private:
  void Release();

  DeviceContext& like_;
  std::unique_ptr<DeviceContext> memory_;
  ObjHandle bitmap_ = kNoObject, previous_ = kNoObject;
  std::int32_t width_ = 0, height_ = 0;
};

}  // namespace corvane
