#include "platform/gdi/gdi_dc.h"

#include "platform/bitmap_limits.h"
#include "platform/gdi/gdi_system.h"

namespace corvane {

namespace {

static_assert(sizeof(IPoint) == sizeof(POINT) && alignof(IPoint) == alignof(POINT),
              "IPoint must match POINT");
static_assert(sizeof(IRect) == sizeof(RECT), "IRect must match RECT");

HGDIOBJ H(ObjHandle h) { return reinterpret_cast<HGDIOBJ>(h); }
ObjHandle O(HGDIOBJ h) { return reinterpret_cast<ObjHandle>(h); }
const POINT* P(const IPoint* p) { return reinterpret_cast<const POINT*>(p); }
RECT R(const IRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

GdiDc::GdiDc(GdiGraphicsSystem& system, HDC hdc, Ownership ownership, HWND hwnd)
    : system_(system), hdc_(hdc), ownership_(ownership), hwnd_(hwnd) {}

GdiDc::~GdiDc() {
  switch (ownership_) {
    case Ownership::kReleaseWindowDc:
      ReleaseDC(hwnd_, hdc_);
      break;
    case Ownership::kDeleteDc:
      DeleteDC(hdc_);
      break;
    case Ownership::kBorrowed:
      break;
  }
}

GraphicsSystem& GdiDc::System() { return system_; }

ObjHandle GdiDc::CreatePen(std::int32_t width, Color color) {
  return O(::CreatePen(PS_SOLID, width, color));
}

ObjHandle GdiDc::CreateSolidBrush(Color color) { return O(::CreateSolidBrush(color)); }

ObjHandle GdiDc::CreateFontA(const FontRequest& request) {
  return O(::CreateFontA(request.height, 0, 0, 0, request.weight, request.italic ? TRUE : FALSE,
                         request.underline ? TRUE : FALSE, FALSE, DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
                         CLIP_DEFAULT_PRECIS,
                         request.smoothed ? ANTIALIASED_QUALITY : PROOF_QUALITY, VARIABLE_PITCH,
                         "Arial"));
}

ObjHandle GdiDc::GetStockNullPen() { return O(GetStockObject(NULL_PEN)); }

ObjHandle GdiDc::CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return O(::CreateRectRgn(l, t, r, b));
}

ObjHandle GdiDc::CreatePolygonRgn(const IPoint* pts, std::int32_t n) {
  if (!pts || n < 0) return kNoObject;
  return O(::CreatePolygonRgn(P(pts), n, ALTERNATE));
}

ObjHandle GdiDc::CreateCompatibleBitmap(std::int32_t w, std::int32_t h) {
  // Bounded like a 32-bit bitmap, whatever the device's depth: the same sizes as the raster.
  if (!BitmapSizeAllowed(w, h, 32)) return kNoObject;
  return O(::CreateCompatibleBitmap(hdc_, w, h));
}

ObjHandle GdiDc::CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) {
  if (bits) *bits = nullptr;
  if (!BitmapSizeAllowed(w, h, 24)) return kNoObject;
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* memory = nullptr;
  HBITMAP bmp = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &memory, nullptr, 0);
  if (bmp && bits) *bits = memory;
  return O(bmp);
}

ObjHandle GdiDc::SelectObject(ObjHandle obj) { return O(::SelectObject(hdc_, H(obj))); }

ObjHandle GdiDc::GetCurrentBitmap() { return O(GetCurrentObject(hdc_, OBJ_BITMAP)); }

bool GdiDc::DeleteObject(ObjHandle obj) { return system_.DeleteObject(obj); }

int GdiDc::SelectClipRgn(ObjHandle rgn) { return ::SelectClipRgn(hdc_, static_cast<HRGN>(H(rgn))); }

int GdiDc::ExtSelectClipRgnAnd(ObjHandle rgn) {
  return ::ExtSelectClipRgn(hdc_, static_cast<HRGN>(H(rgn)), RGN_AND);
}

int GdiDc::GetClipBox(IRect* box) {
  if (!box) return kRegionError;
  RECT rc = {};
  const int kind = ::GetClipBox(hdc_, &rc);
  *box = {rc.left, rc.top, rc.right, rc.bottom};
  return kind;
}

bool GdiDc::MoveToEx(std::int32_t x, std::int32_t y) { return ::MoveToEx(hdc_, x, y, nullptr) != FALSE; }

bool GdiDc::LineTo(std::int32_t x, std::int32_t y) { return ::LineTo(hdc_, x, y) != FALSE; }

bool GdiDc::Polyline(const IPoint* pts, std::int32_t n) {
  if (!pts || n < 2) return false;
  return ::Polyline(hdc_, P(pts), n) != FALSE;
}

bool GdiDc::Polygon(const IPoint* pts, std::int32_t n) {
  if (!pts || n < 2) return false;
  return ::Polygon(hdc_, P(pts), n) != FALSE;
}

bool GdiDc::Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  return ::Rectangle(hdc_, l, t, r, b) != FALSE;
}

bool GdiDc::FillRect(const IRect& rc, ObjHandle brush) {
  const RECT r = R(rc);
  return ::FillRect(hdc_, &r, static_cast<HBRUSH>(H(brush))) != 0;
}

bool GdiDc::SetPixelV(std::int32_t x, std::int32_t y, Color c) { return ::SetPixelV(hdc_, x, y, c) != FALSE; }

Color GdiDc::GetPixel(std::int32_t x, std::int32_t y) { return ::GetPixel(hdc_, x, y); }

bool GdiDc::ExtTextOutOpaque(const IRect& rc) {
  const RECT r = R(rc);
  return ::ExtTextOutA(hdc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr) != FALSE;
}

bool GdiDc::TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) {
  if (len < 0 || (len > 0 && !text)) return false;
  return ::TextOutA(hdc_, x, y, text ? text : "", len) != FALSE;
}

bool GdiDc::GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) {
  if (!size || len < 0 || (len > 0 && !text)) return false;
  SIZE s = {};
  const BOOL ok = ::GetTextExtentPoint32A(hdc_, text ? text : "", len, &s);
  *size = {s.cx, s.cy};
  return ok != FALSE;
}

Color GdiDc::SetTextColor(Color c) { return ::SetTextColor(hdc_, c); }
Color GdiDc::GetTextColor() { return ::GetTextColor(hdc_); }
Color GdiDc::SetBkColor(Color c) { return ::SetBkColor(hdc_, c); }
Color GdiDc::GetBkColor() { return ::GetBkColor(hdc_); }
int GdiDc::SetBkMode(int mode) { return ::SetBkMode(hdc_, mode); }
int GdiDc::GetBkMode() { return ::GetBkMode(hdc_); }

bool GdiDc::BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                   std::int32_t sx, std::int32_t sy) {
  auto* source = dynamic_cast<GdiDc*>(&src);
  if (!source) return false;
  return ::BitBlt(hdc_, x, y, w, h, source->hdc_, sx, sy, SRCCOPY) != FALSE;
}

bool GdiDc::AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                       std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh,
                       std::uint8_t alpha) {
  auto* source = dynamic_cast<GdiDc*>(&src);
  if (!source) return false;
  BLENDFUNCTION blend = {AC_SRC_OVER, 0, alpha, 0};
  return ::AlphaBlend(hdc_, x, y, w, h, source->hdc_, sx, sy, sw, sh, blend) != FALSE;
}

}  // namespace corvane
