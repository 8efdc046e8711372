#include "platform/raster/raster_dc.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/pixel_rows.h"
#include "platform/raster/raster_blend.h"
#include "platform/raster/raster_cosmetic_line.h"
#include "platform/raster/raster_stamp_painter.h"
#include "platform/raster/raster_system.h"

namespace corvane {

namespace {

template <typename T, typename... Args>
std::unique_ptr<T> MakeNothrow(Args&&... args) {
  return std::unique_ptr<T>(new (std::nothrow) T(std::forward<Args>(args)...));
}

// Every operation fails as its GDI counterpart does, by its return value: memory running out
// inside one (regions, scan lines, glyphs) ends it with that value through a function try
// block, before it has changed anything a caller could see half-done.

}  // namespace

// Paints the rows a scan converter emits, through the clip.
class RasterDc::PaintSink : public SpanSink {
 public:
  PaintSink(RasterDc& dc, Color c) : dc_(dc), color_(c) {}
  void Row(std::int32_t y, const RegionSpan* spans, std::size_t n) override {
    for (std::size_t i = 0; i < n; ++i) dc_.FillClippedSpan(y, spans[i].left, spans[i].right, color_);
  }

 private:
  RasterDc& dc_;
  Color color_;
};

// The surface as the text renderer sees it.
class RasterDc::Canvas : public RasterCanvas {
 public:
  explicit Canvas(RasterDc& dc) : dc_(dc), clip_(dc.EffectiveClip()), surface_(dc.Surface()) {}
  IRect ClipBox() const override { return clip_.Bounds(); }
  bool Visible(std::int32_t x, std::int32_t y) const override { return surface_ && clip_.Contains(x, y); }
  Color Pixel(std::int32_t x, std::int32_t y) const override {
    return surface_ && surface_->Contains(x, y) ? surface_->Get(x, y) : 0;
  }
  void Plot(std::int32_t x, std::int32_t y, Color c) override {
    if (Visible(x, y)) surface_->Set(x, y, c);
  }
  void FillSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c) override {
    dc_.FillClippedSpan(y, x0, x1, c);
  }

 private:
  RasterDc& dc_;
  const RasterRegion& clip_;
  RasterBitmap* surface_;
};

RasterDc::RasterDc(RasterGraphicsSystem& system)
    : system_(system), pen_(kNoObject), brush_(kNoObject), font_(kNoObject), bitmap_(kNoObject) {
  Select(pen_, system_.black_pen());
  Select(brush_, system_.white_brush());
  Select(font_, system_.system_font());
  Select(bitmap_, system_.default_bitmap());
}

RasterDc::RasterDc(RasterGraphicsSystem& system, std::shared_ptr<RasterBitmap> surface)
    : system_(system), fixed_surface_(std::move(surface)), pen_(kNoObject), brush_(kNoObject),
      font_(kNoObject), bitmap_(kNoObject) {
  Select(pen_, system_.black_pen());
  Select(brush_, system_.white_brush());
  Select(font_, system_.system_font());
}

RasterDc::~RasterDc() {
  Release(pen_);
  Release(brush_);
  Release(font_);
  Release(bitmap_);
}

GraphicsSystem& RasterDc::System() { return system_; }

void RasterDc::Select(ObjHandle& slot, ObjHandle obj) {
  if (RasterObject* o = system_.Lookup(obj)) ++o->selections;
  Release(slot);
  slot = obj;
}

void RasterDc::Release(ObjHandle& slot) {
  if (RasterObject* o = system_.Lookup(slot)) --o->selections;
  slot = kNoObject;
}

RasterBitmap* RasterDc::Surface() const {
  if (fixed_surface_) return fixed_surface_.get();
  if (surface_handle_ != bitmap_) {
    auto* obj = system_.LookupAs<RasterBitmapObject>(bitmap_, RasterObjectKind::kBitmap);
    surface_ = obj ? obj->bitmap.get() : nullptr;
    surface_handle_ = bitmap_;
  }
  return surface_;
}

