#include "overlays/translucent_fill.h"

#include <algorithm>
#include <memory>

namespace corvane {
namespace {

// What the blend path has made, released in reverse order whichever step it stops at.
struct BlendResources {
  explicit BlendResources(DeviceContext& target) : dc(target) {}
  ~BlendResources() {
    if (memory && previousBitmap) memory->SelectObject(previousBitmap);
    memory.reset();
    if (clipChanged) dc.SelectClipRgn(savedRegion);
    for (ObjHandle h : {brush, bitmap, savedRegion, polygonRegion})
      if (h) dc.DeleteObject(h);
  }
  BlendResources(const BlendResources&) = delete;
  BlendResources& operator=(const BlendResources&) = delete;

  DeviceContext& dc;
  ObjHandle polygonRegion = kNoObject, savedRegion = kNoObject;
  bool clipChanged = false;
  std::unique_ptr<DeviceContext> memory;
  ObjHandle bitmap = kNoObject, previousBitmap = kNoObject, brush = kNoObject;
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
                     std::uint8_t alpha, DeviceContext& dc) {
  const IRect& saved = clipBox;
  // The blended rectangle [minX, maxX) x [minY, maxY), cut to the clip box: nothing outside
  // the clip box can change, and the box keeps the bitmap within the picture's size.
  const std::int32_t x0 = std::max(outline.minX(), saved.left);
  const std::int32_t y0 = std::max(outline.minY(), saved.top);
  const std::int32_t x1 = std::min(outline.maxX(), saved.right);
  const std::int32_t y1 = std::min(outline.maxY(), saved.bottom);
  if (x0 >= x1 || y0 >= y1) return;
  const std::int32_t w = x1 - x0, h = y1 - y0;  // both within the clip box: no overflow

  BlendResources r(dc);
  r.polygonRegion = dc.CreatePolygonRgn(outline.points(), outline.count());
  if (!r.polygonRegion) return;  // no mask, no blend
  r.savedRegion = dc.CreateRectRgn(saved.left, saved.top, saved.right, saved.bottom);
  if (!r.savedRegion) return;  // the clip could not be put back
  r.clipChanged = true;
  const int masked = dc.ExtSelectClipRgnAnd(r.polygonRegion);
  if (masked == kRegionError || masked == kNullRegion) return;

  r.memory = dc.System().CreateCompatibleDC(nullptr);
  if (!r.memory) return;
  void* bits = nullptr;
  r.bitmap = r.memory->CreateDIBSection24(w, h, &bits);
  if (!r.bitmap) return;
  r.previousBitmap = r.memory->SelectObject(r.bitmap);
  if (!r.previousBitmap) return;
  r.brush = r.memory->CreateSolidBrush(color);
  if (!r.brush) return;  // a bitmap left black must not be blended
  r.memory->FillRect(IRect{0, 0, w, h}, r.brush);
  dc.AlphaBlend(x0, y0, w, h, *r.memory, 0, 0, w, h, alpha);
}

}  // namespace corvane
