#include "platform/raster/antialias_dc.h"

#include <algorithm>
#include <cstdint>
#include <new>

#include "platform/raster/raster_polygon_scan.h"
#include "platform/worker_pool.h"

namespace corvane {

PixelSurface PixelSurface::BottomUpDib24(void* bits, std::int32_t w, std::int32_t h) {
  PixelSurface s;
  if (!bits || w <= 0 || h <= 0) return s;
  const std::ptrdiff_t stride = (static_cast<std::ptrdiff_t>(w) * 3 + 3) & ~std::ptrdiff_t{3};
  s.row0 = static_cast<std::uint8_t*>(bits) + stride * (h - 1);
  s.stride = -stride;
  s.width = w;
  s.height = h;
  s.bytesPerPixel = 3;
  return s;
}

namespace {

// The cells a coverage raster over `box` holds.
std::size_t CellsOf(const IRect& box) {
  return (static_cast<std::size_t>(box.right - box.left) + 2) * static_cast<std::size_t>(box.bottom - box.top);
}

bool AxisAligned(const IPoint* pts, std::size_t n, bool closed) {
  for (std::size_t i = 0; i + 1 < n; ++i)
    if (pts[i].x != pts[i + 1].x && pts[i].y != pts[i + 1].y) return false;
  return !closed || n < 2 || pts[0].x == pts[n - 1].x || pts[0].y == pts[n - 1].y;
}

// Pixel centres: the integer device point (x, y) names the pixel whose centre is
// (x + 0.5, y + 0.5), so a one-pixel stroke along a row covers exactly that row.
DPoint Centre(IPoint p) { return {p.x + 0.5, p.y + 0.5}; }

// Where a pen's line runs: through pixel centres for odd widths, along pixel edges for even
// ones, as GDI places wide pens (a 2-pixel line at y covers rows y - 1 and y), so that lines
// along rows and columns keep whole pixels.
DPoint StrokeCentre(IPoint p, std::int32_t width) {
  const double at = width > 1 && width % 2 == 0 ? 0.0 : 0.5;
  return {p.x + at, p.y + at};
}

}  // namespace

// Blends the swept coverage, times a constant opacity, into the surface through the clip.
// A pixel the outline covers whole takes the opacity itself, so the inside of a translucent
// shape has the pixels of a constant-alpha blend.
class AntialiasDc::Painter : public CoverageSink {
 public:
  Painter(const PixelSurface& s, const RasterRegion& clip, Color c, std::uint8_t opacity)
      : s_(s), clip_(clip), r_(RedOf(c)), g_(GreenOf(c)), b_(BlueOf(c)), opacity_(opacity) {}

  void CoverageRow(std::int32_t y, std::int32_t x, const std::uint8_t* alpha, std::int32_t n) override {
    const RasterRegion::Band* band = clip_.BandAt(y);
    if (!band) return;
    std::uint8_t* row = s_.row0 + s_.stride * y;
    const RegionSpan* spans = clip_.spans().data() + band->first;
    for (std::uint32_t k = 0; k < band->count; ++k) {
      const std::int32_t from = std::max(x, spans[k].left), to = std::min(x + n, spans[k].right);
      for (std::int32_t i = from; i < to; ++i) {
        const int a = opacity_ == 255 ? alpha[i - x] : (alpha[i - x] * opacity_ + 127) / 255;
        if (a == 0) continue;
        std::uint8_t* p = row + static_cast<std::ptrdiff_t>(i) * s_.bytesPerPixel;
        if (a == 255) {
          p[0] = static_cast<std::uint8_t>(b_);
          p[1] = static_cast<std::uint8_t>(g_);
          p[2] = static_cast<std::uint8_t>(r_);
        } else {
          p[0] = Mix(p[0], b_, a);
          p[1] = Mix(p[1], g_, a);
          p[2] = Mix(p[2], r_, a);
        }
      }
    }
  }

