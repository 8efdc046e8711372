// The one drawing interface of the engine. Its operations mirror the GDI calls the drawers
// use, with GDI's meaning: select-returns-previous, exclusive right/bottom edges, 1-pixel pens
// that leave out the last pixel, objects created and deleted inside one drawing call.
// Implementations: gdi/ (real GDI on an HDC), raster/ (portable pixel buffer with the same
// pixel rules) and RecordingDc (logs every call and forwards it).
#pragma once
#include <cstdint>
#include <memory>

#include "platform/geometry.h"

namespace corvane {

// Opaque handle of a pen, brush, font, region or bitmap, as HGDIOBJ is; 0 means none/failure.
using ObjHandle = std::uintptr_t;
constexpr ObjHandle kNoObject = 0;

// GetPixel's answer for a pixel outside the surface or clip.
constexpr Color kInvalidColor = 0xFFFFFFFFu;

// Background modes of SetBkMode.
constexpr int kTransparent = 1;
constexpr int kOpaque = 2;

// Region results of the clip calls (GDI's values).
constexpr int kRegionError = 0;
constexpr int kNullRegion = 1;
constexpr int kSimpleRegion = 2;
constexpr int kComplexRegion = 3;

// A font request. The face is always "Arial"; charset DEFAULT_CHARSET, OUT_TT_ONLY_PRECIS,
// PROOF_QUALITY, VARIABLE_PITCH. A positive height is the cell height in pixels.
struct FontRequest {
  std::int32_t height = 16;
  std::int32_t weight = 400;
  bool italic = false;
  bool underline = false;
  // Grey smoothing wherever the font's own table allows it, whatever the desktop's
  // font-smoothing setting is (never subpixel colour): the antialiased picture's text.
  bool smoothed = false;
};

class GraphicsSystem;

class DeviceContext {
 public:
  virtual ~DeviceContext() = default;

  // The system that made this context: memory contexts, window contexts, object deletion.
  virtual GraphicsSystem& System() = 0;
  // The context the system knows as its own: this one, or the one a wrapping context draws
  // through (CreateCompatibleDC looks through wrappers with it).
  virtual DeviceContext& Innermost() { return *this; }

