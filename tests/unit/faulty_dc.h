// FaultyDc: forwards every call to another context and makes one chosen object creation
// fail, as an exhausted GDI would: the n-th pen, brush, region, bitmap or memory context
// made through it or through the memory contexts it hands out returns nothing. Run a
// drawer once with no failure to count its creations, then once per creation failing it.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/dc.h"

namespace corvane::testing {

struct FaultCounter {
  int made = 0;     // creations asked for so far
  int failAt = 0;   // the creation (1-based) that fails; 0: none
  int failed = 0;   // creations refused
  int blendsAfterFailure = 0;  // AlphaBlend calls made once a creation had been refused
  bool Next() {
    if (++made != failAt) return true;
    ++failed;
    return false;
  }
};

class FaultyDc;

class FaultySystem : public GraphicsSystem {
 public:
  FaultySystem(GraphicsSystem& inner, FaultCounter& counter) : inner_(inner), counter_(counter) {}
  std::unique_ptr<DeviceContext> GetWindowDC(std::int32_t hwnd) override { return inner_.GetWindowDC(hwnd); }
  std::unique_ptr<DeviceContext> GetScreenDC() override { return inner_.GetScreenDC(); }
  std::unique_ptr<DeviceContext> CreateCompatibleDC(DeviceContext* ref) override;
  bool DeleteObject(ObjHandle obj) override { return inner_.DeleteObject(obj); }

 private:
  GraphicsSystem& inner_;
  FaultCounter& counter_;
};

class FaultyDc : public DeviceContext {
 public:
  FaultyDc(DeviceContext& inner, FaultCounter& counter)
      : inner_(inner), counter_(counter), system_(inner.System(), counter) {}
  FaultyDc(std::unique_ptr<DeviceContext> owned, FaultCounter& counter)
      : owned_(std::move(owned)), inner_(*owned_), counter_(counter), system_(inner_.System(), counter) {}

  DeviceContext& inner() { return inner_; }
  GraphicsSystem& System() override { return system_; }
  ObjHandle CreatePen(std::int32_t w, Color c) override { return counter_.Next() ? inner_.CreatePen(w, c) : kNoObject; }
  ObjHandle CreateSolidBrush(Color c) override { return counter_.Next() ? inner_.CreateSolidBrush(c) : kNoObject; }
  ObjHandle CreateFontA(const FontRequest& r) override { return counter_.Next() ? inner_.CreateFontA(r) : kNoObject; }
  ObjHandle GetStockNullPen() override { return inner_.GetStockNullPen(); }
  ObjHandle CreateRectRgn(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override {
    return counter_.Next() ? inner_.CreateRectRgn(l, t, r, b) : kNoObject;
  }
  ObjHandle CreatePolygonRgn(const IPoint* pts, std::int32_t n) override {
    return counter_.Next() ? inner_.CreatePolygonRgn(pts, n) : kNoObject;
  }
  ObjHandle CreateCompatibleBitmap(std::int32_t w, std::int32_t h) override {
    return counter_.Next() ? inner_.CreateCompatibleBitmap(w, h) : kNoObject;
  }
  ObjHandle CreateDIBSection24(std::int32_t w, std::int32_t h, void** bits) override {
    if (counter_.Next()) return inner_.CreateDIBSection24(w, h, bits);
    if (bits) *bits = nullptr;
    return kNoObject;
  }
  ObjHandle SelectObject(ObjHandle obj) override { return inner_.SelectObject(obj); }
  ObjHandle GetCurrentBitmap() override { return inner_.GetCurrentBitmap(); }
  bool DeleteObject(ObjHandle obj) override { return inner_.DeleteObject(obj); }
  int SelectClipRgn(ObjHandle rgn) override { return inner_.SelectClipRgn(rgn); }
  int ExtSelectClipRgnAnd(ObjHandle rgn) override { return inner_.ExtSelectClipRgnAnd(rgn); }
  int GetClipBox(IRect* box) override { return inner_.GetClipBox(box); }
  bool MoveToEx(std::int32_t x, std::int32_t y) override { return inner_.MoveToEx(x, y); }
  bool LineTo(std::int32_t x, std::int32_t y) override { return inner_.LineTo(x, y); }
  bool Polyline(const IPoint* pts, std::int32_t n) override { return inner_.Polyline(pts, n); }
  bool Polygon(const IPoint* pts, std::int32_t n) override { return inner_.Polygon(pts, n); }
  bool Rectangle(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override {
    return inner_.Rectangle(l, t, r, b);
  }
  bool FillRect(const IRect& rc, ObjHandle brush) override { return inner_.FillRect(rc, brush); }
  bool SetPixelV(std::int32_t x, std::int32_t y, Color c) override { return inner_.SetPixelV(x, y, c); }
  Color GetPixel(std::int32_t x, std::int32_t y) override { return inner_.GetPixel(x, y); }
  bool ExtTextOutOpaque(const IRect& rc) override { return inner_.ExtTextOutOpaque(rc); }
  bool TextOutA(std::int32_t x, std::int32_t y, const char* t, std::int32_t n) override {
    return inner_.TextOutA(x, y, t, n);
  }
  bool GetTextExtentPoint32A(const char* t, std::int32_t n, TextSize* s) override {
    return inner_.GetTextExtentPoint32A(t, n, s);
  }
  Color SetTextColor(Color c) override { return inner_.SetTextColor(c); }
  Color GetTextColor() override { return inner_.GetTextColor(); }
  Color SetBkColor(Color c) override { return inner_.SetBkColor(c); }
  Color GetBkColor() override { return inner_.GetBkColor(); }
  int SetBkMode(int mode) override { return inner_.SetBkMode(mode); }
  int GetBkMode() override { return inner_.GetBkMode(); }
  bool BitBlt(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
              std::int32_t sx, std::int32_t sy) override {
    return inner_.BitBlt(x, y, w, h, Unwrap(src), sx, sy);
  }
  bool AlphaBlend(std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h, DeviceContext& src,
                  std::int32_t sx, std::int32_t sy, std::int32_t sw, std::int32_t sh,
                  std::uint8_t alpha) override {
    if (counter_.failed > 0) ++counter_.blendsAfterFailure;
    return inner_.AlphaBlend(x, y, w, h, Unwrap(src), sx, sy, sw, sh, alpha);
  }

 private:
  static DeviceContext& Unwrap(DeviceContext& dc) {
    auto* f = dynamic_cast<FaultyDc*>(&dc);
    return f ? f->inner() : dc;
  }

  std::unique_ptr<DeviceContext> owned_;
  DeviceContext& inner_;
  FaultCounter& counter_;
  FaultySystem system_;
};

inline std::unique_ptr<DeviceContext> FaultySystem::CreateCompatibleDC(DeviceContext* ref) {
  if (!counter_.Next()) return nullptr;
  auto* faulty = dynamic_cast<FaultyDc*>(ref);
  std::unique_ptr<DeviceContext> dc = inner_.CreateCompatibleDC(faulty ? &faulty->inner() : ref);
  if (!dc) return nullptr;
  return std::make_unique<FaultyDc>(std::move(dc), counter_);
}

}  // namespace corvane::testing
