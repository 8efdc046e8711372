// A context that draws the engine's geometry antialiased: slanted and wide strokes, slanted
// polygons and translucent fills go through the coverage raster straight into the pixel
// memory of the surface the wrapped context draws on; text, blits, fills of whole pixels and
// everything else go to the wrapped context, in drawing order. Hairlines along the pixel grid and
// rectangles already sit on whole pixels and are left to the wrapped context, so they keep
// their exact pixels. Whatever this context cannot follow (objects it did not see made, a
// clip it does not know) is drawn by the wrapped context, aliased, rather than guessed.
#pragma once
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "platform/dc.h"
#include "platform/raster/antialias_pending.h"
#include "platform/raster/antialias_stroke.h"
#include "platform/raster/coverage_raster.h"
#include "platform/raster/raster_region.h"

namespace corvane {

class WorkerPool;

// Pixel memory of 24 or 32 bits per pixel, blue, green, red bytes first.
struct PixelSurface {
  std::uint8_t* row0 = nullptr;  // start of device row 0 (the top row)
  std::ptrdiff_t stride = 0;     // bytes from one row to the next below it
  std::int32_t width = 0, height = 0;
  int bytesPerPixel = 3;
  // A bottom-up 24-bit DIB section's memory (rows padded to 4 bytes).
  static PixelSurface BottomUpDib24(void* bits, std::int32_t w, std::int32_t h);
};

class AntialiasDc : public DeviceContext {
 public:
  // `inner` draws on `surface`'s memory (its selected bitmap); neither may change while this
  // context is in use. `cells`, when given, are kept between renders, so that their memory
  // is not asked for and touched afresh each time. With `workers` of more than one thread,
  // consecutive strokes with nothing else drawn between them (the plots, one pen each) are
  // made side by side, each in its own raster as it would be alone, and painted in their
  // order: the pixels are the same as one thread's.
  AntialiasDc(DeviceContext& inner, const PixelSurface& surface, AntialiasCells* cells = nullptr,
              WorkerPool* workers = nullptr);
  ~AntialiasDc() override;
  AntialiasDc(const AntialiasDc&) = delete;
  AntialiasDc& operator=(const AntialiasDc&) = delete;

  GraphicsSystem& System() override { return inner_.System(); }
  DeviceContext& Innermost() override { return inner_.Innermost(); }

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
  bool BlendPolygonSmooth(const IPoint* pts, std::int32_t n, Color color,
                          std::uint8_t alpha) override;

  // Draws the strokes still gathered (consecutive lines with one pen are stroked together so
  // that their joins are filled once) and those kept to be made side by side. Every call
  // that draws does it first; the owner calls it before reading the pixels.
  void Flush();

 private:
  // At most this many strokes, and this many coverage cells in all, wait to be made.
  static constexpr std::size_t kMaxPending = 16;
  static constexpr std::size_t kMaxPendingCells = std::size_t{1} << 21;  // 8 MB
  // The pending strokes' rasters keep at most about this many cells between batches.
  static constexpr std::size_t kMaxKeptCells = 2 * kMaxPendingCells;
  // A stroke of fewer points is drawn at once unless a batch is waiting.
  static constexpr std::size_t kMinPendingPoints = 256;
  // A batch of fewer points in all is made on the drawing thread.
  static constexpr std::size_t kMinParallelPoints = 2048;
  enum class Kind { kPen, kBrush, kFont };
  struct Pen {
    bool known;  // made through this context, so its width and colour are known
    bool null_pen;
    std::int32_t width;
    Color color;
  };
  using Chain = StrokeChain;
  class Painter;

  const Pen* SelectedPen() const;
  const Color* SelectedBrushColor() const;
  // The clip and surface are followed and the pixels can be written.
  bool Following() const { return surface_.row0 && !lost_ && !clip_unknown_; }
  void StartChain(IPoint p, bool closed);
  // Draws the gathered chains with the wrapped context, as they were asked for.
  void ReplayChains();
  // Strokes the gathered chains antialiased, over `knownBox` when StrokeBox has given it;
  // false when memory ran out (nothing was painted).
  bool StrokeChains(const Pen& pen, const IRect* knownBox = nullptr);
  // Where the gathered chains' stroke can reach inside the clip; false when nowhere.
  bool StrokeBox(const Pen& pen, IRect* box);
  // Ends the gathered chains: they are kept to be made side by side, or drawn now (after
  // what is kept, which is painted first).
  void CloseStroke();
  // Keeps the gathered chains as a pending stroke; false (nothing kept) when memory is short.
  bool DeferStroke(const Pen& pen, const IRect& box);
  // Makes the pending strokes on the workers and paints them in order.
  void PaintPending();
  // The even-odd inside of the outline, at `opacity` times its coverage. Throws
  // std::bad_alloc, having painted nothing, when the raster's memory cannot be had.
  void FillPolygon(const IPoint* pts, std::int32_t n, Color color, std::uint8_t opacity = 255);
  // The clip inside the surface, in device pixels.
  const RasterRegion& VisibleClip();
  void Paint(CoverageRaster& raster, FillRule rule, Color color, std::uint8_t opacity = 255);

  DeviceContext& inner_;
  PixelSurface surface_;
  std::unordered_map<ObjHandle, Kind> kinds_;
  std::unordered_map<ObjHandle, Pen> pens_;
  std::unordered_map<ObjHandle, Color> brushes_;
  std::unordered_map<ObjHandle, RasterRegion> regions_;
  ObjHandle pen_ = kNoObject, brush_ = kNoObject;
  bool lost_ = false;          // something this context cannot follow was selected
  bool has_clip_ = false, clip_unknown_ = false;
  RasterRegion clip_;
  bool visible_valid_ = false;
  RasterRegion visible_;
  IPoint pos_{0, 0};
  bool pos_sent_ = true;       // the wrapped context's current position is pos_
  // Gathered strokes: the points of every chain, and whether the last chain is still being
  // extended by LineTo.
  std::vector<IPoint> points_;
  std::vector<Chain> chains_;
  bool extending_ = false;
  std::vector<DPoint> centres_;
  AntialiasCells own_cells_;
  AntialiasCells* cells_;
  CoverageRaster* raster_;  // the shapes' raster
  WorkerPool* workers_;     // null when strokes are made at once
  std::size_t pending_ = 0, pendingCells_ = 0, pendingPoints_ = 0;
};

}  // namespace corvane
