#include "platform/recording_dc.h"

#include <algorithm>
#include <cstdio>
#include <new>

namespace corvane {
namespace {

// Blank-mode stock objects: fixed handles below the range of created ones.
constexpr ObjHandle kStockPen = 0x11;
constexpr ObjHandle kStockBrush = 0x12;
constexpr ObjHandle kStockFont = 0x13;
constexpr ObjHandle kStockBitmap = 0x14;
constexpr ObjHandle kNullPen = 0x15;

// The same bound the portable raster applies: no side above 32767, at most 2^26 pixels.
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 26;

std::string Num(std::int64_t v) { return std::to_string(v); }

std::string Hex(Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%06x", static_cast<unsigned>(c));
  return buf;
}

std::string Bool(bool b) { return b ? "1" : "0"; }

std::string Rect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return Num(l) + " " + Num(t) + " " + Num(r) + " " + Num(b);
}

std::string Points(const IPoint* pts, std::int32_t n) {
  std::string s = Num(n);
  if (!pts) return s;
  for (std::int32_t i = 0; i < n; ++i) {
    s += ' ';
    s += Num(pts[i].x);
    s += ' ';
    s += Num(pts[i].y);
  }
  return s;
}

IRect Intersect(const IRect& a, const IRect& b) {
  IRect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
  if (r.right <= r.left || r.bottom <= r.top) r = IRect{0, 0, 0, 0};
  return r;
}

bool IsEmpty(const IRect& r) { return r.right <= r.left || r.bottom <= r.top; }

}  // namespace

// ---------------------------------------------------------------------------------------
// CallLog

std::vector<std::string> CallLog::Texts() const {
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const RecordedCall& c : calls_) out.push_back(c.text);
  return out;
}

static bool HasName(const std::string& text, const std::string& name) {
  return text.size() >= name.size() && text.compare(0, name.size(), name) == 0 &&
         (text.size() == name.size() || text[name.size()] == ' ');
}

std::vector<std::string> CallLog::Named(const std::string& name) const {
  std::vector<std::string> out;
  for (const RecordedCall& c : calls_)
    if (HasName(c.text, name)) out.push_back(c.text);
  return out;
}

std::size_t CallLog::Count(const std::string& name) const {
  std::size_t n = 0;
  for (const RecordedCall& c : calls_)
    if (HasName(c.text, name)) ++n;
  return n;
}

long CallLog::Find(const std::string& text, std::size_t from) const {
  for (std::size_t i = from; i < calls_.size(); ++i)
    if (HasName(calls_[i].text, text)) return static_cast<long>(i);
  return -1;
}

std::string CallLog::Dump() const {
  std::string s;
  for (const RecordedCall& c : calls_) {
    s += 'd';
    s += Num(c.dc);
    s += ' ';
    s += c.text;
    if (!c.result.empty()) {
      s += " = ";
      s += c.result;
    }
    s += '\n';
  }
  return s;
}

// ---------------------------------------------------------------------------------------
// RecordingGraphicsSystem

RecordingGraphicsSystem::RecordingGraphicsSystem(GraphicsSystem* inner) : inner_(inner) {
  names_[kStockPen] = "stockpen";
  names_[kStockBrush] = "stockbrush";
  names_[kStockFont] = "stockfont";
  names_[kStockBitmap] = "stockbitmap";
  names_[kNullPen] = "nullpen";
}

RecordingGraphicsSystem::~RecordingGraphicsSystem() = default;

void RecordingGraphicsSystem::AddWindow(std::int32_t hwnd, std::int32_t width,
                                        std::int32_t height) {
  windows_[hwnd] = IRect{0, 0, width, height};
}

void RecordingGraphicsSystem::SetScreenSize(std::int32_t width, std::int32_t height) {
  screen_ = IRect{0, 0, width, height};
}