RasterPen* RasterDc::SelectedPen() const {
  if (pen_handle_ != pen_) {
    pen_cache_ = system_.LookupAs<RasterPen>(pen_, RasterObjectKind::kPen);
    pen_handle_ = pen_;
  }
  return pen_cache_;
}

// --- objects ---

ObjHandle RasterDc::CreatePen(std::int32_t width, Color color) {
  // A negative width draws as its magnitude.
  const std::int32_t w = width < 0 ? (width == INT32_MIN ? INT32_MAX : -width) : width;
  return system_.Register(MakeNothrow<RasterPen>(w, color, false));
}

ObjHandle RasterDc::CreateSolidBrush(Color color) {
  return system_.Register(MakeNothrow<RasterBrush>(color));
}

ObjHandle RasterDc::CreateFontA(const FontRequest& request) {
  return system_.Register(MakeNothrow<RasterFontObject>(request));
}

ObjHandle RasterDc::GetStockNullPen() { return system_.null_pen(); }

ObjHandle RasterDc::CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) try {
  return system_.Register(MakeNothrow<RasterRegionObject>(RasterRegion::FromRect(l, t, r, b)));
} catch (const std::bad_alloc&) {
  return kNoObject;
}

ObjHandle RasterDc::CreatePolygonRgn(const IPoint* pts, std::int32_t n) try {
  if (!pts || n < 0) return kNoObject;
  return system_.Register(MakeNothrow<RasterRegionObject>(PolygonRegion(pts, n)));
} catch (const std::bad_alloc&) {
  return kNoObject;
}

ObjHandle RasterDc::CreateCompatibleBitmap(std::int32_t w, std::int32_t h) try {
  std::unique_ptr<RasterBitmap> bmp = RasterBitmap::Create32(w, h);
  if (!bmp) return kNoObject;
  return system_.Register(MakeNothrow<RasterBitmapObject>(std::move(bmp)));
} catch (const std::bad_alloc&) {
  return kNoObject;
}

ObjHandle RasterDc::CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) try {
  if (bits) *bits = nullptr;
  std::unique_ptr<RasterBitmap> bmp = RasterBitmap::CreateDib24(w, h);
  if (!bmp) return kNoObject;
  std::uint8_t* memory = bmp->bits();
  const ObjHandle handle = system_.Register(MakeNothrow<RasterBitmapObject>(std::move(bmp)));
  if (handle != kNoObject && bits) *bits = memory;
  return handle;
} catch (const std::bad_alloc&) {
  return kNoObject;
}

ObjHandle RasterDc::SelectObject(ObjHandle obj) {
  RasterObject* o = system_.Lookup(obj);
  if (!o) return kNoObject;
  ObjHandle prev = kNoObject;
  switch (o->kind) {
    case RasterObjectKind::kPen:
      prev = pen_;
      Select(pen_, obj);
      return prev;
    case RasterObjectKind::kBrush:
      prev = brush_;
      Select(brush_, obj);
      return prev;
    case RasterObjectKind::kFont:
      prev = font_;
      Select(font_, obj);
      return prev;
    case RasterObjectKind::kBitmap:
      if (fixed_surface_) return kNoObject;  // only memory contexts take bitmaps
      if (obj == bitmap_) return obj;
      if (!o->stock && o->selections > 0) return kNoObject;  // one context at a time
      if (!static_cast<RasterBitmapObject*>(o)->bitmap) return kNoObject;
      prev = bitmap_;
      Select(bitmap_, obj);
      InvalidateClip();
      return prev;
    case RasterObjectKind::kRegion:
      return kNoObject;
  }
  return kNoObject;
}

ObjHandle RasterDc::GetCurrentBitmap() {
  return fixed_surface_ ? system_.default_bitmap() : bitmap_;
}

bool RasterDc::DeleteObject(ObjHandle obj) { return system_.DeleteObject(obj); }

// --- clipping ---