 private:
  static std::uint8_t Mix(int dst, int src, int a) {
    return static_cast<std::uint8_t>((src * a + dst * (255 - a) + 127) / 255);
  }
  const PixelSurface& s_;
  const RasterRegion& clip_;
  int r_, g_, b_;
  int opacity_;
};

AntialiasDc::AntialiasDc(DeviceContext& inner, const PixelSurface& surface, AntialiasCells* cells,
                         WorkerPool* workers)
    : inner_(inner),
      surface_(surface),
      cells_(cells ? cells : &own_cells_),
      raster_(&cells_->shapes),
      workers_(workers && workers->workers() > 1 ? workers : nullptr) {
  // A clip already selected: a rectangle is known from its box, anything else is not.
  IRect box{0, 0, 0, 0};
  const int kind = inner_.GetClipBox(&box);
  if (kind == kComplexRegion || kind == kRegionError) {
    clip_unknown_ = true;
  } else if (box.left > 0 || box.top > 0 || box.right < surface_.width || box.bottom < surface_.height) {
    try {
      clip_ = RasterRegion::FromRect(box.left, box.top, box.right, box.bottom);
      has_clip_ = true;
    } catch (const std::bad_alloc&) {
      clip_unknown_ = true;
    }
  }
}

AntialiasDc::~AntialiasDc() { Flush(); }

// ---- objects: made by the wrapped context, remembered here ----

ObjHandle AntialiasDc::CreatePen(std::int32_t width, Color color) {
  const ObjHandle h = inner_.CreatePen(width, color);
  if (h) try {
      kinds_[h] = Kind::kPen;
      pens_[h] = Pen{true, false, width, color};
    } catch (const std::bad_alloc&) {
      kinds_.erase(h);  // an unknown pen is drawn by the wrapped context
    }
  return h;
}

ObjHandle AntialiasDc::CreateSolidBrush(Color color) {
  const ObjHandle h = inner_.CreateSolidBrush(color);
  if (h) try {
      kinds_[h] = Kind::kBrush;
      brushes_[h] = color;
    } catch (const std::bad_alloc&) {
      kinds_.erase(h);
    }
  return h;
}

ObjHandle AntialiasDc::CreateFontA(const FontRequest& request) {
  FontRequest smoothed = request;
  smoothed.smoothed = true;
  const ObjHandle h = inner_.CreateFontA(smoothed);
  if (h) try {
      kinds_[h] = Kind::kFont;
    } catch (const std::bad_alloc&) {
    }
  return h;
}

ObjHandle AntialiasDc::GetStockNullPen() {
  const ObjHandle h = inner_.GetStockNullPen();
  if (h) try {
      kinds_[h] = Kind::kPen;
      pens_[h] = Pen{true, true, 0, 0};
    } catch (const std::bad_alloc&) {
      kinds_.erase(h);
    }
  return h;
}

ObjHandle AntialiasDc::CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  const ObjHandle h = inner_.CreateRectRgn(l, t, r, b);
  if (h) try {
      regions_[h] = RasterRegion::FromRect(l, t, r, b);
    } catch (const std::bad_alloc&) {
      regions_.erase(h);  // selecting it makes the clip unknown: the wrapped context draws
    }
  return h;
}

ObjHandle AntialiasDc::CreatePolygonRgn(const IPoint* pts, std::int32_t n) {
  const ObjHandle h = inner_.CreatePolygonRgn(pts, n);
  if (h) try {
      regions_[h] = PolygonRegion(pts, n);
    } catch (const std::bad_alloc&) {
      regions_.erase(h);
    }
  return h;
}

ObjHandle AntialiasDc::CreateCompatibleBitmap(std::int32_t w, std::int32_t h) {
  return inner_.CreateCompatibleBitmap(w, h);
}

ObjHandle AntialiasDc::CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) {
  return inner_.CreateDIBSection24(w, h, bits);
}

