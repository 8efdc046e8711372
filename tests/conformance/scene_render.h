// Renders scenes through any GraphicsSystem into screen-compatible memory bitmaps.
#pragma once
#include <vector>

#include "platform/dc.h"
#include "tests/conformance/conformance_scene.h"
#include "tests/conformance/scene_file.h"

namespace corvane {
namespace conformance {

SceneResult RenderScene(GraphicsSystem& system, const Scene& scene);

}  // namespace conformance
}  // namespace corvane