const RasterRegion& RasterDc::EffectiveClip() {
  if (!clip_valid_) {
    const RasterBitmap* s = Surface();
    const IRect surface{0, 0, s ? s->width() : 0, s ? s->height() : 0};
    const IRect c = clip_.Bounds();
    // A clip inside the surface is its own effective clip: no copy per clip change.
    clip_is_effective_ = has_clip_ && c.left >= surface.left && c.top >= surface.top &&
                         c.right <= surface.right && c.bottom <= surface.bottom;
    if (!clip_is_effective_)
      effective_clip_ = has_clip_ ? clip_.IntersectRect(surface)
                                  : RasterRegion::FromRect(surface.left, surface.top, surface.right, surface.bottom);
    clip_valid_ = true;
  }
  return clip_is_effective_ ? clip_ : effective_clip_;
}

int RasterDc::SelectClipRgn(ObjHandle rgn) try {
  if (rgn == kNoObject) {
    has_clip_ = false;
    clip_ = RasterRegion();
    InvalidateClip();
    return kSimpleRegion;
  }
  auto* r = system_.LookupAs<RasterRegionObject>(rgn, RasterObjectKind::kRegion);
  if (!r) return kRegionError;
  RasterRegion copy = r->region;  // copied whole before the clip changes
  clip_ = std::move(copy);
  has_clip_ = true;
  InvalidateClip();
  // The kind of the region selected, whether or not it meets the surface.
  return clip_.Kind();
} catch (const std::bad_alloc&) {
  return kRegionError;
}

int RasterDc::ExtSelectClipRgnAnd(ObjHandle rgn) try {
  auto* r = system_.LookupAs<RasterRegionObject>(rgn, RasterObjectKind::kRegion);
  if (!r) return kRegionError;
  clip_ = has_clip_ ? clip_.Intersect(r->region) : r->region;
  has_clip_ = true;
  InvalidateClip();
  return clip_.Kind();
} catch (const std::bad_alloc&) {
  return kRegionError;
}

int RasterDc::GetClipBox(IRect* box) try {
  if (!box) return kRegionError;
  const RasterRegion& clip = EffectiveClip();
  if (!has_clip_) {
    *box = clip.Bounds();
    return clip.Kind();
  }
  // GDI intersects the clip region's bounding box with the surface, so parts of the region
  // off the surface can widen the box, and the kind is the region's own; when the boxes
  // miss, it reports their empty overlap.
  const RasterBitmap* s = Surface();
  const IRect c = clip_.Bounds();
  *box = {std::max(c.left, 0), std::max(c.top, 0), std::min(c.right, s ? s->width() : 0),
          std::min(c.bottom, s ? s->height() : 0)};
  if (clip_.empty() || box->left >= box->right || box->top >= box->bottom) return kNullRegion;
  return clip_.Kind();
} catch (const std::bad_alloc&) {
  return kRegionError;
}

// --- painting helpers ---

void RasterDc::FillClippedSpan(std::int32_t y, std::int32_t x0, std::int32_t x1, Color c) {
  if (x0 >= x1) return;
  const RasterRegion& clip = EffectiveClip();
  const RasterRegion::Band* band = clip.BandAt(y);
  if (!band) return;
  RasterBitmap* s = Surface();
  const RegionSpan* sp = clip.spans().data() + band->first;
  for (std::uint32_t i = 0; i < band->count; ++i) {
    const std::int32_t l = std::max(x0, sp[i].left);
    const std::int32_t r = std::min(x1, sp[i].right);
    if (l < r) s->FillSpan(y, l, r, c);
  }
}

void RasterDc::FillRegionRows(const RasterRegion& region, Color c) {
  for (const RasterRegion::Band& band : region.bands()) {
    for (std::int32_t y = band.top; y < band.bottom; ++y) {
      for (std::uint32_t i = 0; i < band.count; ++i) {
        const RegionSpan& s = region.spans()[band.first + i];
        FillClippedSpan(y, s.left, s.right, c);
      }
    }
  }
}

