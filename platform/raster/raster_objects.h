// The objects behind the raster layer's handles. A handle is a number the system's registry
// of live objects maps to the object; anything not in the registry is rejected.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/dc.h"
#include "platform/raster/raster_bitmap.h"
#include "platform/raster/raster_region.h"
#include "platform/raster/raster_text.h"
#include "platform/raster/raster_stroke_stamps.h"

namespace corvane {

enum class RasterObjectKind { kPen, kBrush, kFont, kRegion, kBitmap };

struct RasterObject {
  explicit RasterObject(RasterObjectKind k) : kind(k) {}
  virtual ~RasterObject() = default;
  RasterObjectKind kind;
  bool stock = false;       // never deleted
  std::int32_t selections = 0;  // contexts holding it selected
};

struct RasterPen : RasterObject {
  RasterPen(std::int32_t w, Color c, bool is_null)
      : RasterObject(RasterObjectKind::kPen), width(w), color(c), null_pen(is_null) {}
  std::int32_t width;  // as requested; 0 and 1 draw cosmetic lines
  Color color;
  bool null_pen;
  bool cosmetic() const { return width <= 1; }
  // Looked up on first use by a geometric pen; pens of one width share it.
  std::shared_ptr<StrokeStamps> stroke;
};

struct RasterBrush : RasterObject {
  explicit RasterBrush(Color c) : RasterObject(RasterObjectKind::kBrush), color(c) {}
  Color color;
};

struct RasterFontObject : RasterObject {
  explicit RasterFontObject(const FontRequest& s) : RasterObject(RasterObjectKind::kFont), request(s) {}
  FontRequest request;
  bool loaded = false;
  std::unique_ptr<RasterFont> font;  // nullptr when no face could be loaded
  const RasterFont* Get() {
    if (!loaded) {
      loaded = true;
      font = RasterFont::Create(request);
    }
    return font.get();
  }
};

struct RasterRegionObject : RasterObject {
  explicit RasterRegionObject(RasterRegion r) : RasterObject(RasterObjectKind::kRegion), region(std::move(r)) {}
  RasterRegion region;
};

struct RasterBitmapObject : RasterObject {
  explicit RasterBitmapObject(std::unique_ptr<RasterBitmap> b)
      : RasterObject(RasterObjectKind::kBitmap), bitmap(std::move(b)) {}
  std::unique_ptr<RasterBitmap> bitmap;
};

}  // namespace corvane