ObjHandle AntialiasDc::SelectObject(ObjHandle obj) {
  // A pen, brush or font changes nothing drawn so far; a bitmap may change the surface.
  if (kinds_.count(obj))
    CloseStroke();
  else
    Flush();
  const ObjHandle previous = inner_.SelectObject(obj);
  if (!previous) return previous;
  const auto kind = kinds_.find(obj);
  if (kind == kinds_.end()) {
    // A bitmap, or an object made elsewhere: the surface may no longer be the one known.
    lost_ = true;
    return previous;
  }
  // What was selected before is of the same kind: a pen or brush whose look is unknown is
  // still recognised when it comes back.
  try {
    kinds_.emplace(previous, kind->second);
  } catch (const std::bad_alloc&) {
  }
  if (kind->second == Kind::kPen) pen_ = obj;
  if (kind->second == Kind::kBrush) brush_ = obj;
  return previous;
}

ObjHandle AntialiasDc::GetCurrentBitmap() { return inner_.GetCurrentBitmap(); }

bool AntialiasDc::DeleteObject(ObjHandle obj) {
  // Pending strokes keep what they need of their pens and clips.
  if (kinds_.count(obj) || regions_.count(obj))
    CloseStroke();
  else
    Flush();
  const bool ok = inner_.DeleteObject(obj);
  if (ok) {
    kinds_.erase(obj);
    pens_.erase(obj);
    brushes_.erase(obj);
    regions_.erase(obj);
  }
  return ok;
}

const AntialiasDc::Pen* AntialiasDc::SelectedPen() const {
  const auto it = pens_.find(pen_);
  return it == pens_.end() ? nullptr : &it->second;
}

const Color* AntialiasDc::SelectedBrushColor() const {
  const auto it = brushes_.find(brush_);
  return it == brushes_.end() ? nullptr : &it->second;
}

// ---- clipping ----

int AntialiasDc::SelectClipRgn(ObjHandle rgn) {
  CloseStroke();
  const int kind = inner_.SelectClipRgn(rgn);
  if (kind == kRegionError) return kind;
  visible_valid_ = false;
  if (rgn == kNoObject) {
    has_clip_ = clip_unknown_ = false;
    clip_ = RasterRegion();
    return kind;
  }
  const auto it = regions_.find(rgn);
  clip_unknown_ = it == regions_.end();
  has_clip_ = true;
  if (!clip_unknown_) try {
      clip_ = it->second;
    } catch (const std::bad_alloc&) {
      clip_unknown_ = true;
    }
  return kind;
}

int AntialiasDc::ExtSelectClipRgnAnd(ObjHandle rgn) {
  CloseStroke();
  const int kind = inner_.ExtSelectClipRgnAnd(rgn);
  if (kind == kRegionError) return kind;
  visible_valid_ = false;
  const auto it = regions_.find(rgn);
  if (it == regions_.end() || clip_unknown_) {
    clip_unknown_ = true;
    return kind;
  }
  try {
    clip_ = has_clip_ ? clip_.Intersect(it->second) : it->second;
    has_clip_ = true;
  } catch (const std::bad_alloc&) {
    clip_unknown_ = true;
  }
  return kind;
}

int AntialiasDc::GetClipBox(IRect* box) {
  CloseStroke();
  return inner_.GetClipBox(box);
}

const RasterRegion& AntialiasDc::VisibleClip() {
  if (!visible_valid_) {
    const IRect all{0, 0, surface_.width, surface_.height};
    visible_ = has_clip_ ? clip_.IntersectRect(all) : RasterRegion::FromRect(0, 0, all.right, all.bottom);
    visible_valid_ = true;
  }
  return visible_;
}

// ---- lines, gathered into chains ----

bool AntialiasDc::MoveToEx(std::int32_t x, std::int32_t y) {
  const Pen* pen = SelectedPen();
  if (!Following() || !pen || pen->null_pen) {
    CloseStroke();
    pos_ = {x, y};
    return inner_.MoveToEx(x, y);
  }
  // Moving to where the last line ended goes on with the same chain.
  if (x != pos_.x || y != pos_.y) extending_ = false;
  pos_ = {x, y};
  pos_sent_ = false;
  return true;
}

