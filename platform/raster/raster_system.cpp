#include "platform/raster/raster_system.h"

#include <new>

#include "platform/raster/raster_dc.h"

namespace corvane {

namespace {

template <typename T, typename... Args>
std::unique_ptr<T> MakeNothrow(Args&&... args) {
  return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

}  // namespace

RasterGraphicsSystem::RasterGraphicsSystem() {
  null_pen_ = MakeStock(MakeNothrow<RasterPen>(1, 0x000000u, true));
  black_pen_ = MakeStock(MakeNothrow<RasterPen>(0, 0x000000u, false));
  white_brush_ = MakeStock(MakeNothrow<RasterBrush>(0xFFFFFFu));
  FontRequest system_spec;
  system_spec.weight = 700;
  system_font_ = MakeStock(MakeNothrow<RasterFontObject>(system_spec));
  // GDI's memory contexts start with a 1 x 1 stock bitmap.
  default_bitmap_ = MakeStock(MakeNothrow<RasterBitmapObject>(RasterBitmap::Create32(1, 1)));
}

RasterGraphicsSystem::~RasterGraphicsSystem() = default;

ObjHandle RasterGraphicsSystem::MakeStock(std::unique_ptr<RasterObject> obj) {
  if (!obj) return kNoObject;
  obj->stock = true;
  return Register(std::move(obj));
}

ObjHandle RasterGraphicsSystem::Register(std::unique_ptr<RasterObject> obj) {
  if (!obj) return kNoObject;
  // Handles are never reused, so a stale one can only miss, never name a newer object.
  const ObjHandle h = next_handle_;
  try {
    objects_.emplace(h, std::move(obj));
  } catch (const std::bad_alloc&) {
    return kNoObject;
  }
  next_handle_ += 4;
  return h;
}

RasterObject* RasterGraphicsSystem::Lookup(ObjHandle h) const {
  if (h == kNoObject) return nullptr;
  auto it = objects_.find(h);
  return it == objects_.end() ? nullptr : it->second.get();
}

bool RasterGraphicsSystem::DeleteObject(ObjHandle obj) {
  auto it = objects_.find(obj);
  if (it == objects_.end()) return false;
  if (it->second->stock) return true;
  // GDI refuses to delete an object a context still has selected.
  if (it->second->selections > 0) return false;
  objects_.erase(it);
  return true;
}

std::shared_ptr<StrokeStamps> RasterGraphicsSystem::StrokeFor(std::int32_t width) {
  const bool cached = width >= 0 && width <= StrokeStamps::kMaxWidth;
  if (cached && strokes_[width]) return strokes_[width];
  std::shared_ptr<StrokeStamps> stroke;
  try {
    stroke = std::make_shared<StrokeStamps>(width);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  if (cached) strokes_[width] = stroke;
  return stroke;
}

std::size_t RasterGraphicsSystem::LiveObjectCount() const {
  std::size_t n = 0;
  for (const auto& entry : objects_) n += entry.second->stock ? 0 : 1;
  return n;
}

std::unique_ptr<DeviceContext> RasterGraphicsSystem::GetWindowDC(std::int32_t hwnd) {
  auto it = windows_.find(hwnd);
  if (it == windows_.end()) return nullptr;
  return std::unique_ptr<DeviceContext>(new (std::nothrow) RasterDc(*this, it->second));
}

std::unique_ptr<DeviceContext> RasterGraphicsSystem::GetScreenDC() {
  if (!screen_) {
    std::unique_ptr<RasterBitmap> bmp = RasterBitmap::Create32(kScreenWidth, kScreenHeight);
    if (!bmp) return nullptr;
    try {
      screen_ = std::shared_ptr<RasterBitmap>(std::move(bmp));
    } catch (const std::bad_alloc&) {
      return nullptr;
    }
  }
  return std::unique_ptr<DeviceContext>(new (std::nothrow) RasterDc(*this, screen_));
}

std::unique_ptr<DeviceContext> RasterGraphicsSystem::CreateCompatibleDC(DeviceContext* /*ref*/) {
  // Every raster surface is 32 bpp, so any reference gives the same kind of memory context.
  return std::unique_ptr<DeviceContext>(new (std::nothrow) RasterDc(*this));
}

std::int32_t RasterGraphicsSystem::CreateWindowSurface(std::int32_t w, std::int32_t h) {
  std::unique_ptr<RasterBitmap> bmp = RasterBitmap::Create32(w, h);
  if (!bmp) return 0;
  try {
    const std::int32_t id = next_window_;
    windows_.emplace(id, std::shared_ptr<RasterBitmap>(std::move(bmp)));
    next_window_ += 0x10;
    if (next_window_ <= 0) next_window_ = 0x10010;
    return id;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

bool RasterGraphicsSystem::DestroyWindowSurface(std::int32_t hwnd) {
  // A context still open on the window keeps its pixels alive until it is destroyed.
  return windows_.erase(hwnd) > 0;
}

const RasterBitmap* RasterGraphicsSystem::WindowSurface(std::int32_t hwnd) const {
  auto it = windows_.find(hwnd);
  return it == windows_.end() ? nullptr : it->second.get();
}

const RasterBitmap* RasterGraphicsSystem::BitmapOf(ObjHandle bitmap) const {
  const auto* obj = LookupAs<RasterBitmapObject>(bitmap, RasterObjectKind::kBitmap);
  return obj ? obj->bitmap.get() : nullptr;
}

bool RasterGraphicsSystem::ReadBitmap(ObjHandle bitmap, std::int32_t* w, std::int32_t* h,
                                      std::vector<std::uint32_t>* pixels) const {
  const RasterBitmap* bmp = BitmapOf(bitmap);
  if (!bmp || !w || !h || !pixels) return false;
  try {
    pixels->resize(static_cast<std::size_t>(bmp->width()) * static_cast<std::size_t>(bmp->height()));
  } catch (const std::bad_alloc&) {
    return false;
  }
  std::size_t k = 0;
  for (std::int32_t y = 0; y < bmp->height(); ++y)
    for (std::int32_t x = 0; x < bmp->width(); ++x) (*pixels)[k++] = bmp->Get(x, y);
  *w = bmp->width();
  *h = bmp->height();
  return true;
}

}  // namespace corvane
