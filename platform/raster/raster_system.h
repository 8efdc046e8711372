// The portable GraphicsSystem: owns every raster object, the fake host windows of the native
// build and the screen surface. Contexts and handles it gives out must not outlive it.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/dc.h"
#include "platform/raster/raster_bitmap.h"
#include "platform/raster/raster_objects.h"

namespace corvane {

class RasterDc;

class RasterGraphicsSystem : public GraphicsSystem {
 public:
  RasterGraphicsSystem();
  ~RasterGraphicsSystem() override;
  RasterGraphicsSystem(const RasterGraphicsSystem&) = delete;
  RasterGraphicsSystem& operator=(const RasterGraphicsSystem&) = delete;

  std::unique_ptr<DeviceContext> GetWindowDC(std::int32_t hwnd) override;
  std::unique_ptr<DeviceContext> GetScreenDC() override;
  std::unique_ptr<DeviceContext> CreateCompatibleDC(DeviceContext* ref) override;
  bool DeleteObject(ObjHandle obj) override;

  // Host windows of the native build: a client area of w x h 32-bpp pixels, black at first.
  // Returns a nonzero handle, or 0 when the size is refused.
  std::int32_t CreateWindowSurface(std::int32_t w, std::int32_t h);
  bool DestroyWindowSurface(std::int32_t hwnd);
  const RasterBitmap* WindowSurface(std::int32_t hwnd) const;

  // Copies a bitmap's pixels out as COLORREF values (0x00BBGGRR), rows top to bottom.
  bool ReadBitmap(ObjHandle bitmap, std::int32_t* w, std::int32_t* h,
                  std::vector<std::uint32_t>* pixels) const;
  // The bitmap behind a handle, for tools and tests (nullptr for anything else).
  const RasterBitmap* BitmapOf(ObjHandle bitmap) const;

  // Screen size reported by the screen context.
  static constexpr std::int32_t kScreenWidth = 1024;
  static constexpr std::int32_t kScreenHeight = 768;

  // --- used by RasterDc ---
  ObjHandle Register(std::unique_ptr<RasterObject> obj);
  RasterObject* Lookup(ObjHandle h) const;
  template <typename T>
  T* LookupAs(ObjHandle h, RasterObjectKind kind) const {
    RasterObject* o = Lookup(h);
    return o && o->kind == kind ? static_cast<T*>(o) : nullptr;
  }
  // The stroke geometry of a pen width, shared by every pen of that width so that stamps
  // built in one render serve the next. nullptr when memory is short.
  std::shared_ptr<StrokeStamps> StrokeFor(std::int32_t width);
  ObjHandle null_pen() const { return null_pen_; }
  ObjHandle black_pen() const { return black_pen_; }
  ObjHandle white_brush() const { return white_brush_; }
  ObjHandle system_font() const { return system_font_; }
  ObjHandle default_bitmap() const { return default_bitmap_; }
  // Number of live non-stock objects (leak checks in tests).
  std::size_t LiveObjectCount() const;

 private:
  ObjHandle MakeStock(std::unique_ptr<RasterObject> obj);

  std::unordered_map<ObjHandle, std::unique_ptr<RasterObject>> objects_;
  std::map<std::int32_t, std::shared_ptr<RasterBitmap>> windows_;
  std::shared_ptr<RasterBitmap> screen_;
  std::shared_ptr<StrokeStamps> strokes_[StrokeStamps::kMaxWidth + 1];
  std::int32_t next_window_ = 0x10010;
  ObjHandle next_handle_ = 0x1000;
  ObjHandle null_pen_ = kNoObject;
  ObjHandle black_pen_ = kNoObject;
  ObjHandle white_brush_ = kNoObject;
  ObjHandle system_font_ = kNoObject;
  ObjHandle default_bitmap_ = kNoObject;
};

}  // namespace corvane