std::string RecordingGraphicsSystem::NameOf(ObjHandle h) const {
  if (h == kNoObject) return "0";
  auto it = names_.find(h);
  if (it != names_.end()) return it->second;
  char buf[32];
  std::snprintf(buf, sizeof buf, "h%llx", static_cast<unsigned long long>(h));
  return buf;
}

std::string RecordingGraphicsSystem::Register(ObjHandle h, char prefix) {
  if (h == kNoObject) return "0";
  std::string name(1, prefix);
  name += Num(++lastName_);
  names_[h] = name;
  return name;
}

ObjHandle RecordingGraphicsSystem::NewFake(Kind kind, char prefix, FakeObject obj,
                                           std::string* name) {
  obj.kind = kind;
  ObjHandle h = ++lastFake_;
  objects_.emplace(h, std::move(obj));
  *name = Register(h, prefix);
  return h;
}

RecordingGraphicsSystem::FakeObject* RecordingGraphicsSystem::Fake(ObjHandle h) {
  auto it = objects_.find(h);
  return it == objects_.end() ? nullptr : &it->second;
}

bool RecordingGraphicsSystem::DeleteFake(ObjHandle h) {
  auto it = objects_.find(h);
  if (it == objects_.end() || it->second.selectedIn != 0) return false;
  objects_.erase(it);
  return true;
}

bool RecordingGraphicsSystem::BitmapAllowed(std::int32_t w, std::int32_t h) const {
  if (refuseBitmaps_ || w <= 0 || h <= 0 || w > kMaxSide || h > kMaxSide) return false;
  return std::int64_t{w} * h <= kMaxPixels;
}

std::unique_ptr<DeviceContext> RecordingGraphicsSystem::GetWindowDC(std::int32_t hwnd) {
  std::unique_ptr<DeviceContext> result;
  if (inner_) {
    std::unique_ptr<DeviceContext> dc = inner_->GetWindowDC(hwnd);
    if (dc) {
      DeviceContext* raw = dc.get();
      result = std::make_unique<RecordingDc>(*this, std::move(dc), raw,
                                             RecordingDc::Role::kWindow, IRect{0, 0, 0, 0});
    }
  } else {
    auto it = windows_.find(hwnd);
    if (it != windows_.end())
      result = std::make_unique<RecordingDc>(*this, nullptr, nullptr, RecordingDc::Role::kWindow,
                                             it->second);
  }
  log_.Add(0, "GetWindowDC " + Num(hwnd),
           result ? "d" + Num(static_cast<RecordingDc*>(result.get())->id()) : "null");
  return result;
}

std::unique_ptr<DeviceContext> RecordingGraphicsSystem::GetScreenDC() {
  std::unique_ptr<DeviceContext> result;
  if (inner_) {
    std::unique_ptr<DeviceContext> dc = inner_->GetScreenDC();
    if (dc) {
      DeviceContext* raw = dc.get();
      result = std::make_unique<RecordingDc>(*this, std::move(dc), raw,
                                             RecordingDc::Role::kScreen, IRect{0, 0, 0, 0});
    }
  } else {
    result = std::make_unique<RecordingDc>(*this, nullptr, nullptr, RecordingDc::Role::kScreen,
                                           screen_);
  }
  log_.Add(0, "GetScreenDC",
           result ? "d" + Num(static_cast<RecordingDc*>(result.get())->id()) : "null");
  return result;
}

std::unique_ptr<DeviceContext> RecordingGraphicsSystem::CreateCompatibleDC(DeviceContext* ref) {
  std::string refName = "0";
  DeviceContext* innerRef = ref;
  if (auto* rec = dynamic_cast<RecordingDc*>(ref)) {
    refName = "d" + Num(rec->id());
    innerRef = rec->inner();
  } else if (ref) {
    refName = "foreign";
  }
  std::unique_ptr<DeviceContext> result;
  if (inner_) {
    std::unique_ptr<DeviceContext> dc = inner_->CreateCompatibleDC(innerRef);
    if (dc) {
      DeviceContext* raw = dc.get();
      result = std::make_unique<RecordingDc>(*this, std::move(dc), raw,
                                             RecordingDc::Role::kMemory, IRect{0, 0, 1, 1});
    }
  } else {
    result = std::make_unique<RecordingDc>(*this, nullptr, nullptr, RecordingDc::Role::kMemory,
                                           IRect{0, 0, 1, 1});
  }
  log_.Add(0, "CreateCompatibleDC " + refName,
           result ? "d" + Num(static_cast<RecordingDc*>(result.get())->id()) : "null");
  return result;
}

