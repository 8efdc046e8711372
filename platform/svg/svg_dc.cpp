#include "platform/svg/svg_dc.h"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <set>
#include <utility>

#include "platform/string_conversion.h"
#include "platform/svg/svg_font_size.h"
#include "platform/svg/svg_geometry.h"
#include "platform/svg/svg_gradient.h"
#include "platform/svg/svg_markup.h"

namespace corvane {
namespace {

// The largest copy read back pixel by pixel: a bigger one is refused as GDI refuses bitmaps
// it cannot make.
constexpr std::int64_t kMaxCopyPixels = std::int64_t{1} << 24;
// Wider than any pen that leaves something to see, and far inside the 24.8 fixed-point range
// of common renderers.
constexpr std::int32_t kMargin = 1 << 16;

bool SamePen(bool aNull, std::int32_t aw, Color ac, bool bNull, std::int32_t bw, Color bc) {
  return aNull == bNull && std::max(aw, 1) == std::max(bw, 1) && ac == bc;
}

std::int64_t BmpRowBytes(std::int32_t w) { return (std::int64_t{w} * 3 + 3) & ~std::int64_t{3}; }

void AppendAttr(std::string& out, const char* name, std::int64_t v) {
  out += ' ';
  out += name;
  out += "=\"";
  AppendInt(out, v);
  out += '"';
}

// One coordinate pair of path data: a space only where the sign does not separate.
void AppendPair(std::string& d, std::int64_t x, std::int64_t y, bool afterCommand) {
  if (!afterCommand && x >= 0) d += ' ';
  AppendInt(d, x);
  if (y >= 0) d += ' ';
  AppendInt(d, y);
}

}  // namespace

bool SvgDc::Pixels::Uniform() const {
  return std::all_of(colors.begin(), colors.end(), [&](Color c) { return c == colors.front(); });
}

SvgDc::SvgDc(DeviceContext& shadow, std::int32_t width, std::int32_t height, SvgPngEncoder encoder)
    : shadow_(shadow), width_(std::max(width, 0)), height_(std::max(height, 0)),
      box_(SvgBoxAround(width_, height_, kMargin)), encoder_(std::move(encoder)) {
  try {
    // The objects a fresh context has selected: black 1-pixel pen, white brush, system font.
    // Each is found by selecting a probe and putting the stock one back.
    auto stockOf = [&](ObjHandle probe) {
      ObjHandle stock = kNoObject;
      if (probe) {
        stock = shadow_.SelectObject(probe);
        if (stock) shadow_.SelectObject(stock);
        shadow_.DeleteObject(probe);
      }
      return stock;
    };
    pen_ = stockOf(shadow_.CreatePen(1, 0));
    brush_ = stockOf(shadow_.CreateSolidBrush(0));
    font_ = stockOf(shadow_.CreateFontA(FontRequest{}));
    if (pen_) pens_[pen_] = PenInfo{1, 0x000000, false};
    if (brush_) brushes_[brush_] = 0xFFFFFF;
    if (font_) fonts_[font_] = FontRequest{};
    text_color_ = shadow_.GetTextColor();
    bk_color_ = shadow_.GetBkColor();
    bk_mode_ = shadow_.GetBkMode();

    out_ += "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n";
    out_ += "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" version=\"1.1\"";
    AppendAttr(out_, "width", width_);
    AppendAttr(out_, "height", height_);
    out_ += " viewBox=\"0 0 ";
    AppendInt(out_, width_);
    out_ += ' ';
    AppendInt(out_, height_);
    // Strokes are closed shapes' outlines or lines, never filled; every filled element names
    // its fill.
    out_ += "\" font-family=\"Arial, 'Liberation Sans', Helvetica, sans-serif\" xml:space=\"preserve\""
            " fill=\"none\" stroke-linecap=\"round\" stroke-linejoin=\"round\">\n";
  } catch (const std::bad_alloc&) {
    Fail();
  }
}

SvgDc::~SvgDc() = default;

bool SvgDc::Finish(std::string* document) {
  if (finished_) return false;
  try {
    FlushAll();
    CloseGroups(0);
    out_ += "</svg>\n";
  } catch (const std::bad_alloc&) {
    Fail();
  }
  finished_ = true;
  if (failed_) {
    out_.clear();
    return false;
  }
  if (document) *document = std::move(out_);
  out_.clear();
  return true;
}

GraphicsSystem& SvgDc::System() { return shadow_.System(); }

// --- objects: made and kept by the shadow; their parameters remembered here ---

// Each creation remembers what the handle stands for; when memory for that runs out the
// object is deleted again, so that nothing is left behind.
template <typename Remember>
ObjHandle SvgDc::Made(ObjHandle h, Remember&& remember) {
  if (!h) return h;
  try {
    remember(h);
  } catch (const std::bad_alloc&) {
    shadow_.DeleteObject(h);
    Fail();
    return kNoObject;
  }
  return h;
}

ObjHandle SvgDc::CreatePen(std::int32_t width, Color color) {
  return Made(shadow_.CreatePen(width, color),
              [&](ObjHandle h) { pens_[h] = PenInfo{width, color & 0xFFFFFF, false}; });
}

ObjHandle SvgDc::CreateSolidBrush(Color color) {
  return Made(shadow_.CreateSolidBrush(color), [&](ObjHandle h) { brushes_[h] = color & 0xFFFFFF; });
}

ObjHandle SvgDc::CreateFontA(const FontRequest& request) {
  return Made(shadow_.CreateFontA(request), [&](ObjHandle h) { fonts_[h] = request; });
}

ObjHandle SvgDc::GetStockNullPen() try {
  const ObjHandle h = shadow_.GetStockNullPen();
  if (h) pens_[h] = PenInfo{1, 0, true};
  return h;
} catch (const std::bad_alloc&) {
  Fail();
  return kNoObject;
}

ObjHandle SvgDc::CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return Made(shadow_.CreateRectRgn(l, t, r, b), [&](ObjHandle h) {
    // The region of a rectangle given corner-wise either way round.
    const std::int64_t x0 = ClampTo(std::min(l, r), box_.left, box_.right);
    const std::int64_t x1 = ClampTo(std::max(l, r), box_.left, box_.right);
    const std::int64_t y0 = ClampTo(std::min(t, b), box_.top, box_.bottom);
    const std::int64_t y1 = ClampTo(std::max(t, b), box_.top, box_.bottom);
    std::string shape = "<rect";
    AppendAttr(shape, "x", x0);
    AppendAttr(shape, "y", y0);
    AppendAttr(shape, "width", x1 - x0);
    AppendAttr(shape, "height", y1 - y0);
    shape += "/>";
    regions_[h] = std::move(shape);
  });
}