// The point goes in first: when memory runs out between the two, a stray point only widens
// the box the chains are stroked in.
void AntialiasDc::StartChain(IPoint p, bool closed) {
  points_.push_back(p);
  chains_.push_back(Chain{points_.size() - 1, 1, closed});
}

bool AntialiasDc::LineTo(std::int32_t x, std::int32_t y) {
  const Pen* pen = SelectedPen();
  if (Following() && pen && !pen->null_pen) {
    try {
      if (!extending_) {
        StartChain(pos_, false);
        extending_ = true;
      }
      points_.push_back({x, y});
      ++chains_.back().count;
      pos_ = {x, y};
      pos_sent_ = false;
      return true;
    } catch (const std::bad_alloc&) {
      // Out of memory: what was gathered is drawn, then this line, aliased.
    }
  }
  Flush();
  pos_ = {x, y};
  return inner_.LineTo(x, y);
}

bool AntialiasDc::Polyline(const IPoint* pts, std::int32_t n) {
  const Pen* pen = SelectedPen();
  if (pts && n >= 2 && Following() && pen && !pen->null_pen) {
    try {
      const std::size_t count = static_cast<std::size_t>(n);
      if (points_.capacity() - points_.size() < count)
        points_.reserve(std::max(points_.size() + count, 2 * points_.capacity()));
      // A run that starts where the last one ended goes on with its chain: the point is
      // joined, not capped twice (the plots come in short runs).
      if (!chains_.empty() && !chains_.back().closed &&
          chains_.back().first + chains_.back().count == points_.size() &&
          points_.back().x == pts[0].x && points_.back().y == pts[0].y) {
        points_.insert(points_.end(), pts + 1, pts + n);
        chains_.back().count += count - 1;
      } else {
        chains_.push_back(Chain{points_.size(), count, false});
        points_.insert(points_.end(), pts, pts + n);
      }
      extending_ = false;  // the current position stays where it was
      return true;
    } catch (const std::bad_alloc&) {
      // Nothing was added: reserve and push_back come before the points go in.
    }
  }
  Flush();
  return inner_.Polyline(pts, n);
}

void AntialiasDc::ReplayChains() {
  for (const Chain& c : chains_) {
    const IPoint* p = points_.data() + c.first;
    if (c.count < 2) continue;
    inner_.MoveToEx(p[0].x, p[0].y);
    for (std::size_t i = 1; i < c.count; ++i) inner_.LineTo(p[i].x, p[i].y);
    if (c.closed) inner_.LineTo(p[0].x, p[0].y);
  }
}

bool AntialiasDc::StrokeBox(const Pen& pen, IRect* box) {
  const RasterRegion& visible = VisibleClip();
  if (visible.empty()) return false;
  std::int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
  for (const IPoint& p : points_) {
    l = std::min<std::int64_t>(l, p.x);
    t = std::min<std::int64_t>(t, p.y);
    r = std::max<std::int64_t>(r, p.x);
    b = std::max<std::int64_t>(b, p.y);
  }
  const std::int64_t reach = static_cast<std::int64_t>(AntialiasStroke(pen.width).reach()) + 2;
  const IRect vb = visible.Bounds();
  *box = IRect{static_cast<std::int32_t>(std::max<std::int64_t>(l - reach, vb.left)),
               static_cast<std::int32_t>(std::max<std::int64_t>(t - reach, vb.top)),
               static_cast<std::int32_t>(std::min<std::int64_t>(r + reach + 1, vb.right)),
               static_cast<std::int32_t>(std::min<std::int64_t>(b + reach + 1, vb.bottom))};
  return box->left < box->right && box->top < box->bottom;
}