bool RecordingGraphicsSystem::DeleteObject(ObjHandle obj) {
  bool ok = inner_ ? inner_->DeleteObject(obj) : DeleteFake(obj);
  log_.Add(0, "DeleteObject " + NameOf(obj), Bool(ok));
  return ok;
}

// ---------------------------------------------------------------------------------------
// RecordingDc

RecordingDc::RecordingDc(std::int32_t width, std::int32_t height)
    : ownSystem_(std::make_unique<RecordingGraphicsSystem>()),
      system_(ownSystem_.get()),
      inner_(nullptr),
      role_(Role::kWindow),
      id_(system_->NextDcId()),
      surface_{0, 0, width, height},
      pen_(kStockPen),
      brush_(kStockBrush),
      font_(kStockFont),
      bitmap_(kStockBitmap) {}

RecordingDc::RecordingDc(DeviceContext* inner)
    : ownSystem_(std::make_unique<RecordingGraphicsSystem>(inner ? &inner->System() : nullptr)),
      system_(ownSystem_.get()),
      inner_(inner),
      role_(Role::kWindow),
      id_(system_->NextDcId()),
      surface_{0, 0, 640, 480},
      pen_(kStockPen),
      brush_(kStockBrush),
      font_(kStockFont),
      bitmap_(kStockBitmap) {}

RecordingDc::RecordingDc(RecordingGraphicsSystem& system, std::unique_ptr<DeviceContext> owned,
                         DeviceContext* inner, Role role, IRect surface)
    : system_(&system),
      owned_(std::move(owned)),
      inner_(inner),
      role_(role),
      id_(system.NextDcId()),
      surface_(surface),
      pen_(kStockPen),
      brush_(kStockBrush),
      font_(kStockFont),
      bitmap_(kStockBitmap) {}

RecordingDc::~RecordingDc() {
  if (!inner_) {
    // A deleted context lets go of what it had selected; the objects stay alive.
    for (ObjHandle h : {pen_, brush_, font_, bitmap_})
      if (auto* f = system_->Fake(h)) f->selectedIn = 0;
  }
  if (!ownSystem_) Log(role_ == Role::kMemory ? "DeleteDC" : "ReleaseDC");
  owned_.reset();
}

void RecordingDc::Log(std::string text, std::string result) {
  system_->log_.Add(id_, std::move(text), std::move(result));
}

DeviceContext* RecordingDc::Unwrap(DeviceContext& dc) {
  if (auto* rec = dynamic_cast<RecordingDc*>(&dc)) return rec->inner();
  return &dc;
}

IRect RecordingDc::Surface() const {
  if (role_ != Role::kMemory) return surface_;
  if (auto* f = system_->Fake(bitmap_)) return f->box;
  return IRect{0, 0, 1, 1};
}

GraphicsSystem& RecordingDc::System() { return *system_; }

ObjHandle RecordingDc::CreatePen(std::int32_t width, Color color) {
  std::string text = "CreatePen " + Num(width) + " " + Hex(color);
  ObjHandle h;
  std::string name;
  if (inner_) {
    h = inner_->CreatePen(width, color);
    name = system_->Register(h, 'p');
  } else {
    h = system_->NewFake(RecordingGraphicsSystem::Kind::kPen, 'p', {}, &name);
  }
  Log(std::move(text), name);
  return h;
}