ObjHandle SvgDc::CreatePolygonRgn(const IPoint* pts, std::int32_t n) {
  return Made(shadow_.CreatePolygonRgn(pts, n), [&](ObjHandle h) {
    if (!pts || n <= 0) return;
    const std::vector<IPoint> cut = ClipPolygon(box_, pts, n);
    std::string shape = "<path clip-rule=\"evenodd\" d=\"";
    if (cut.size() >= 3) {
      shape += 'M';
      AppendPair(shape, cut[0].x, cut[0].y, true);
      shape += 'l';
      for (std::size_t i = 1; i < cut.size(); ++i)
        AppendPair(shape, std::int64_t{cut[i].x} - cut[i - 1].x, std::int64_t{cut[i].y} - cut[i - 1].y, i == 1);
      shape += 'z';
    }
    shape += "\"/>";
    regions_[h] = std::move(shape);
  });
}

ObjHandle SvgDc::CreateCompatibleBitmap(std::int32_t w, std::int32_t h) {
  return shadow_.CreateCompatibleBitmap(w, h);
}

ObjHandle SvgDc::CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) {
  return shadow_.CreateDIBSection24(w, h, bits);
}

ObjHandle SvgDc::SelectObject(ObjHandle obj) {
  const ObjHandle previous = shadow_.SelectObject(obj);
  if (!previous) return previous;
  if (pens_.count(obj)) {
    pen_ = obj;
  } else if (brushes_.count(obj)) {
    brush_ = obj;
  } else if (fonts_.count(obj)) {
    font_ = obj;
  }
  return previous;
}

ObjHandle SvgDc::GetCurrentBitmap() { return shadow_.GetCurrentBitmap(); }

bool SvgDc::DeleteObject(ObjHandle obj) {
  if (!shadow_.DeleteObject(obj)) return false;
  pens_.erase(obj);
  brushes_.erase(obj);
  fonts_.erase(obj);
  regions_.erase(obj);
  return true;
}

// --- clipping ---