bool AntialiasDc::StrokeChains(const Pen& pen, const IRect* knownBox) try {
  IRect box{0, 0, 0, 0};
  if (knownBox)
    box = *knownBox;
  else if (!StrokeBox(pen, &box))
    return true;
  AntialiasStroke stroke(pen.width);
  raster_->Begin(box);
  for (const Chain& c : chains_) {
    centres_.resize(c.count);
    for (std::size_t i = 0; i < c.count; ++i) centres_[i] = StrokeCentre(points_[c.first + i], pen.width);
    stroke.AddChain(centres_.data(), c.count, c.closed, *raster_);
  }
  Paint(*raster_, FillRule::kNonZero, pen.color);
  return true;
} catch (const std::bad_alloc&) {
  *raster_ = CoverageRaster();  // its cells may hold part of an outline
  return false;
}

void AntialiasDc::CloseStroke() {
  if (!chains_.empty()) {
    const Pen* pen = SelectedPen();
    bool drawn = false;
    if (pen && Following()) {
      // Hairlines along rows and columns already cover whole pixels.
      bool slanted = pen->width > 1;
      for (std::size_t i = 0; i < chains_.size() && !slanted; ++i)
        slanted = !AxisAligned(points_.data() + chains_[i].first, chains_[i].count, chains_[i].closed);
      if (slanted) {
        IRect box{0, 0, 0, 0};
        try {
          if (!StrokeBox(*pen, &box)) drawn = true;  // it reaches no pixel it may paint
        } catch (const std::bad_alloc&) {
          // The visible clip could not be had: drawn below, as one thread would.
        }
        // A batch starts with a stroke long enough to outweigh handing it over; short ones
        // join it rather than end it.
        if (!drawn && workers_ && (pending_ > 0 || points_.size() >= kMinPendingPoints) &&
            box.left < box.right && CellsOf(box) <= kMaxPendingCells)
          drawn = DeferStroke(*pen, box);
        if (!drawn) {
          PaintPending();
          drawn = StrokeChains(*pen, box.left < box.right ? &box : nullptr);
        }
      }
    }
    if (!drawn) {
      PaintPending();
      ReplayChains();
    }
    chains_.clear();
    points_.clear();
    pos_sent_ = false;
  }
  extending_ = false;
  if (!pos_sent_) {
    inner_.MoveToEx(pos_.x, pos_.y);
    pos_sent_ = true;
  }
}

void AntialiasDc::Flush() {
  CloseStroke();
  PaintPending();
}

bool AntialiasDc::DeferStroke(const Pen& pen, const IRect& box) {
  const std::size_t cells = CellsOf(box);
  if (pending_ == kMaxPending || (pending_ > 0 && pendingCells_ + cells > kMaxPendingCells))
    PaintPending();
  std::vector<PendingStroke>& slots = cells_->pending;
  try {
    if (slots.size() <= pending_) slots.resize(pending_ + 1);
    PendingStroke& s = slots[pending_];
    try {
      s.color = pen.color;
      s.clip = VisibleClip();
      s.centres.resize(points_.size());
      for (std::size_t i = 0; i < points_.size(); ++i) s.centres[i] = StrokeCentre(points_[i], pen.width);
      s.chains.assign(chains_.begin(), chains_.end());
      std::size_t longest = 0;
      for (const Chain& c : chains_) longest = std::max(longest, c.count);
      s.stroke.Reset(pen.width);
      s.stroke.Reserve(longest);
      s.raster.Begin(box);
      s.cellsHeld = std::max(s.cellsHeld, cells);
      s.runs.Reserve(static_cast<std::size_t>(box.bottom - box.top),
                     static_cast<std::size_t>(box.right - box.left));
    } catch (const std::bad_alloc&) {
      s.raster = CoverageRaster();  // Begin may have stopped half way
      throw;
    }
  } catch (const std::bad_alloc&) {
    return false;  // not kept: drawn at once
  }
  ++pending_;
  pendingCells_ += cells;
  pendingPoints_ += points_.size();
  return true;
}

