// A raster memory context with a white W x H bitmap, and pixel-set helpers for the raster tests.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "platform/raster/raster_dc.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace raster_test {

using PixelSet = std::set<std::pair<std::int32_t, std::int32_t>>;

constexpr Color kWhite = 0xFFFFFF;

struct TestCanvas {
  explicit TestCanvas(std::int32_t w = 160, std::int32_t h = 120) : width(w), height(h) {
    dc = system.CreateCompatibleDC(nullptr);
    bitmap = dc->CreateCompatibleBitmap(w, h);
    old_bitmap = dc->SelectObject(bitmap);
    Clear();
  }
  ~TestCanvas() {
    ReleasePen();
    dc->SelectObject(old_bitmap);
    dc->DeleteObject(bitmap);
  }
  void Clear(Color c = kWhite) {
    dc->SelectClipRgn(kNoObject);
    const ObjHandle brush = dc->CreateSolidBrush(c);
    dc->FillRect({0, 0, width, height}, brush);
    dc->DeleteObject(brush);
  }
  // Paints the whole surface through the current clip.
  void FillThroughClip(Color c) {
    const ObjHandle brush = dc->CreateSolidBrush(c);
    dc->FillRect({-1000, -1000, 100000, 100000}, brush);
    dc->DeleteObject(brush);
  }
  const RasterBitmap& Bitmap() const { return *system.BitmapOf(bitmap); }
  Color At(std::int32_t x, std::int32_t y) const { return Bitmap().Get(x, y); }
  // Every pixel that is not `background`.
  PixelSet Ink(Color background = kWhite) const {
    PixelSet s;
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x)
        if (At(x, y) != background) s.insert({x, y});
    return s;
  }
  std::vector<Color> Pixels() const {
    std::vector<Color> v;
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x) v.push_back(At(x, y));
    return v;
  }
  void SelectPen(std::int32_t w, Color c = 0x000000) {
    ReleasePen();
    pen = dc->CreatePen(w, c);
    saved_pen = dc->SelectObject(pen);
  }
  void SelectNullPen() {
    ReleasePen();
    saved_pen = dc->SelectObject(dc->GetStockNullPen());
  }
  void ReleasePen() {
    if (saved_pen != kNoObject) dc->SelectObject(saved_pen);
    if (pen != kNoObject) dc->DeleteObject(pen);
    saved_pen = pen = kNoObject;
  }
  void Line(std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
    dc->MoveToEx(x0, y0);
    dc->LineTo(x1, y1);
  }

  RasterGraphicsSystem system;
  std::int32_t width, height;
  std::unique_ptr<DeviceContext> dc;
  ObjHandle bitmap = kNoObject, old_bitmap = kNoObject, pen = kNoObject, saved_pen = kNoObject;
};

}  // namespace raster_test
}  // namespace corvane