int SvgDc::ClipIdFor(const std::string& shape) {
  const auto found = clip_ids_.find(shape);
  if (found != clip_ids_.end()) return found->second;
  const int id = next_id_++;
  out_ += "<defs><clipPath id=\"c";
  AppendInt(out_, id);
  out_ += "\">";
  out_ += shape;
  out_ += "</clipPath></defs>\n";
  clip_ids_.emplace(shape, id);
  return id;
}

// A region this context did not make: the clip's bounding box is all that can be known.
std::string SvgDc::ClipBoxShape() {
  IRect box{0, 0, 0, 0};
  shadow_.GetClipBox(&box);
  std::string shape = "<rect";
  AppendAttr(shape, "x", box.left);
  AppendAttr(shape, "y", box.top);
  AppendAttr(shape, "width", std::int64_t{box.right} - box.left);
  AppendAttr(shape, "height", std::int64_t{box.bottom} - box.top);
  shape += "/>";
  return shape;
}

int SvgDc::SelectClipRgn(ObjHandle rgn) try {
  const int kind = shadow_.SelectClipRgn(rgn);
  if (kind == kRegionError) return kind;
  clip_.clear();
  clip_empty_ = kind == kNullRegion;
  if (rgn) {
    const auto found = regions_.find(rgn);
    if (found != regions_.end()) {
      clip_.push_back(ClipIdFor(found->second));
    } else {
      clip_.push_back(ClipIdFor(ClipBoxShape()));
    }
  }
  return kind;
} catch (const std::bad_alloc&) {
  Fail();
  return kRegionError;
}

int SvgDc::ExtSelectClipRgnAnd(ObjHandle rgn) try {
  const auto found = regions_.find(rgn);
  const int kind = shadow_.ExtSelectClipRgnAnd(rgn);
  if (kind == kRegionError) return kind;
  clip_empty_ = kind == kNullRegion;
  if (found != regions_.end()) {
    clip_.push_back(ClipIdFor(found->second));
  } else {
    clip_.assign(1, ClipIdFor(ClipBoxShape()));
  }
  return kind;
} catch (const std::bad_alloc&) {
  Fail();
  return kRegionError;
}

int SvgDc::GetClipBox(IRect* box) { return shadow_.GetClipBox(box); }

void SvgDc::CloseGroups(std::size_t keep) {
  while (open_.size() > keep) {
    out_ += "</g>\n";
    open_.pop_back();
  }
}

void SvgDc::EnterClip() {
  std::size_t common = 0;
  while (common < open_.size() && common < clip_.size() && open_[common] == clip_[common]) ++common;
  CloseGroups(common);
  for (std::size_t i = common; i < clip_.size(); ++i) {
    out_ += "<g clip-path=\"url(#c";
    AppendInt(out_, clip_[i]);
    out_ += ")\">\n";
    open_.push_back(clip_[i]);
  }
}

// --- what is pending ---

const SvgDc::PenInfo& SvgDc::Pen() const {
  static const PenInfo kBlack{1, 0x000000, false};
  const auto found = pens_.find(pen_);
  return found == pens_.end() ? kBlack : found->second;
}

void SvgDc::FlushAll() {
  FlushPath();
  FlushRows();
  FlushTiles();
  FlushRects();
}

void SvgDc::FlushPath() {
  if (!path_.active) return;
  path_.active = false;
  if (path_.segments == 0) return;  // every segment was of no length or out of the box
  const bool cosmetic = path_.pen.width <= 1;
  const bool row = cosmetic && path_.segments == 1 && path_.from.y == path_.last.y &&
                   path_.from.x < path_.last.x;
  if (row) {
    const bool stacks = !rows_.colors.empty() && rows_.clip == path_.clip &&
                        rows_.x0 == path_.from.x && rows_.x1 == path_.last.x &&
                        std::int64_t{rows_.top} + static_cast<std::int64_t>(rows_.colors.size()) == path_.last.y;
    if (!stacks) {
      FlushRows();
      rows_.clip = path_.clip;
      rows_.x0 = path_.from.x;
      rows_.x1 = path_.last.x;
      rows_.top = path_.last.y;
      rows_.single = path_.d;
    }
    rows_.colors.push_back(path_.pen.color);
    return;
  }
  FlushRows();
  const std::vector<int> saved = std::move(clip_);
  clip_ = path_.clip;
  EnterClip();
  clip_ = saved;
  out_ += "<path d=\"";
  out_ += path_.d;
  out_ += "\" stroke=\"";
  AppendColor(out_, path_.pen.color);
  out_ += '"';
  if (!cosmetic) AppendAttr(out_, "stroke-width", path_.pen.width);
  // Through the pixel centres, as the raster strokes.
  out_ += " transform=\"translate(.5 .5)\"/>\n";
}

