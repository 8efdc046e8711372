// A conformance scene: a drawing made only through DeviceContext calls, rendered once by the
// raster layer and once by GDI, then compared. Scenes may log values (return codes,
// extents); logs must match exactly.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/dc.h"

namespace corvane {
namespace conformance {

enum class SceneKind : std::uint8_t {
  kGeometry = 0,  // pixels must be identical
  kText = 1,      // logs identical, ink within a tolerance
};

using SceneLog = std::vector<std::int64_t>;

struct Scene {
  std::string name;
  SceneKind kind = SceneKind::kGeometry;
  std::int32_t width = 160;
  std::int32_t height = 120;
  Color background = 0xFFFFFF;
  std::function<void(DeviceContext& dc, SceneLog& log)> draw;
};

std::vector<Scene> GeometryScenes();
std::vector<Scene> TextScenes();

inline std::vector<Scene> AllScenes() {
  std::vector<Scene> all = GeometryScenes();
  for (Scene& s : TextScenes()) all.push_back(std::move(s));
  return all;
}

}  // namespace conformance
}  // namespace corvane