ObjHandle RecordingDc::CreateSolidBrush(Color color) {
  ObjHandle h;
  std::string name;
  if (inner_) {
    h = inner_->CreateSolidBrush(color);
    name = system_->Register(h, 'b');
  } else {
    h = system_->NewFake(RecordingGraphicsSystem::Kind::kBrush, 'b', {}, &name);
  }
  Log("CreateSolidBrush " + Hex(color), name);
  return h;
}

ObjHandle RecordingDc::CreateFontA(const FontRequest& request) {
  ObjHandle h;
  std::string name;
  if (inner_) {
    h = inner_->CreateFontA(request);
    name = system_->Register(h, 'f');
  } else {
    RecordingGraphicsSystem::FakeObject obj{};
    obj.fontHeight = request.height;
    h = system_->NewFake(RecordingGraphicsSystem::Kind::kFont, 'f', std::move(obj), &name);
  }
  Log("CreateFontA " + Num(request.height) + " " + Num(request.weight) + " " + Bool(request.italic) + " " +
          Bool(request.underline),
      name);
  return h;
}

ObjHandle RecordingDc::GetStockNullPen() {
  ObjHandle h = kNullPen;
  if (inner_) {
    h = inner_->GetStockNullPen();
    if (h != kNoObject) system_->names_[h] = "nullpen";
  }
  Log("GetStockNullPen", system_->NameOf(h));
  return h;
}

ObjHandle RecordingDc::CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r,
                                     std::int32_t b) {
  ObjHandle h;
  std::string name;
  if (inner_) {
    h = inner_->CreateRectRgn(l, t, r, b);
    name = system_->Register(h, 'r');
  } else {
    RecordingGraphicsSystem::FakeObject obj{};
    // GDI normalises a region's corners.
    obj.box = IRect{std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
    h = system_->NewFake(RecordingGraphicsSystem::Kind::kRegion, 'r', std::move(obj), &name);
  }
  Log("CreateRectRgn " + Rect(l, t, r, b), name);
  return h;
}

ObjHandle RecordingDc::CreatePolygonRgn(const IPoint* pts, std::int32_t n) {
  ObjHandle h = kNoObject;
  std::string name = "0";
  if (inner_) {
    h = inner_->CreatePolygonRgn(pts, n);
    name = system_->Register(h, 'r');
  } else if (pts && n >= 3) {
    RecordingGraphicsSystem::FakeObject obj{};
    IRect box{pts[0].x, pts[0].y, pts[0].x, pts[0].y};
    for (std::int32_t i = 1; i < n; ++i) {
      box.left = std::min(box.left, pts[i].x);
      box.top = std::min(box.top, pts[i].y);
      box.right = std::max(box.right, pts[i].x);
      box.bottom = std::max(box.bottom, pts[i].y);
    }
    obj.box = box;
    h = system_->NewFake(RecordingGraphicsSystem::Kind::kRegion, 'r', std::move(obj), &name);
  }
  Log("CreatePolygonRgn " + Points(pts, n), name);
  return h;
}

ObjHandle RecordingDc::CreateCompatibleBitmap(std::int32_t w, std::int32_t h) {
  ObjHandle bmp = kNoObject;
  std::string name = "0";
  if (inner_) {
    bmp = inner_->CreateCompatibleBitmap(w, h);
    name = system_->Register(bmp, 'm');
  } else if (system_->BitmapAllowed(w, h)) {
    RecordingGraphicsSystem::FakeObject obj{};
    obj.box = IRect{0, 0, w, h};
    bmp = system_->NewFake(RecordingGraphicsSystem::Kind::kBitmap, 'm', std::move(obj), &name);
  }
  Log("CreateCompatibleBitmap " + Num(w) + " " + Num(h), name);
  return bmp;
}

ObjHandle RecordingDc::CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) {
  ObjHandle bmp = kNoObject;
  std::string name = "0";
  if (bits) *bits = nullptr;
  if (inner_) {
    bmp = inner_->CreateDIBSection24(w, h, bits);
    name = system_->Register(bmp, 'm');
  } else if (system_->BitmapAllowed(w, h)) {
    RecordingGraphicsSystem::FakeObject obj{};
    obj.box = IRect{0, 0, w, h};
    const std::size_t stride = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t{3};
    try {
      obj.bits.assign(stride * static_cast<std::size_t>(h), 0);
      bmp = system_->NewFake(RecordingGraphicsSystem::Kind::kBitmap, 'm', std::move(obj), &name);
      if (bits) *bits = system_->Fake(bmp)->bits.data();
    } catch (const std::bad_alloc&) {
      bmp = kNoObject;
    }
  }
  Log("CreateDIBSection24 " + Num(w) + " " + Num(h), name);
  return bmp;
}