void SvgDc::FlushRows() {
  if (rows_.colors.empty()) return;
  const std::vector<int> saved = std::move(clip_);
  clip_ = rows_.clip;
  EnterClip();
  clip_ = saved;
  const std::size_t n = rows_.colors.size();
  if (n == 1) {
    out_ += "<path d=\"";
    out_ += rows_.single;
    out_ += "\" stroke=\"";
    AppendColor(out_, rows_.colors.front());
    out_ += "\" transform=\"translate(.5 .5)\"/>\n";
  } else {
    const std::vector<std::size_t> stops = GradientStops(rows_.colors);
    const bool solid = std::all_of(rows_.colors.begin(), rows_.colors.end(),
                                   [&](Color c) { return c == rows_.colors.front(); });
    std::string fill;
    if (solid) {
      AppendColor(fill, rows_.colors.front());
    } else {
      const int id = next_id_++;
      // Stops at the rows' centres, so each row reads its own colour.
      out_ += "<defs><linearGradient id=\"g";
      AppendInt(out_, id);
      out_ += "\" gradientUnits=\"userSpaceOnUse\" x1=\"0\" x2=\"0\" y1=\"";
      AppendFixed(out_, rows_.top + 0.5, 1);
      out_ += "\" y2=\"";
      AppendFixed(out_, rows_.top + static_cast<double>(n) - 0.5, 1);
      out_ += "\">";
      for (std::size_t s : stops) {
        out_ += "<stop offset=\"";
        AppendFixed(out_, static_cast<double>(s) / static_cast<double>(n - 1), 5);
        out_ += "\" stop-color=\"";
        AppendColor(out_, rows_.colors[s]);
        out_ += "\"/>";
      }
      out_ += "</linearGradient></defs>\n";
      fill = "url(#g";
      AppendInt(fill, id);
      fill += ')';
    }
    out_ += "<rect";
    AppendAttr(out_, "x", rows_.x0);
    AppendAttr(out_, "y", rows_.top);
    AppendAttr(out_, "width", std::int64_t{rows_.x1} - rows_.x0);
    AppendAttr(out_, "height", static_cast<std::int64_t>(n));
    out_ += " fill=\"";
    out_ += fill;
    out_ += "\"/>\n";
  }
  rows_.colors.clear();
}

void SvgDc::FlushTiles() {
  if (tiles_.at.empty()) return;
  const std::vector<int> saved = std::move(clip_);
  clip_ = tiles_.clip;
  EnterClip();
  const std::int32_t w = tiles_.pixels.w, h = tiles_.pixels.h;
  std::set<std::pair<std::int32_t, std::int32_t>> cells;
  std::int64_t x0 = tiles_.at[0].x, y0 = tiles_.at[0].y, x1 = x0 + w, y1 = y0 + h;
  for (const IPoint& p : tiles_.at) {
    cells.emplace(p.x, p.y);
    x0 = std::min<std::int64_t>(x0, p.x);
    y0 = std::min<std::int64_t>(y0, p.y);
    x1 = std::max<std::int64_t>(x1, std::int64_t{p.x} + w);
    y1 = std::max<std::int64_t>(y1, std::int64_t{p.y} + h);
  }
  const std::int64_t gridCells = ((x1 - x0) / w) * ((y1 - y0) / h);
  const std::string uri = tile_uri_;
  if (tiles_.at.size() > 1 && static_cast<std::int64_t>(cells.size()) == gridCells && !uri.empty()) {
    // Every cell of the grid is covered: one rectangle filled with the tile as a pattern.
    const int id = next_id_++;
    out_ += "<defs><pattern id=\"p";
    AppendInt(out_, id);
    out_ += "\" patternUnits=\"userSpaceOnUse\"";
    AppendAttr(out_, "x", x0);
    AppendAttr(out_, "y", y0);
    AppendAttr(out_, "width", w);
    AppendAttr(out_, "height", h);
    out_ += "><image";
    AppendAttr(out_, "width", w);
    AppendAttr(out_, "height", h);
    out_ += " xlink:href=\"";
    out_ += uri;
    out_ += "\"/></pattern></defs>\n<rect";
    AppendAttr(out_, "x", x0);
    AppendAttr(out_, "y", y0);
    AppendAttr(out_, "width", x1 - x0);
    AppendAttr(out_, "height", y1 - y0);
    out_ += " fill=\"url(#p";
    AppendInt(out_, id);
    out_ += ")\"/>\n";
  } else {
    for (const IPoint& p : tiles_.at) EmitImage(p.x, p.y, w, h, tiles_.pixels, 1.0);
  }
  clip_ = saved;
  tiles_.at.clear();
  tiles_.pixels = Pixels{};
  tile_uri_.clear();
}

