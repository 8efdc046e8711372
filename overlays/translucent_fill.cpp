#include "overlays/translucent_fill.h"

#include <algorithm>
#include <cstdint>

namespace corvane {
namespace {

// What the blend path has made on the target, released whichever step it stops at.
struct MaskResources {
  explicit MaskResources(DeviceContext& target) : dc(target) {}
  ~MaskResources() {
    if (clipChanged) dc.SelectClipRgn(savedRegion);
    for (ObjHandle h : {brush, savedRegion, polygonRegion})
      if (h) dc.DeleteObject(h);
  }
  MaskResources(const MaskResources&) = delete;
  MaskResources& operator=(const MaskResources&) = delete;

  DeviceContext& dc;
  ObjHandle polygonRegion = kNoObject, savedRegion = kNoObject, brush = kNoObject;
  bool clipChanged = false;
};

}  // namespace

void FillOpaque(const FillOutline& outline, Color color, DeviceContext& dc) {
  const ObjHandle brush = dc.CreateSolidBrush(color);
  if (!brush) return;
  const ObjHandle previousBrush = dc.SelectObject(brush);
  const ObjHandle previousPen = dc.SelectObject(dc.GetStockNullPen());
  dc.Polygon(outline.points(), outline.count());
  if (previousPen) dc.SelectObject(previousPen);
  if (previousBrush) dc.SelectObject(previousBrush);
  dc.DeleteObject(brush);
}

void FillTranslucent(const FillOutline& outline, const IRect& clipBox, Color color,
                     std::uint8_t alpha, DeviceContext& dc, BlendSurface* shared) {
  const IRect& saved = clipBox;
  // The blended rectangle [minX, maxX) x [minY, maxY), cut to the clip box: nothing outside
  // the clip box can change, and the box keeps the bitmap within the picture's size.
  const std::int32_t x0 = std::max(outline.minX(), saved.left);
  const std::int32_t y0 = std::max(outline.minY(), saved.top);
  const std::int32_t x1 = std::min(outline.maxX(), saved.right);
  const std::int32_t y1 = std::min(outline.maxY(), saved.bottom);
  if (x0 >= x1 || y0 >= y1) return;
  // Extents in 64 bits: a clip box may itself span more than the int32 range.
  const std::int64_t w64 = std::int64_t{x1} - x0, h64 = std::int64_t{y1} - y0;
  if (w64 > INT32_MAX || h64 > INT32_MAX) return;  // no bitmap that size could be made
  const auto w = static_cast<std::int32_t>(w64), h = static_cast<std::int32_t>(h64);
  // A context that antialiases blends the shape by its coverage, with no region or bitmap.
  if (dc.BlendPolygonSmooth(outline.points(), outline.count(), color, alpha)) return;

  // Declared first, released last: the bitmap of a fill without a shared surface.
  BlendSurface own(dc);
  MaskResources r(dc);
  r.polygonRegion = dc.CreatePolygonRgn(outline.points(), outline.count());
  if (!r.polygonRegion) return;  // no mask, no blend
  r.savedRegion = dc.CreateRectRgn(saved.left, saved.top, saved.right, saved.bottom);
  if (!r.savedRegion) return;  // the clip could not be put back
  r.clipChanged = true;
  const int masked = dc.ExtSelectClipRgnAnd(r.polygonRegion);
  if (masked == kRegionError || masked == kNullRegion) return;

  DeviceContext* memory = (shared ? *shared : own).Acquire(w, h);
  if (!memory) return;
  r.brush = memory->CreateSolidBrush(color);
  if (!r.brush) return;  // a bitmap left unfilled must not be blended
  memory->FillRect(IRect{0, 0, w, h}, r.brush);
  dc.AlphaBlend(x0, y0, w, h, *memory, 0, 0, w, h, alpha);
}

}  // namespace corvane