ObjHandle RecordingDc::SelectObject(ObjHandle obj) {
  ObjHandle prev = kNoObject;
  if (inner_) {
    prev = inner_->SelectObject(obj);
  } else {
    ObjHandle* slot = nullptr;
    using Kind = RecordingGraphicsSystem::Kind;
    Kind kind = Kind::kPen;
    bool known = true;
    if (obj == kStockPen || obj == kNullPen) {
      kind = Kind::kPen;
    } else if (obj == kStockBrush) {
      kind = Kind::kBrush;
    } else if (obj == kStockFont) {
      kind = Kind::kFont;
    } else if (obj == kStockBitmap) {
      kind = Kind::kBitmap;
    } else if (auto* f = system_->Fake(obj)) {
      kind = f->kind;
      // A bitmap can be selected into one memory context only; regions are not selectable
      // here (SelectClipRgn is the way).
      if (kind == Kind::kRegion) known = false;
      if (kind == Kind::kBitmap && (role_ != Role::kMemory || (f->selectedIn != 0 &&
                                                                 f->selectedIn != id_)))
        known = false;
    } else {
      known = false;
    }
    if (known) {
      switch (kind) {
        case Kind::kPen: slot = &pen_; break;
        case Kind::kBrush: slot = &brush_; break;
        case Kind::kFont: slot = &font_; break;
        case Kind::kBitmap: slot = &bitmap_; break;
        case Kind::kRegion: break;
      }
    }
    if (slot) {
      prev = *slot;
      if (auto* f = system_->Fake(prev)) f->selectedIn = 0;
      *slot = obj;
      if (auto* f = system_->Fake(obj)) f->selectedIn = id_;
    }
  }
  Log("SelectObject " + system_->NameOf(obj), system_->NameOf(prev));
  return prev;
}

ObjHandle RecordingDc::GetCurrentBitmap() {
  ObjHandle h = inner_ ? inner_->GetCurrentBitmap() : bitmap_;
  Log("GetCurrentBitmap", system_->NameOf(h));
  return h;
}

bool RecordingDc::DeleteObject(ObjHandle obj) {
  bool ok = inner_ ? inner_->DeleteObject(obj) : system_->DeleteFake(obj);
  Log("DeleteObject " + system_->NameOf(obj), Bool(ok));
  return ok;
}

int RecordingDc::SelectClipRgn(ObjHandle rgn) {
  int kind = kRegionError;
  if (inner_) {
    kind = inner_->SelectClipRgn(rgn);
  } else if (rgn == kNoObject) {
    hasClip_ = false;
    kind = kSimpleRegion;
  } else if (auto* f = system_->Fake(rgn); f && f->kind == RecordingGraphicsSystem::Kind::kRegion) {
    hasClip_ = true;
    clip_ = f->box;
    kind = IsEmpty(Intersect(clip_, Surface())) ? kNullRegion : kSimpleRegion;
  }
  Log("SelectClipRgn " + system_->NameOf(rgn), Num(kind));
  return kind;
}

