// The file both renderers write: every scene's name, kind, size, log and pixels
// (COLORREF values, rows top to bottom), little-endian.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "tests/conformance/conformance_scene.h"

namespace corvane {
namespace conformance {

struct SceneResult {
  std::string name;
  SceneKind kind = SceneKind::kGeometry;
  std::int32_t width = 0, height = 0;
  SceneLog log;
  std::vector<std::uint32_t> pixels;
  bool rendered = false;  // false when the context or bitmap could not be made
};

bool WriteResults(const std::string& path, const std::vector<SceneResult>& results);
bool ReadResults(const std::string& path, std::vector<SceneResult>* results);

}  // namespace conformance
}  // namespace corvane