// --- lines ---

void SvgDc::StrokeChain(const IPoint* pts, std::int32_t n) {
  if (!Drawable() || n < 2) return;
  const PenInfo& pen = Pen();
  if (pen.null) return;
  const bool cosmetic = pen.width <= 1;
  if (path_.active && (!SamePen(path_.pen.null, path_.pen.width, path_.pen.color, pen.null,
                                pen.width, pen.color) ||
                       path_.clip != clip_))
    FlushPath();
  // A one-pixel row right under a row: the start of a painted gradient, kept apart so that
  // FlushPath can stack it.
  if (path_.active && cosmetic && n == 2 && path_.segments == 1 && pts[0].y == pts[1].y &&
      path_.from.y == path_.last.y && std::int64_t{path_.last.y} + 1 == pts[0].y &&
      path_.from.x == pts[0].x && path_.last.x == pts[1].x)
    FlushPath();
  if (!path_.active) {
    FlushTiles();
    FlushRects();
    path_.active = true;
    path_.pen = pen;
    path_.clip = clip_;
    path_.d.clear();
    path_.segments = 0;
    path_.in_line = false;
    path_.has_last = false;
  }
  for (std::int32_t i = 1; i < n; ++i) {
    IPoint a = pts[i - 1], b = pts[i];
    // A cosmetic line of no length draws nothing (the end pixel is left out).
    if (cosmetic && a.x == b.x && a.y == b.y) continue;
    if (!ClipSegment(box_, &a, &b)) continue;
    if (!path_.has_last || path_.last.x != a.x || path_.last.y != a.y) {
      path_.d += 'M';
      AppendPair(path_.d, a.x, a.y, true);
      path_.in_line = false;
    }
    bool afterCommand = false;
    if (!path_.in_line) {
      path_.d += 'l';
      path_.in_line = true;
      afterCommand = true;
    }
    AppendPair(path_.d, std::int64_t{b.x} - a.x, std::int64_t{b.y} - a.y, afterCommand);
    path_.from = a;
    path_.last = b;
    path_.has_last = true;
    ++path_.segments;
  }
}

bool SvgDc::MoveToEx(std::int32_t x, std::int32_t y) {
  if (!shadow_.MoveToEx(x, y)) return false;
  pos_ = IPoint{x, y};
  return true;
}