void RasterDc::StrokeSegment(RasterPen& pen, IPoint p0, IPoint p1) {
  const RasterRegion& clip = EffectiveClip();
  if (clip.empty()) return;
  const IRect box = clip.Bounds();
  RasterBitmap* s = Surface();
  if (pen.cosmetic()) {
    if (clip.IsRect() && s->bits_per_pixel() == 32) {
      const std::uint32_t px = RasterBitmap::ToNative(pen.color);
      std::uint8_t* base = s->bits();
      const std::size_t stride = s->stride();
      ForEachCosmeticPixel(p0, p1, box, [&](std::int32_t x, std::int32_t y) {
        reinterpret_cast<std::uint32_t*>(base + stride * static_cast<std::size_t>(y))[x] = px;
      });
    } else {
      ForEachCosmeticPixel(p0, p1, box, [&](std::int32_t x, std::int32_t y) {
        if (clip.Contains(x, y)) s->Set(x, y, pen.color);
      });
    }
    return;
  }
  const IPoint seg[2] = {p0, p1};
  StrokeWideChain(pen, seg, 2, false);
}

namespace {

// Whether every pixel a pen of this reach draws along the points lies inside box.
// Stops at the first point outside, so chains leaving the clip pay for few points.
bool WithinReach(const IPoint* pts, std::int32_t n, const IRect& box, std::int64_t reach) {
  const std::int64_t left = box.left + reach, right = box.right - reach;
  const std::int64_t top = box.top + reach, bottom = box.bottom - reach;
  for (std::int32_t i = 0; i < n; ++i)
    if (pts[i].x < left || pts[i].x >= right || pts[i].y < top || pts[i].y >= bottom) return false;
  return true;
}

}  // namespace

void RasterDc::StrokeWideChain(RasterPen& pen, const IPoint* pts, std::int32_t n, bool closed) {
  const RasterRegion& clip = EffectiveClip();
  if (clip.empty()) return;
  if (!pen.stroke) {
    pen.stroke = system_.StrokeFor(pen.width);
    if (!pen.stroke) return;
  }
  StrokeStamps& stamps = *pen.stroke;
  WideStroke& stroke = stamps.stroke();
  const IRect box = clip.Bounds();
  // Pieces wholly beyond the clip box by more than the pen's reach cannot touch it.
  const std::int64_t reach = stroke.reach();
  auto misses = [&](IPoint a, IPoint b) {
    return std::max(a.x, b.x) + reach < box.left || std::min(a.x, b.x) - reach >= box.right ||
           std::max(a.y, b.y) + reach < box.top || std::min(a.y, b.y) - reach >= box.bottom;
  };
  PaintSink sink(*this, pen.color);
  StampPainter painter(*Surface(), box, pen.color);
  const bool rect_clip = clip.IsRect();
  if (painter.row_pitch()) stamps.SetRowPitch(painter.row_pitch());
  // Round caps and round joins are the same disc, so every vertex gets one disc and every
  // segment its body: the pixels of drawing each segment with both caps. A stamp is the
  // disc at a segment's start with its body.
  const std::int32_t segments = closed ? n : n - 1;
  if (rect_clip && painter.row_pitch() && stamps.enabled() && WithinReach(pts, n, box, reach)) {
    // Every piece lies inside the clip: no culling, and stamps go down unclipped.
    for (std::int32_t i = 0; i < segments; ++i) {
      const IPoint a = pts[i], b = i + 1 == n ? pts[0] : pts[i + 1];
      Stamp stamp;
      if (stamps.Find(static_cast<std::int64_t>(b.x) - a.x, static_cast<std::int64_t>(b.y) - a.y, &stamp)) {
        painter.PaintInside(a, stamp);
      } else {
        stroke.Cap(a, box, sink);
        stroke.Body(a, b, box, sink);
      }
    }
  } else {
    for (std::int32_t i = 0; i < segments; ++i) {
      const IPoint a = pts[i], b = i + 1 == n ? pts[0] : pts[i + 1];
      if (misses(a, b)) continue;  // the start's disc lies inside the segment's reach
      Stamp stamp;
      if (stamps.Find(static_cast<std::int64_t>(b.x) - a.x, static_cast<std::int64_t>(b.y) - a.y, &stamp)) {
        if (rect_clip) {
          painter.Paint(a, stamp);
        } else {
          for (std::uint32_t k = 0; k < stamp.count; ++k) {
            const StampSpan& sp = stamp.spans[k];
            FillClippedSpan(a.y + sp.dy, a.x + sp.left, a.x + sp.right, pen.color);
          }
        }
        continue;
      }
      stroke.Cap(a, box, sink);
      stroke.Body(a, b, box, sink);
    }
  }
  if (closed || misses(pts[n - 1], pts[n - 1])) return;
  // A step of nothing is the disc alone.
  Stamp stamp;
  if (rect_clip && stamps.Find(0, 0, &stamp))
    painter.Paint(pts[n - 1], stamp);
  else
    stroke.Cap(pts[n - 1], box, sink);
}