  // Objects. Each returns kNoObject when it cannot be created.
  virtual ObjHandle CreatePen(std::int32_t width, Color color) = 0;  // PS_SOLID
  virtual ObjHandle CreateSolidBrush(Color color) = 0;
  virtual ObjHandle CreateFontA(const FontRequest& request) = 0;
  virtual ObjHandle GetStockNullPen() = 0;
  virtual ObjHandle CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) = 0;
  virtual ObjHandle CreatePolygonRgn(const IPoint* pts, std::int32_t n) = 0;  // ALTERNATE
  virtual ObjHandle CreateCompatibleBitmap(std::int32_t w, std::int32_t h) = 0;
  // 24-bit bottom-up DIB section (biBitCount 24, BI_RGB); *bits receives its pixel memory.
  virtual ObjHandle CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) = 0;
  // Selects a pen, brush, font or bitmap; returns the previously selected one (0 on failure).
  virtual ObjHandle SelectObject(ObjHandle obj) = 0;
  // The object of a kind currently selected (GetCurrentObject(OBJ_BITMAP) is the one used).
  virtual ObjHandle GetCurrentBitmap() = 0;
  virtual bool DeleteObject(ObjHandle obj) = 0;

  // Clipping. SelectClipRgn copies the region (0 removes the clip); ExtSelectClipRgnAnd
  // intersects the current clip with it. GetClipBox gives the bounding box of the clip
  // (the whole surface when there is none) and returns the region kind.
  virtual int SelectClipRgn(ObjHandle rgn) = 0;
  virtual int ExtSelectClipRgnAnd(ObjHandle rgn) = 0;
  virtual int GetClipBox(IRect* box) = 0;

  // Lines and shapes with the selected pen and brush.
  virtual bool MoveToEx(std::int32_t x, std::int32_t y) = 0;
  virtual bool LineTo(std::int32_t x, std::int32_t y) = 0;
  // Polyline with the selected pen: the same pixels as MoveToEx(p0) then LineTo(p1..pn-1).
  // The current position is not changed.
  virtual bool Polyline(const IPoint* pts, std::int32_t n) = 0;
  virtual bool Polygon(const IPoint* pts, std::int32_t n) = 0;  // ALTERNATE fill
  virtual bool Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) = 0;
  virtual bool FillRect(const IRect& rc, ObjHandle brush) = 0;
  virtual bool SetPixelV(std::int32_t x, std::int32_t y, Color c) = 0;
  virtual Color GetPixel(std::int32_t x, std::int32_t y) = 0;

  // Text, with the selected font; strings are the engine's narrow strings.
  virtual bool ExtTextOutOpaque(const IRect& rc) = 0;  // ETO_OPAQUE, no text: fills with bk colour
  virtual bool TextOutA(std::int32_t x, std::int32_t y, const char* text, std::int32_t len) = 0;
  virtual bool GetTextExtentPoint32A(const char* text, std::int32_t len, TextSize* size) = 0;
  virtual Color SetTextColor(Color c) = 0;  // returns the previous colour
  virtual Color GetTextColor() = 0;
  virtual Color SetBkColor(Color c) = 0;
  virtual Color GetBkColor() = 0;
  virtual int SetBkMode(int mode) = 0;  // returns the previous mode
  virtual int GetBkMode() = 0;

  // Block transfers from another context of the same system.
  virtual bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                      DeviceContext& src, std::int32_t sx, std::int32_t sy) = 0;  // SRCCOPY
  // AC_SRC_OVER with a constant source alpha and no per-pixel alpha.
  virtual bool AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                          DeviceContext& src, std::int32_t sx, std::int32_t sy, std::int32_t sw,
                          std::int32_t sh, std::uint8_t alpha) = 0;

  // Blends `color` at the constant `alpha` over the even-odd inside of the closed outline
  // pts[0..n) through the clip, its edges antialiased by their exact coverage. Only a
  // context that draws geometry antialiased can; the others answer false, having drawn
  // nothing, and the caller blends through a polygon region instead.
  virtual bool BlendPolygonSmooth(const IPoint* /*pts*/, std::int32_t /*n*/, Color /*color*/,
                                  std::uint8_t /*alpha*/) {
    return false;
  }
};

// Process-wide entry points that need no drawing context, as the GDI/user32 globals.
class GraphicsSystem {
 public:
  virtual ~GraphicsSystem() = default;
  // Client-area context of a host window (GetDC); nullptr when the handle names no window.
  // Destroying the context releases it (ReleaseDC).
  virtual std::unique_ptr<DeviceContext> GetWindowDC(std::int32_t hwnd) = 0;
  // The screen's context (GetDC(NULL)).
  virtual std::unique_ptr<DeviceContext> GetScreenDC() = 0;
  // Memory context compatible with ref, or with the screen when ref is null (CreateCompatibleDC).
  virtual std::unique_ptr<DeviceContext> CreateCompatibleDC(DeviceContext* ref) = 0;
  // Deletes an object that no context has selected (DeleteObject).
  virtual bool DeleteObject(ObjHandle obj) = 0;
  // Completes drawing the system may still hold back (GdiFlush), so that pixel memory can be
  // read or written directly. The raster draws at once.
  virtual void FlushDrawing() {}
};

}  // namespace corvane

namespace corvane {

// Owns one long-lived object (the picture bitmap, the texture tile) and deletes it through
// the system that made it.
class OwnedObject {
 public:
  OwnedObject() = default;
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;
  ~OwnedObject() { Reset(); }
  void Reset(GraphicsSystem* sys = nullptr, ObjHandle h = kNoObject) {
    if (handle_ != kNoObject && system_) system_->DeleteObject(handle_);
    system_ = sys;
    handle_ = h;
  }
  ObjHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != kNoObject; }

 private:
  GraphicsSystem* system_ = nullptr;
  ObjHandle handle_ = kNoObject;
};

}  // namespace corvane