void AntialiasDc::PaintPending() {
  if (pending_ == 0) return;
  std::vector<PendingStroke>& slots = cells_->pending;
  // Each worker makes whole strokes, each in its own raster; nothing here allocates.
  auto make = [&](int k) {
    PendingStroke& s = slots[static_cast<std::size_t>(k)];
    for (const StrokeChain& c : s.chains)
      s.stroke.AddChain(s.centres.data() + c.first, c.count, c.closed, s.raster);
    s.raster.Sweep(FillRule::kNonZero, s.runs);
  };
  // Waking a worker costs more than a few short strokes take.
  if (pendingPoints_ >= kMinParallelPoints)
    workers_->Run(static_cast<int>(pending_), make);
  else
    for (std::size_t k = 0; k < pending_; ++k) make(static_cast<int>(k));
  // The wrapped context may still hold drawing back; it must reach the memory first.
  inner_.System().FlushDrawing();
  for (std::size_t k = 0; k < pending_; ++k) {
    const PendingStroke& s = slots[k];
    Painter painter(surface_, s.clip, s.color, 255);
    for (const CoverageRuns::Row& row : s.runs.rows())
      painter.CoverageRow(row.y, row.x, s.runs.alpha() + row.offset, row.n);
  }
  pending_ = pendingCells_ = pendingPoints_ = 0;
  // Memory kept for the next batch, within bounds: the last slots give theirs back first.
  std::size_t kept = 0;
  for (const PendingStroke& s : slots) kept += s.cellsHeld;
  for (std::size_t k = slots.size(); k-- > 1 && kept > kMaxKeptCells;) {
    kept -= slots[k].cellsHeld;
    slots[k] = PendingStroke();
  }
}

void AntialiasDc::Paint(CoverageRaster& raster, FillRule rule, Color color, std::uint8_t opacity) {
  // The wrapped context may still hold drawing back; it must reach the memory first.
  inner_.System().FlushDrawing();
  Painter painter(surface_, VisibleClip(), color, opacity);
  raster.Sweep(rule, painter);
}

// ---- shapes ----

void AntialiasDc::FillPolygon(const IPoint* pts, std::int32_t n, Color color, std::uint8_t opacity) {
  const RasterRegion& visible = VisibleClip();
  if (visible.empty()) return;
  std::int64_t l = INT64_MAX, t = INT64_MAX, r = INT64_MIN, b = INT64_MIN;
  for (std::int32_t i = 0; i < n; ++i) {
    l = std::min<std::int64_t>(l, pts[i].x);
    t = std::min<std::int64_t>(t, pts[i].y);
    r = std::max<std::int64_t>(r, pts[i].x);
    b = std::max<std::int64_t>(b, pts[i].y);
  }
  const IRect vb = visible.Bounds();
  const IRect box{static_cast<std::int32_t>(std::max<std::int64_t>(l, vb.left)),
                  static_cast<std::int32_t>(std::max<std::int64_t>(t, vb.top)),
                  static_cast<std::int32_t>(std::min<std::int64_t>(r + 2, vb.right)),
                  static_cast<std::int32_t>(std::min<std::int64_t>(b + 2, vb.bottom))};
  if (box.left >= box.right || box.top >= box.bottom) return;
  raster_->Begin(box);
  centres_.resize(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) centres_[static_cast<std::size_t>(i)] = Centre(pts[i]);
  raster_->AddPolygon(centres_.data(), centres_.size());
  Paint(*raster_, FillRule::kEvenOdd, color, opacity);
}

bool AntialiasDc::BlendPolygonSmooth(const IPoint* pts, std::int32_t n, Color color,
                                     std::uint8_t alpha) {
  Flush();
  // An outline along rows and columns already covers whole pixels: its blend stays crisp.
  if (!pts || n < 3 || !Following() || AxisAligned(pts, static_cast<std::size_t>(n), true))
    return false;
  try {
    FillPolygon(pts, n, color, alpha);
  } catch (const std::bad_alloc&) {
    *raster_ = CoverageRaster();
    return false;  // nothing was painted: the caller blends it aliased
  }
  return true;
}