int RecordingDc::ExtSelectClipRgnAnd(ObjHandle rgn) {
  int kind = kRegionError;
  if (inner_) {
    kind = inner_->ExtSelectClipRgnAnd(rgn);
  } else if (auto* f = system_->Fake(rgn); f && f->kind == RecordingGraphicsSystem::Kind::kRegion) {
    clip_ = hasClip_ ? Intersect(clip_, f->box) : f->box;
    hasClip_ = true;
    kind = IsEmpty(Intersect(clip_, Surface())) ? kNullRegion : kSimpleRegion;
  }
  Log("ExtSelectClipRgnAnd " + system_->NameOf(rgn), Num(kind));
  return kind;
}

int RecordingDc::GetClipBox(IRect* box) {
  int kind;
  IRect r;
  if (inner_) {
    IRect tmp{0, 0, 0, 0};
    kind = inner_->GetClipBox(&tmp);
    r = tmp;
  } else {
    r = hasClip_ ? Intersect(clip_, Surface()) : Surface();
    kind = IsEmpty(r) ? kNullRegion : kSimpleRegion;
    if (IsEmpty(r)) r = IRect{0, 0, 0, 0};
  }
  if (box) *box = r;
  Log("GetClipBox", Rect(r.left, r.top, r.right, r.bottom));
  return kind;
}

bool RecordingDc::MoveToEx(std::int32_t x, std::int32_t y) {
  bool ok = inner_ ? inner_->MoveToEx(x, y) : true;
  Log("MoveToEx " + Num(x) + " " + Num(y));
  return ok;
}

bool RecordingDc::LineTo(std::int32_t x, std::int32_t y) {
  bool ok = inner_ ? inner_->LineTo(x, y) : true;
  Log("LineTo " + Num(x) + " " + Num(y));
  return ok;
}

bool RecordingDc::Polyline(const IPoint* pts, std::int32_t n) {
  bool ok = inner_ ? inner_->Polyline(pts, n) : (pts != nullptr && n >= 2);
  Log("Polyline " + Points(pts, n));
  return ok;
}

bool RecordingDc::Polygon(const IPoint* pts, std::int32_t n) {
  bool ok = inner_ ? inner_->Polygon(pts, n) : (pts != nullptr && n >= 2);
  Log("Polygon " + Points(pts, n));
  return ok;
}

bool RecordingDc::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  bool ok = inner_ ? inner_->Rectangle(l, t, r, b) : true;
  Log("Rectangle " + Rect(l, t, r, b));
  return ok;
}

bool RecordingDc::FillRect(const IRect& rc, ObjHandle brush) {
  bool ok = inner_ ? inner_->FillRect(rc, brush) : true;
  Log("FillRect " + Rect(rc.left, rc.top, rc.right, rc.bottom) + " " + system_->NameOf(brush));
  return ok;
}

bool RecordingDc::SetPixelV(std::int32_t x, std::int32_t y, Color c) {
  bool ok = inner_ ? inner_->SetPixelV(x, y, c) : true;
  Log("SetPixelV " + Num(x) + " " + Num(y) + " " + Hex(c));
  return ok;
}

Color RecordingDc::GetPixel(std::int32_t x, std::int32_t y) {
  Color c;
  if (inner_) {
    c = inner_->GetPixel(x, y);
  } else {
    IRect s = hasClip_ ? Intersect(clip_, Surface()) : Surface();
    c = (x >= s.left && x < s.right && y >= s.top && y < s.bottom) ? 0 : kInvalidColor;
  }
  Log("GetPixel " + Num(x) + " " + Num(y), Hex(c));
  return c;
}

bool RecordingDc::ExtTextOutOpaque(const IRect& rc) {
  bool ok = inner_ ? inner_->ExtTextOutOpaque(rc) : true;
  Log("ExtTextOutOpaque " + Rect(rc.left, rc.top, rc.right, rc.bottom));
  return ok;
}

bool RecordingDc::TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) {
  bool ok = inner_ ? inner_->TextOutA(x, y, text, len) : true;
  std::string s = "TextOutA " + Num(x) + " " + Num(y) + " \"";
  if (text && len > 0) s.append(text, static_cast<std::size_t>(len));
  s += '"';
  Log(std::move(s));
  return ok;
}

