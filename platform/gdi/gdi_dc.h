// DeviceContext on a real HDC: every operation is the GDI call of the same name.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/dc.h"

namespace corvane {

class GdiGraphicsSystem;

class GdiDc : public DeviceContext {
 public:
  // How the HDC is given back when the context is destroyed.
  enum class Ownership { kReleaseWindowDc, kDeleteDc, kBorrowed };

  GdiDc(GdiGraphicsSystem& system, HDC hdc, Ownership ownership, HWND hwnd = nullptr);
  ~GdiDc() override;
  GdiDc(const GdiDc&) = delete;
  GdiDc& operator=(const GdiDc&) = delete;

  HDC hdc() const { return hdc_; }

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

 private:
  GdiGraphicsSystem& system_;
  HDC hdc_;
  Ownership ownership_;
  HWND hwnd_;
};

}  // namespace corvane