bool AntialiasDc::Polygon(const IPoint* pts, std::int32_t n) {
  Flush();
  const Pen* pen = SelectedPen();
  const Color* brush = SelectedBrushColor();
  if (!pts || n < 2 || !Following() || !pen || !brush) return inner_.Polygon(pts, n);
  const std::size_t count = static_cast<std::size_t>(n);
  const bool hairline = pen->null_pen || pen->width <= 1;
  if (hairline && AxisAligned(pts, count, true)) return inner_.Polygon(pts, n);
  try {
    FillPolygon(pts, n, *brush);
  } catch (const std::bad_alloc&) {
    *raster_ = CoverageRaster();
    return inner_.Polygon(pts, n);  // aliased, but drawn
  }
  if (pen->null_pen) return true;
  try {
    chains_.push_back(Chain{0, count, true});
    points_.assign(pts, pts + n);
  } catch (const std::bad_alloc&) {
    chains_.clear();
    points_.clear();
    return inner_.Polyline(pts, n);
  }
  if (!StrokeChains(*pen)) ReplayChains();
  chains_.clear();
  points_.clear();
  return true;
}

bool AntialiasDc::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  Flush();
  const Pen* pen = SelectedPen();
  // Rectangles of hairlines or no outline lie on whole pixels: the wrapped context draws them.
  if (!Following() || !pen || pen->null_pen || pen->width <= 1 || !SelectedBrushColor())
    return inner_.Rectangle(l, t, r, b);
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  // The inside, as GDI fills it under an outline: one pixel in from each edge of [l, r - 1].
  if (std::int64_t{r} - l > 2 && std::int64_t{b} - t > 2) inner_.FillRect({l + 1, t + 1, r - 1, b - 1}, brush_);
  if (std::int64_t{r} - l < 1 || std::int64_t{b} - t < 1) return true;
  const IPoint corners[4] = {{l, t}, {r - 1, t}, {r - 1, b - 1}, {l, b - 1}};
  try {
    chains_.push_back(Chain{0, 4, true});
    points_.assign(corners, corners + 4);
  } catch (const std::bad_alloc&) {
    chains_.clear();
    points_.clear();
    return inner_.Rectangle(l, t, r, b);
  }
  if (!StrokeChains(*pen)) ReplayChains();
  chains_.clear();
  points_.clear();
  return true;
}

bool AntialiasDc::FillRect(const IRect& rc, ObjHandle brush) {
  Flush();
  return inner_.FillRect(rc, brush);
}

bool AntialiasDc::SetPixelV(std::int32_t x, std::int32_t y, Color c) {
  Flush();
  return inner_.SetPixelV(x, y, c);
}

Color AntialiasDc::GetPixel(std::int32_t x, std::int32_t y) {
  Flush();
  return inner_.GetPixel(x, y);
}

// ---- text and state: the wrapped context's ----

bool AntialiasDc::ExtTextOutOpaque(const IRect& rc) {
  Flush();
  return inner_.ExtTextOutOpaque(rc);
}
bool AntialiasDc::TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) {
  Flush();
  return inner_.TextOutA(x, y, text, len);
}
bool AntialiasDc::GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) {
  return inner_.GetTextExtentPoint32A(text, len, size);
}
Color AntialiasDc::SetTextColor(Color c) { return inner_.SetTextColor(c); }
Color AntialiasDc::GetTextColor() { return inner_.GetTextColor(); }
Color AntialiasDc::SetBkColor(Color c) { return inner_.SetBkColor(c); }
Color AntialiasDc::GetBkColor() { return inner_.GetBkColor(); }
int AntialiasDc::SetBkMode(int mode) { return inner_.SetBkMode(mode); }
int AntialiasDc::GetBkMode() { return inner_.GetBkMode(); }

bool AntialiasDc::BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                         DeviceContext& src, std::int32_t sx, std::int32_t sy) {
  Flush();
  return inner_.BitBlt(x, y, w, h, src, sx, sy);
}

bool AntialiasDc::AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                             DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                             std::int32_t sh, std::uint8_t alpha) {
  Flush();
  return inner_.AlphaBlend(x, y, w, h, src, sx, sy, sw, sh, alpha);
}

}  // namespace corvane