bool RecordingDc::GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) {
  TextSize sz{0, 0};
  bool ok = true;
  if (inner_) {
    ok = inner_->GetTextExtentPoint32A(text, len, &sz);
  } else {
    std::int32_t h = 16;
    if (auto* f = system_->Fake(font_); f && f->fontHeight > 0) h = f->fontHeight;
    const std::int64_t w = len > 0 ? std::int64_t{len} * 8 : 0;
    sz = TextSize{static_cast<std::int32_t>(std::min<std::int64_t>(w, INT32_MAX)), h};
  }
  if (size) *size = sz;
  std::string s = "GetTextExtentPoint32A \"";
  if (text && len > 0) s.append(text, static_cast<std::size_t>(len));
  s += '"';
  Log(std::move(s), Num(sz.cx) + " " + Num(sz.cy));
  return ok;
}

Color RecordingDc::SetTextColor(Color c) {
  Color prev = textColor_;
  if (inner_) prev = inner_->SetTextColor(c);
  textColor_ = c;
  Log("SetTextColor " + Hex(c), Hex(prev));
  return prev;
}

Color RecordingDc::GetTextColor() {
  Color c = inner_ ? inner_->GetTextColor() : textColor_;
  Log("GetTextColor", Hex(c));
  return c;
}

Color RecordingDc::SetBkColor(Color c) {
  Color prev = bkColor_;
  if (inner_) prev = inner_->SetBkColor(c);
  bkColor_ = c;
  Log("SetBkColor " + Hex(c), Hex(prev));
  return prev;
}

Color RecordingDc::GetBkColor() {
  Color c = inner_ ? inner_->GetBkColor() : bkColor_;
  Log("GetBkColor", Hex(c));
  return c;
}

int RecordingDc::SetBkMode(int mode) {
  int prev = bkMode_;
  if (inner_) {
    prev = inner_->SetBkMode(mode);
  } else if (mode != kTransparent && mode != kOpaque) {
    prev = 0;  // GDI refuses other modes
    mode = bkMode_;
  }
  bkMode_ = mode;
  Log("SetBkMode " + Num(mode), Num(prev));
  return prev;
}

int RecordingDc::GetBkMode() {
  int m = inner_ ? inner_->GetBkMode() : bkMode_;
  Log("GetBkMode", Num(m));
  return m;
}

bool RecordingDc::BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                         DeviceContext& src, std::int32_t sx, std::int32_t sy) {
  bool ok = true;
  DeviceContext* innerSrc = Unwrap(src);
  if (inner_) ok = innerSrc != nullptr && inner_->BitBlt(x, y, w, h, *innerSrc, sx, sy);
  auto* rec = dynamic_cast<RecordingDc*>(&src);
  std::string srcName = rec ? "d" + Num(rec->id()) : "foreign";
  Log("BitBlt " + Rect(x, y, w, h) + " " + srcName + " " + Num(sx) + " " + Num(sy), Bool(ok));
  return ok;
}

bool RecordingDc::AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                             DeviceContext& src, std::int32_t sx, std::int32_t sy,
                             std::int32_t sw, std::int32_t sh, std::uint8_t alpha) {
  bool ok = true;
  DeviceContext* innerSrc = Unwrap(src);
  if (inner_)
    ok = innerSrc != nullptr && inner_->AlphaBlend(x, y, w, h, *innerSrc, sx, sy, sw, sh, alpha);
  auto* rec = dynamic_cast<RecordingDc*>(&src);
  std::string srcName = rec ? "d" + Num(rec->id()) : "foreign";
  Log("AlphaBlend " + Rect(x, y, w, h) + " " + srcName + " " + Rect(sx, sy, sw, sh) + " " +
          Num(alpha),
      Bool(ok));
  return ok;
}

}  // namespace corvane
