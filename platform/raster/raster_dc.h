// The portable DeviceContext: draws into a RasterBitmap with GDI's pixel rules.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/dc.h"
#include "platform/raster/raster_bitmap.h"
#include "platform/raster/raster_canvas.h"
#include "platform/raster/raster_objects.h"
#include "platform/raster/raster_polygon_scan.h"
#include "platform/raster/raster_region.h"

namespace corvane {

class RasterGraphicsSystem;

class RasterDc : public DeviceContext {
 public:
  // A memory context (the stock 1 x 1 bitmap selected) ...
  explicit RasterDc(RasterGraphicsSystem& system);
  // ... or a context bound to a window's or the screen's surface (bitmaps cannot be selected).
  RasterDc(RasterGraphicsSystem& system, std::shared_ptr<RasterBitmap> surface);
  ~RasterDc() override;
  RasterDc(const RasterDc&) = delete;
  RasterDc& operator=(const RasterDc&) = delete;

  GraphicsSystem& System() override;

  ObjHandle CreatePen(std::int32_t width, Color color) override;
  ObjHandle CreateSolidBrush(Color color) override;
  ObjHandle CreateFontA(const FontRequest& request) override;
  ObjHandle GetStockNullPen() override;
  ObjHandle CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
  ObjHandle CreatePolygonRgn(const IPoint* pts, std::int32_t n) override;
  ObjHandle CreateCompatibleBitmap(std::int32_t w, std::int32_t h) override;
  ObjHandle CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) override;
  ObjHandle SelectObject(ObjHandle obj) override;
  ObjHandle GetCurrentBitmap() override;
  bool DeleteObject(ObjHandle obj) override;

  int SelectClipRgn(ObjHandle rgn) override;
  int ExtSelectClipRgnAnd(ObjHandle rgn) override;
  int GetClipBox(IRect* box) override;

  bool MoveToEx(std::int32_t x, std::int32_t y) override;
  bool LineTo(std::int32_t x, std::int32_t y) override;
  bool Polyline(const IPoint* pts, std::int32_t n) override;
  bool Polygon(const IPoint* pts, std::int32_t n) override;
  bool Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
  bool FillRect(const IRect& rc, ObjHandle brush) override;
  bool SetPixelV(std::int32_t x, std::int32_t y, Color c) override;
  Color GetPixel(std::int32_t x, std::int32_t y) override;

  bool ExtTextOutOpaque(const IRect& rc) override;
  bool TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) override;
  bool GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) override;
  Color SetTextColor(Color c) override;
  Color GetTextColor() override;
  Color SetBkColor(Color c) override;
  Color GetBkColor() override;
  int SetBkMode(int mode) override;
  int GetBkMode() override;

  bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
              std::int32_t sx, std::int32_t sy) override;
  bool AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                  std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh,
                  std::uint8_t alpha) override;

  // The surface drawn on (the selected bitmap of a memory context).
  RasterBitmap* Surface() const;
  IPoint CurrentPosition() const { return pos_; }

 private:
  class Canvas;
  class PaintSink;

  void Select(ObjHandle& slot, ObjHandle obj);
  void Release(ObjHandle& slot);
  // The clip as a region inside the surface, rebuilt when the clip or the surface changes.
  const RasterRegion& EffectiveClip();
  void InvalidateClip() { clip_valid_ = false; }
  void FillClippedSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c);
  // Strokes p0 -> p1 with the selected pen (the end pixel of a cosmetic line excluded).
  void StrokeSegment(RasterPen& pen, IPoint p0, IPoint p1);
  void StrokeChain(const IPoint* pts, std::int32_t n, bool closed);
  void StrokeWideChain(RasterPen& pen, const IPoint* pts, std::int32_t n, bool closed);
  void FillRegionRows(const RasterRegion& region, Color c);

  RasterGraphicsSystem& system_;
  std::shared_ptr<RasterBitmap> fixed_surface_;  // window or screen; null for memory contexts
  ObjHandle pen_, brush_, font_, bitmap_;
  // The selected bitmap's storage, looked up once per selection: a selected bitmap cannot be
  // deleted and handles are never reused, so the pointer stays valid while bitmap_ is unchanged.
  mutable ObjHandle surface_handle_ = kNoObject;
  mutable RasterBitmap* surface_ = nullptr;
  // Likewise the selected pen: a selected object cannot be deleted.
  RasterPen* SelectedPen() const;
  mutable ObjHandle pen_handle_ = kNoObject;
  mutable RasterPen* pen_cache_ = nullptr;
  bool has_clip_ = false;
  RasterRegion clip_;
  bool clip_valid_ = false;
  bool clip_is_effective_ = false;  // clip_ lies inside the surface: effective_clip_ unused
  RasterRegion effective_clip_;
  IPoint pos_{0, 0};
  Color text_color_ = 0x000000;
  Color bk_color_ = 0xFFFFFF;
  int bk_mode_ = kOpaque;
  PolygonScanner scanner_;
};

}  // namespace corvane
