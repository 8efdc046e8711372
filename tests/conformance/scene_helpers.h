// Small drawing helpers shared by the scene files.
#pragma once
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/dc.h"
#include "tests/conformance/conformance_scene.h"

namespace corvane {
namespace conformance {

// Deterministic numbers for generated shapes (the same on both platforms).
class SceneRandom {
 public:
  explicit SceneRandom(std::uint32_t seed) : state_(seed) {}
  std::int32_t Next(std::int32_t lo, std::int32_t hi) {  // [lo, hi]
    state_ = state_ * 1103515245u + 12345u;
    return lo + static_cast<std::int32_t>((state_ >> 8) % static_cast<std::uint32_t>(hi - lo + 1));
  }

 private:
  std::uint32_t state_;
};

inline void Line(DeviceContext& dc, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1) {
  dc.MoveToEx(x0, y0);
  dc.LineTo(x1, y1);
}

// Selects a new solid pen, runs f, restores and deletes it.
template <typename F>
void WithPen(DeviceContext& dc, std::int32_t width, Color color, F&& f) {
  const ObjHandle pen = dc.CreatePen(width, color);
  const ObjHandle old = dc.SelectObject(pen);
  f();
  dc.SelectObject(old);
  dc.DeleteObject(pen);
}

template <typename F>
void WithBrush(DeviceContext& dc, Color color, F&& f) {
  const ObjHandle brush = dc.CreateSolidBrush(color);
  const ObjHandle old = dc.SelectObject(brush);
  f();
  dc.SelectObject(old);
  dc.DeleteObject(brush);
}

// Fills the whole scene with a pattern of many different colours.
inline void PaintPattern(DeviceContext& dc, std::int32_t w, std::int32_t h, std::uint32_t salt) {
  for (std::int32_t y = 0; y < h; ++y)
    for (std::int32_t x = 0; x < w; ++x) {
      const std::uint32_t i = static_cast<std::uint32_t>(y * w + x) * 2654435761u + salt;
      dc.SetPixelV(x, y, MakeColor(static_cast<int>(i >> 24), static_cast<int>(i >> 16), static_cast<int>(i >> 8)));
    }
}

void AddLineScenes(std::vector<Scene>* out);
void AddWideLineScenes(std::vector<Scene>* out);
void AddShapeScenes(std::vector<Scene>* out);
void AddClipAndBlitScenes(std::vector<Scene>* out);
void AddStressScenes(std::vector<Scene>* out);
void AddTranslucentScenes(std::vector<Scene>* out);

}  // namespace conformance
}  // namespace corvane
