// Renders every conformance scene with this platform's graphics system and writes them to
// the file named on the command line. An optional second argument keeps only the scenes
// whose name starts with it.
#include <cstdio>
#include <string>

#include "tests/conformance/scene_file.h"
#include "tests/conformance/scene_render.h"

#ifdef _WIN32
#include "platform/gdi/gdi_system.h"
using PlatformSystem = corvane::GdiGraphicsSystem;
#else
#include "platform/raster/raster_system.h"
using PlatformSystem = corvane::RasterGraphicsSystem;
#endif

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUTPUT [NAME_PREFIX]\n", argv[0]);
    return 2;
  }
  const std::string prefix = argc > 2 ? argv[2] : "";
  PlatformSystem system;
  std::vector<corvane::conformance::SceneResult> results;
  for (const corvane::conformance::Scene& scene : corvane::conformance::AllScenes()) {
    if (scene.name.compare(0, prefix.size(), prefix) != 0) continue;
    results.push_back(corvane::conformance::RenderScene(system, scene));
  }
  if (!corvane::conformance::WriteResults(argv[1], results)) {
    std::fprintf(stderr, "cannot write %s\n", argv[1]);
    return 1;
  }
  std::printf("%zu scenes written to %s\n", results.size(), argv[1]);
  return 0;
}