void RasterDc::StrokeChain(const IPoint* pts, std::int32_t n, bool closed) {
  RasterPen* pen = SelectedPen();
  if (!pen || pen->null_pen || n < 2 || !Surface()) return;
  if (!pen->cosmetic()) {
    StrokeWideChain(*pen, pts, n, closed);
    return;
  }
  for (std::int32_t i = 0; i + 1 < n; ++i) StrokeSegment(*pen, pts[i], pts[i + 1]);
  if (closed) StrokeSegment(*pen, pts[n - 1], pts[0]);
}

// --- lines and shapes ---

bool RasterDc::MoveToEx(std::int32_t x, std::int32_t y) {
  pos_ = {x, y};
  return true;
}

bool RasterDc::LineTo(std::int32_t x, std::int32_t y) try {
  const IPoint seg[2] = {pos_, {x, y}};
  StrokeChain(seg, 2, false);
  pos_ = {x, y};
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::Polyline(const IPoint* pts, std::int32_t n) try {
  if (!pts || n < 2) return false;
  StrokeChain(pts, n, false);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::Polygon(const IPoint* pts, std::int32_t n) try {
  if (!pts || n < 2) return false;
  RasterBitmap* s = Surface();
  if (!s) return false;
  const RasterRegion& clip = EffectiveClip();
  if (auto* brush = system_.LookupAs<RasterBrush>(brush_, RasterObjectKind::kBrush)) {
    if (!clip.empty()) {
      PaintSink sink(*this, brush->color);
      scanner_.Scan(pts, n, clip.Bounds(), sink);
    }
  }
  StrokeChain(pts, n, true);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) try {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  RasterBitmap* s = Surface();
  if (!s) return false;
  RasterPen* pen = SelectedPen();
  const bool outline = pen && !pen->null_pen;
  auto* brush = system_.LookupAs<RasterBrush>(brush_, RasterObjectKind::kBrush);
  const std::int64_t rr = static_cast<std::int64_t>(r) - 1, bb = static_cast<std::int64_t>(b) - 1;
  if (brush) {
    // With a pen the outline covers the border; without one GDI still leaves out the
    // right column and bottom row.
    const std::int64_t inset = outline ? 1 : 0;
    const RasterRegion fill = RasterRegion::FromRect(
        static_cast<std::int32_t>(std::min<std::int64_t>(l + inset, INT32_MAX)),
        static_cast<std::int32_t>(std::min<std::int64_t>(t + inset, INT32_MAX)),
        static_cast<std::int32_t>(std::max<std::int64_t>(rr, l + inset)),
        static_cast<std::int32_t>(std::max<std::int64_t>(bb, t + inset)));
    FillRegionRows(fill.IntersectRect(EffectiveClip().Bounds()), brush->color);
  }
  if (outline && std::int64_t{r} - l >= 1 && std::int64_t{b} - t >= 1) {
    const IPoint corners[4] = {{l, t},
                               {static_cast<std::int32_t>(std::max<std::int64_t>(rr, l)), t},
                               {static_cast<std::int32_t>(std::max<std::int64_t>(rr, l)),
                                static_cast<std::int32_t>(std::max<std::int64_t>(bb, t))},
                               {l, static_cast<std::int32_t>(std::max<std::int64_t>(bb, t))}};
    StrokeChain(corners, 4, true);
  }
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::FillRect(const IRect& rc, ObjHandle brush) try {
  auto* b = system_.LookupAs<RasterBrush>(brush, RasterObjectKind::kBrush);
  if (!b || !Surface()) return false;
  // GDI fills as a pattern blit of extent (right - left, bottom - top): a negative extent
  // covers the pixels from the far edge + 1 up to and including the near one.
  auto axis = [](std::int32_t lo, std::int32_t hi, std::int32_t* a, std::int32_t* z) {
    if (lo <= hi) {
      *a = lo;
      *z = hi;
    } else {
      *a = hi == INT32_MAX ? hi : hi + 1;
      *z = lo == INT32_MAX ? lo : lo + 1;
    }
  };
  std::int32_t l, r, t, bo;
  axis(rc.left, rc.right, &l, &r);
  axis(rc.top, rc.bottom, &t, &bo);
  const IRect cb = EffectiveClip().Bounds();
  l = std::max(l, cb.left);
  r = std::min(r, cb.right);
  for (std::int32_t y = std::max(t, cb.top), y1 = std::min(bo, cb.bottom); y < y1; ++y)
    FillClippedSpan(y, l, r, b->color);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::SetPixelV(std::int32_t x, std::int32_t y, Color c) try {
  RasterBitmap* s = Surface();
  if (!s) return false;
  // GDI reports success for a clipped-away pixel too.
  if (EffectiveClip().Contains(x, y)) s->Set(x, y, c & 0x00FFFFFFu);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

Color RasterDc::GetPixel(std::int32_t x, std::int32_t y) try {
  RasterBitmap* s = Surface();
  if (!s || !EffectiveClip().Contains(x, y)) return kInvalidColor;
  return s->Get(x, y);
} catch (const std::bad_alloc&) {
  return kInvalidColor;
}

// --- text ---

bool RasterDc::ExtTextOutOpaque(const IRect& rc) try {
  if (!Surface()) return false;
  FillRegionRows(RasterRegion::FromRect(rc.left, rc.top, rc.right, rc.bottom).IntersectRect(EffectiveClip().Bounds()),
                 bk_color_);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) try {
  if (len < 0 || (len > 0 && !text) || !Surface()) return false;
  auto* fobj = system_.LookupAs<RasterFontObject>(font_, RasterObjectKind::kFont);
  const RasterFont* font = fobj ? fobj->Get() : nullptr;
  if (!font || len == 0) return true;
  Canvas canvas(*this);
  font->Draw(canvas, x, y, text, len, text_color_, bk_mode_, bk_color_);
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) try {
  if (!size || len < 0 || (len > 0 && !text)) return false;
  auto* fobj = system_.LookupAs<RasterFontObject>(font_, RasterObjectKind::kFont);
  const RasterFont* font = fobj ? fobj->Get() : nullptr;
  *size = font ? font->Measure(text ? text : "", len) : TextSize{0, 0};
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

Color RasterDc::SetTextColor(Color c) {
  const Color prev = text_color_;
  text_color_ = c;
  return prev;
}
Color RasterDc::GetTextColor() { return text_color_; }
Color RasterDc::SetBkColor(Color c) {
  const Color prev = bk_color_;
  bk_color_ = c;
  return prev;
}
Color RasterDc::GetBkColor() { return bk_color_; }
int RasterDc::SetBkMode(int mode) {
  if (mode != kTransparent && mode != kOpaque) return 0;
  const int prev = bk_mode_;
  bk_mode_ = mode;
  return prev;
}
int RasterDc::GetBkMode() { return bk_mode_; }

// --- block transfers ---

namespace {

// Copies n pixels of one row between surfaces; the 32 -> 32 and 32 -> 24 cases are the picture
// copies of Show and SaveToFile and go without per-pixel colour conversion.
void CopySpan(const RasterBitmap& from, std::int32_t fx, std::int32_t fy, RasterBitmap& to, std::int32_t tx,
              std::int32_t ty, std::int32_t n) {
  const std::uint8_t* s = from.Row(fy) + static_cast<std::size_t>(fx) * (from.bits_per_pixel() / 8);
  std::uint8_t* d = to.Row(ty) + static_cast<std::size_t>(tx) * (to.bits_per_pixel() / 8);
  if (from.bits_per_pixel() == 32 && to.bits_per_pixel() == 32) {
    std::memcpy(d, s, static_cast<std::size_t>(n) * 4);
  } else if (from.bits_per_pixel() == 32 && to.bits_per_pixel() == 24) {
    CopyRow32To24(s, d, static_cast<std::size_t>(n));
  } else {
    for (std::int32_t i = 0; i < n; ++i) to.Set(tx + i, ty, from.Get(fx + i, fy));
  }
}

}  // namespace

bool RasterDc::BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                      std::int32_t sx, std::int32_t sy) try {
  auto* source = dynamic_cast<RasterDc*>(&src);
  RasterBitmap* dst = Surface();
  if (!source || !dst) return false;
  const RasterBitmap* from = source->Surface();
  if (!from || w <= 0 || h <= 0) return from != nullptr;
  // Destination rectangle limited to the part the source surface can supply.
  const std::int64_t ox = static_cast<std::int64_t>(sx) - x, oy = static_cast<std::int64_t>(sy) - y;
  const std::int64_t x0 = std::max<std::int64_t>(x, -ox), x1 = std::min<std::int64_t>(static_cast<std::int64_t>(x) + w, from->width() - ox);
  const std::int64_t y0 = std::max<std::int64_t>(y, -oy), y1 = std::min<std::int64_t>(static_cast<std::int64_t>(y) + h, from->height() - oy);
  const RasterRegion& clip = EffectiveClip();
  const IRect cb = clip.Bounds();
  const std::int64_t cx0 = std::max<std::int64_t>(x0, cb.left), cx1 = std::min<std::int64_t>(x1, cb.right);
  const std::int64_t cy0 = std::max<std::int64_t>(y0, cb.top), cy1 = std::min<std::int64_t>(y1, cb.bottom);
  if (cx0 >= cx1 || cy0 >= cy1) return true;
  if (from != dst) {
    // Distinct surfaces cannot overlap: copy span by span, straight from row to row.
    for (std::int64_t yy = cy0; yy < cy1; ++yy) {
      const RasterRegion::Band* band = clip.BandAt(static_cast<std::int32_t>(yy));
      if (!band) continue;
      for (std::uint32_t k = 0; k < band->count; ++k) {
        const RegionSpan& span = clip.spans()[band->first + k];
        const std::int64_t l = std::max<std::int64_t>(span.left, cx0), r = std::min<std::int64_t>(span.right, cx1);
        if (l < r) {
          CopySpan(*from, static_cast<std::int32_t>(l + ox), static_cast<std::int32_t>(yy + oy), *dst,
                   static_cast<std::int32_t>(l), static_cast<std::int32_t>(yy), static_cast<std::int32_t>(r - l));
        }
      }
    }
    return true;
  }
  // Copy through a buffer so overlapping blits within one surface read the old pixels.
  const std::size_t bw = static_cast<std::size_t>(cx1 - cx0), bh = static_cast<std::size_t>(cy1 - cy0);
  std::unique_ptr<Color[]> buffer(new (std::nothrow) Color[bw * bh]);
  if (!buffer) return false;
  for (std::size_t j = 0; j < bh; ++j)
    for (std::size_t i = 0; i < bw; ++i)
      buffer[j * bw + i] = from->Get(static_cast<std::int32_t>(cx0 + ox + static_cast<std::int64_t>(i)),
                                     static_cast<std::int32_t>(cy0 + oy + static_cast<std::int64_t>(j)));
  for (std::size_t j = 0; j < bh; ++j) {
    const std::int32_t yy = static_cast<std::int32_t>(cy0 + static_cast<std::int64_t>(j));
    const RasterRegion::Band* band = clip.BandAt(yy);
    if (!band) continue;
    for (std::uint32_t k = 0; k < band->count; ++k) {
      const RegionSpan& span = clip.spans()[band->first + k];
      const std::int64_t l = std::max<std::int64_t>(span.left, cx0), r = std::min<std::int64_t>(span.right, cx1);
      for (std::int64_t xx = l; xx < r; ++xx)
        dst->Set(static_cast<std::int32_t>(xx), yy, buffer[j * bw + static_cast<std::size_t>(xx - cx0)]);
    }
  }
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

bool RasterDc::AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                          std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh,
                          std::uint8_t alpha) try {
  auto* source = dynamic_cast<RasterDc*>(&src);
  RasterBitmap* dst = Surface();
  if (!source || !dst) return false;
  const RasterBitmap* from = source->Surface();
  if (!from || w < 0 || h < 0 || sw < 0 || sh < 0) return false;
  if (w == 0 || h == 0 || sw == 0 || sh == 0) return true;
  // The source rectangle must lie within the source surface.
  if (sx < 0 || sy < 0 || static_cast<std::int64_t>(sx) + sw > from->width() ||
      static_cast<std::int64_t>(sy) + sh > from->height())
    return false;
  const RasterRegion& clip = EffectiveClip();
  const IRect cb = clip.Bounds();
  const std::int64_t x0 = std::max<std::int64_t>(x, cb.left), x1 = std::min<std::int64_t>(static_cast<std::int64_t>(x) + w, cb.right);
  const std::int64_t y0 = std::max<std::int64_t>(y, cb.top), y1 = std::min<std::int64_t>(static_cast<std::int64_t>(y) + h, cb.bottom);
  if (x0 >= x1 || y0 >= y1) return true;
  const bool same = from == dst;
  if (!same && sw == w && sh == h) {
    BlendOneToOne(*dst, *from, clip, x0, y0, x1, y1, std::int64_t{sx} - x, std::int64_t{sy} - y, alpha);
    return true;
  }
  std::unique_ptr<Color[]> snapshot;
  const std::size_t bw = static_cast<std::size_t>(x1 - x0), bh = static_cast<std::size_t>(y1 - y0);
  auto source_at = [&](std::int64_t xx, std::int64_t yy) {
    const std::int32_t u = static_cast<std::int32_t>(sx + (xx - x) * sw / w);
    const std::int32_t v = static_cast<std::int32_t>(sy + (yy - y) * sh / h);
    return from->Get(u, v);
  };
  if (same) {
    snapshot.reset(new (std::nothrow) Color[bw * bh]);
    if (!snapshot) return false;
    for (std::size_t j = 0; j < bh; ++j)
      for (std::size_t i = 0; i < bw; ++i)
        snapshot[j * bw + i] = source_at(x0 + static_cast<std::int64_t>(i), y0 + static_cast<std::int64_t>(j));
  }
  for (std::int64_t yy = y0; yy < y1; ++yy) {
    const RasterRegion::Band* band = clip.BandAt(static_cast<std::int32_t>(yy));
    if (!band) continue;
    for (std::uint32_t k = 0; k < band->count; ++k) {
      const RegionSpan& span = clip.spans()[band->first + k];
      const std::int64_t l = std::max<std::int64_t>(span.left, x0), r = std::min<std::int64_t>(span.right, x1);
      for (std::int64_t xx = l; xx < r; ++xx) {
        const Color s = same ? snapshot[static_cast<std::size_t>(yy - y0) * bw + static_cast<std::size_t>(xx - x0)]
                             : source_at(xx, yy);
        const Color d = dst->Get(static_cast<std::int32_t>(xx), static_cast<std::int32_t>(yy));
        dst->Set(static_cast<std::int32_t>(xx), static_cast<std::int32_t>(yy),
                 MakeColor(BlendChannel(RedOf(s), RedOf(d), alpha), BlendChannel(GreenOf(s), GreenOf(d), alpha),
                           BlendChannel(BlueOf(s), BlueOf(d), alpha)));
      }
    }
  }
  return true;
} catch (const std::bad_alloc&) {
  return false;
}

}  // namespace corvane
