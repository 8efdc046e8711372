#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

std::vector<Scene> GeometryScenes() {
  std::vector<Scene> scenes;
  AddLineScenes(&scenes);
  AddWideLineScenes(&scenes);
  AddShapeScenes(&scenes);
  AddClipAndBlitScenes(&scenes);
  AddStressScenes(&scenes);
  AddTranslucentScenes(&scenes);
  return scenes;
}

}  // namespace conformance
}  // namespace corvane
