// Helpers for the line, fit and plot-drawing tests: a white raster picture to draw into and
// compare, and the pen moves of a recorded call log.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/dc.h"
#include "platform/raster/raster_system.h"
#include "platform/recording_dc.h"
#include "plot_scenes.h"

namespace corvane::testing {

// A memory context with a w x h bitmap selected, painted white.
class RasterPicture {
 public:
  RasterPicture(std::int32_t w, std::int32_t h) : width_(w), height_(h) {
    dc_ = system_.CreateCompatibleDC(nullptr);
    bitmap_ = dc_->CreateCompatibleBitmap(w, h);
    previous_ = dc_->SelectObject(bitmap_);
    Clear();
  }
  ~RasterPicture() {
    dc_->SelectObject(previous_);
    dc_->DeleteObject(bitmap_);
  }
  DeviceContext& dc() { return *dc_; }
  RasterGraphicsSystem& system() { return system_; }

  void Clear() {
    const ObjHandle white = dc_->CreateSolidBrush(0xFFFFFF);
    dc_->FillRect(IRect{0, 0, width_, height_}, white);
    dc_->DeleteObject(white);
  }
  std::vector<std::uint32_t> Pixels() const {
    std::int32_t w = 0, h = 0;
    std::vector<std::uint32_t> px;
    system_.ReadBitmap(bitmap_, &w, &h, &px);
    return px;
  }
  Color At(std::int32_t x, std::int32_t y) const {
    const RasterBitmap* b = system_.BitmapOf(bitmap_);
    return b && b->Contains(x, y) ? b->Get(x, y) : kInvalidColor;
  }
  std::int32_t width() const { return width_; }
  std::int32_t height() const { return height_; }

 private:
  RasterGraphicsSystem system_;
  std::unique_ptr<DeviceContext> dc_;
  ObjHandle bitmap_ = kNoObject;
  ObjHandle previous_ = kNoObject;
  std::int32_t width_, height_;
};

// The first pixel that differs, as "x,y: a vs b", or "" when both pictures are equal.
inline std::string FirstDifference(const std::vector<std::uint32_t>& a,
                                   const std::vector<std::uint32_t>& b, std::int32_t width) {
  if (a.size() != b.size()) return "sizes differ";
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i])
      return std::to_string(i % width) + "," + std::to_string(i / width) + ": " +
             std::to_string(a[i]) + " vs " + std::to_string(b[i]);
  return "";
}

// The MoveToEx and LineTo calls of a log, in order.
inline std::vector<std::string> PenMoves(const CallLog& log) {
  std::vector<std::string> out;
  for (const RecordedCall& c : log.calls()) {
    const std::string name = c.Name();
    if (name == "MoveToEx" || name == "LineTo") out.push_back(c.text);
  }
  return out;
}

}  // namespace corvane::testing