bool SvgDc::LineTo(std::int32_t x, std::int32_t y) try {
  if (!shadow_.LineTo(x, y)) return false;
  const IPoint chain[2] = {pos_, IPoint{x, y}};
  StrokeChain(chain, 2);
  pos_ = IPoint{x, y};
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::Polyline(const IPoint* pts, std::int32_t n) try {
  if (!shadow_.Polyline(pts, n)) return false;
  if (!pts || n < 0) return false;
  StrokeChain(pts, n);
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

// --- shapes ---

void SvgDc::EmitRect(std::int64_t l, std::int64_t t, std::int64_t w, std::int64_t h, Color fill,
                     double opacity) {
  if (w <= 0 || h <= 0) return;
  const std::int64_t r = ClampTo(l + w, box_.left, box_.right), b = ClampTo(t + h, box_.top, box_.bottom);
  l = ClampTo(l, box_.left, box_.right);
  t = ClampTo(t, box_.top, box_.bottom);
  w = r - l;
  h = b - t;
  if (w <= 0 || h <= 0) return;
  if (opacity >= 1.0) {
    // Opaque rectangles of one colour in a row (markers, bars) share one path.
    const bool continues = !rects_.at.empty() && rects_.color == fill && rects_.clip == clip_;
    FlushPath();
    FlushRows();
    FlushTiles();
    if (!continues) {
      FlushRects();
      rects_.color = fill;
      rects_.clip = clip_;
    }
    rects_.at.push_back(RectAt{l, t, w, h});
    return;
  }
  FlushAll();
  EnterClip();
  out_ += "<rect";
  AppendAttr(out_, "x", l);
  AppendAttr(out_, "y", t);
  AppendAttr(out_, "width", w);
  AppendAttr(out_, "height", h);
  out_ += " fill=\"";
  AppendColor(out_, fill);
  out_ += "\" fill-opacity=\"";
  AppendFixed(out_, opacity, 4);
  out_ += "\"/>\n";
}

void SvgDc::FlushRects() {
  if (rects_.at.empty()) return;
  const std::vector<int> saved = std::move(clip_);
  clip_ = rects_.clip;
  EnterClip();
  clip_ = saved;
  if (rects_.at.size() == 1) {
    const RectAt& a = rects_.at.front();
    out_ += "<rect";
    AppendAttr(out_, "x", a.x);
    AppendAttr(out_, "y", a.y);
    AppendAttr(out_, "width", a.w);
    AppendAttr(out_, "height", a.h);
  } else {
    // Each rectangle a closed subpath drawn the same way round: the nonzero rule fills their
    // union. A move after a close is relative to the previous rectangle's corner.
    out_ += "<path d=\"";
    std::int64_t px = 0, py = 0;
    for (std::size_t i = 0; i < rects_.at.size(); ++i) {
      const RectAt& a = rects_.at[i];
      out_ += i == 0 ? 'M' : 'm';
      AppendPair(out_, a.x - px, a.y - py, true);
      out_ += 'h';
      AppendInt(out_, a.w);
      out_ += 'v';
      AppendInt(out_, a.h);
      out_ += 'h';
      AppendInt(out_, -a.w);
      out_ += 'z';
      px = a.x;
      py = a.y;
    }
    out_ += '"';
  }
  out_ += " fill=\"";
  AppendColor(out_, rects_.color);
  out_ += "\"/>\n";
  rects_.at.clear();
}

bool SvgDc::Polygon(const IPoint* pts, std::int32_t n) try {
  const bool drawn = shadow_.Polygon(pts, n);
  if (!drawn || !pts || n < 2) return drawn;
  if (!Drawable()) return true;
  const std::vector<IPoint> cut = ClipPolygon(box_, pts, n);
  if (cut.size() < 2) return true;
  std::string d = "M";
  AppendPair(d, cut[0].x, cut[0].y, true);
  d += 'l';
  for (std::size_t i = 1; i < cut.size(); ++i)
    AppendPair(d, std::int64_t{cut[i].x} - cut[i - 1].x, std::int64_t{cut[i].y} - cut[i - 1].y, i == 1);
  d += 'z';
  FlushAll();
  EnterClip();
  const auto brush = brushes_.find(brush_);
  if (brush != brushes_.end() && cut.size() >= 3) {
    out_ += "<path fill-rule=\"evenodd\" d=\"";
    out_ += d;
    out_ += "\" fill=\"";
    AppendColor(out_, brush->second);
    out_ += "\"/>\n";
  }
  const PenInfo& pen = Pen();
  if (!pen.null) {
    out_ += "<path d=\"";
    out_ += d;
    out_ += "\" stroke=\"";
    AppendColor(out_, pen.color);
    out_ += '"';
    if (pen.width > 1) AppendAttr(out_, "stroke-width", pen.width);
    out_ += " transform=\"translate(.5 .5)\"/>\n";
  }
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) try {
  if (!shadow_.Rectangle(l, t, r, b)) return false;
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  if (!Drawable()) return true;
  const PenInfo& pen = Pen();
  const auto brush = brushes_.find(brush_);
  if (pen.null) {
    // Without a pen GDI still leaves out the right column and bottom row.
    if (brush != brushes_.end())
      EmitRect(l, t, std::int64_t{r} - l - 1, std::int64_t{b} - t - 1, brush->second);
    return true;
  }
  if (std::int64_t{r} - l < 1 || std::int64_t{b} - t < 1) return true;
  // Cut to the box: the border there lies outside the picture, so nothing visible moves.
  const std::int64_t cl = ClampTo(l, box_.left, box_.right), ct = ClampTo(t, box_.top, box_.bottom);
  const std::int64_t w = ClampTo(r, box_.left, box_.right) - cl, h = ClampTo(b, box_.top, box_.bottom) - ct;
  if (w < 1 || h < 1) return true;
  FlushAll();
  EnterClip();
  // The outline runs through the centres of the border pixels, the fill inside it.
  out_ += "<rect";
  AppendAttr(out_, "x", cl);
  AppendAttr(out_, "y", ct);
  AppendAttr(out_, "width", w - 1);
  AppendAttr(out_, "height", h - 1);
  if (brush != brushes_.end()) {
    out_ += " fill=\"";
    AppendColor(out_, brush->second);
    out_ += '"';
  }
  out_ += " stroke=\"";
  AppendColor(out_, pen.color);
  out_ += '"';
  if (pen.width > 1) AppendAttr(out_, "stroke-width", pen.width);
  out_ += " transform=\"translate(.5 .5)\"/>\n";
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::FillRect(const IRect& rc, ObjHandle brush) try {
  if (!shadow_.FillRect(rc, brush)) return false;
  const auto found = brushes_.find(brush);
  if (found == brushes_.end()) return false;
  if (!Drawable()) return true;
  // A negative extent covers the pixels from the far edge + 1 up to and including the near one.
  auto axis = [](std::int32_t lo, std::int32_t hi, std::int64_t* a, std::int64_t* z) {
    if (lo <= hi) {
      *a = lo;
      *z = hi;
    } else {
      *a = std::int64_t{hi} + 1;
      *z = std::int64_t{lo} + 1;
    }
  };
  std::int64_t l, r, t, b;
  axis(rc.left, rc.right, &l, &r);
  axis(rc.top, rc.bottom, &t, &b);
  EmitRect(l, t, r - l, b - t, found->second);
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::SetPixelV(std::int32_t x, std::int32_t y, Color c) try {
  if (!shadow_.SetPixelV(x, y, c)) return false;
  if (Drawable()) EmitRect(x, y, 1, 1, c & 0xFFFFFF);
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

Color SvgDc::GetPixel(std::int32_t x, std::int32_t y) { return shadow_.GetPixel(x, y); }

// --- text ---

bool SvgDc::ExtTextOutOpaque(const IRect& rc) try {
  if (!shadow_.ExtTextOutOpaque(rc)) return false;
  if (Drawable())
    EmitRect(std::min(rc.left, rc.right), std::min(rc.top, rc.bottom),
             std::abs(std::int64_t{rc.right} - rc.left), std::abs(std::int64_t{rc.bottom} - rc.top),
             bk_color_);
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) try {
  if (!shadow_.TextOutA(x, y, text, len)) return false;
  if (!text || len <= 0 || !Drawable()) return true;
  // Text that far out cannot reach the picture.
  if (x < box_.left || x > box_.right || y < box_.top || y > box_.bottom) return true;
  const auto font = fonts_.find(font_);
  const FontRequest request = font == fonts_.end() ? FontRequest{} : font->second;
  if (bk_mode_ == kOpaque) {
    TextSize size{0, 0};
    if (shadow_.GetTextExtentPoint32A(text, len, &size)) EmitRect(x, y, size.cx, size.cy, bk_color_);
  }
  FlushAll();
  EnterClip();
  const SvgFontSize metrics = SvgFontSizeFor(request);
  out_ += "<text";
  AppendAttr(out_, "x", x);
  AppendAttr(out_, "y", std::int64_t{y} + metrics.ascent);
  AppendAttr(out_, "font-size", metrics.ppem);
  if (metrics.bold) out_ += " font-weight=\"bold\"";
  if (request.italic) out_ += " font-style=\"italic\"";
  if (request.underline) out_ += " text-decoration=\"underline\"";
  out_ += " fill=\"";
  AppendColor(out_, text_color_);
  out_ += "\">";
  const std::u16string wide = WidenToUtf16(std::string(text, static_cast<std::size_t>(len)));
  AppendXmlText(out_, wide.data(), wide.size());
  out_ += "</text>\n";
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) {
  return shadow_.GetTextExtentPoint32A(text, len, size);
}

Color SvgDc::SetTextColor(Color c) {
  const Color previous = shadow_.SetTextColor(c);
  text_color_ = c & 0xFFFFFF;
  return previous;
}
Color SvgDc::GetTextColor() { return shadow_.GetTextColor(); }

Color SvgDc::SetBkColor(Color c) {
  const Color previous = shadow_.SetBkColor(c);
  bk_color_ = c & 0xFFFFFF;
  return previous;
}
Color SvgDc::GetBkColor() { return shadow_.GetBkColor(); }

int SvgDc::SetBkMode(int mode) {
  const int previous = shadow_.SetBkMode(mode);
  if (previous) bk_mode_ = mode;
  return previous;
}
int SvgDc::GetBkMode() { return shadow_.GetBkMode(); }

// --- copies ---

bool SvgDc::ReadPixels(DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t w,
                       std::int32_t h, Pixels* out) {
  if (w <= 0 || h <= 0 || std::int64_t{w} * h > kMaxCopyPixels) return false;
  out->w = w;
  out->h = h;
  out->colors.resize(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  std::size_t k = 0;
  for (std::int32_t j = 0; j < h; ++j)
    for (std::int32_t i = 0; i < w; ++i) {
      const Color c = src.GetPixel(static_cast<std::int32_t>(std::int64_t{sx} + i),
                                   static_cast<std::int32_t>(std::int64_t{sy} + j));
      // Outside the source nothing is copied from; black stands in for it.
      out->colors[k++] = c == kInvalidColor ? 0 : (c & 0xFFFFFF);
    }
  return true;
}

std::string SvgDc::DataUri(const Pixels& px) {
  if (!encoder_) return std::string();
  const std::size_t stride = static_cast<std::size_t>(BmpRowBytes(px.w));
  std::vector<std::uint8_t> dib(stride * static_cast<std::size_t>(px.h), 0);
  for (std::int32_t j = 0; j < px.h; ++j) {
    std::uint8_t* row = dib.data() + stride * static_cast<std::size_t>(px.h - 1 - j);
    for (std::int32_t i = 0; i < px.w; ++i) {
      const Color c = px.colors[static_cast<std::size_t>(j) * static_cast<std::size_t>(px.w) + i];
      row[3 * i] = static_cast<std::uint8_t>(BlueOf(c));
      row[3 * i + 1] = static_cast<std::uint8_t>(GreenOf(c));
      row[3 * i + 2] = static_cast<std::uint8_t>(RedOf(c));
    }
  }
  std::vector<std::uint8_t> png;
  if (!encoder_(px.w, px.h, dib.data(), &png) || png.empty()) return std::string();
  std::string uri = "data:image/png;base64,";
  AppendBase64(uri, png.data(), png.size());
  return uri;
}

void SvgDc::EmitImage(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                      const Pixels& px, double opacity) {
  const std::string uri = DataUri(px);
  if (uri.empty()) return;
  EnterClip();
  out_ += "<image";
  AppendAttr(out_, "x", x);
  AppendAttr(out_, "y", y);
  AppendAttr(out_, "width", w);
  AppendAttr(out_, "height", h);
  out_ += " preserveAspectRatio=\"none\"";
  if (opacity < 1.0) {
    out_ += " opacity=\"";
    AppendFixed(out_, opacity, 4);
    out_ += '"';
  }
  out_ += " xlink:href=\"";
  out_ += uri;
  out_ += "\"/>\n";
}

bool SvgDc::BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                   std::int32_t sx, std::int32_t sy) try {
  if (!shadow_.BitBlt(x, y, w, h, src, sx, sy)) return false;
  if (!Drawable()) return true;
  Pixels px;
  if (!ReadPixels(src, sx, sy, w, h, &px)) return w <= 0 || h <= 0;
  if (px.Uniform()) {
    EmitRect(x, y, w, h, px.colors.front());
    return true;
  }
  if (!encoder_) return false;
  // The same tile again, on the grid of the first: part of one patterned rectangle.
  const bool continues = !tiles_.at.empty() && tiles_.clip == clip_ && tiles_.pixels.w == w &&
                         tiles_.pixels.h == h && tiles_.pixels.colors == px.colors &&
                         (std::int64_t{x} - tiles_.at[0].x) % w == 0 &&
                         (std::int64_t{y} - tiles_.at[0].y) % h == 0;
  if (!continues) {
    FlushAll();
    tile_uri_ = DataUri(px);
    if (tile_uri_.empty()) return false;
    tiles_.clip = clip_;
    tiles_.pixels = std::move(px);
  }
  tiles_.at.push_back(IPoint{x, y});
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

bool SvgDc::AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                       DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                       std::int32_t sh, std::uint8_t alpha) try {
  if (!shadow_.AlphaBlend(x, y, w, h, src, sx, sy, sw, sh, alpha)) return false;
  if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return false;
  if (!Drawable() || alpha == 0) return true;
  Pixels px;
  if (!ReadPixels(src, sx, sy, sw, sh, &px)) return false;
  const double opacity = alpha / 255.0;
  if (px.Uniform()) {
    EmitRect(x, y, w, h, px.colors.front(), opacity);
    return true;
  }
  FlushAll();
  EmitImage(x, y, w, h, px, opacity);
  return true;
} catch (const std::bad_alloc&) {
  Fail();
  return false;
}

}  // namespace corvane
