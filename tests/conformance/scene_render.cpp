#include "tests/conformance/scene_render.h"

namespace corvane {
namespace conformance {

SceneResult RenderScene(GraphicsSystem& system, const Scene& scene) {
  SceneResult result;
  result.name = scene.name;
  result.kind = scene.kind;
  result.width = scene.width;
  result.height = scene.height;
  std::unique_ptr<DeviceContext> screen = system.GetScreenDC();
  if (!screen) return result;
  std::unique_ptr<DeviceContext> dc = system.CreateCompatibleDC(screen.get());
  if (!dc) return result;
  const ObjHandle bitmap = screen->CreateCompatibleBitmap(scene.width, scene.height);
  if (bitmap == kNoObject) return result;
  const ObjHandle old_bitmap = dc->SelectObject(bitmap);
  const ObjHandle brush = dc->CreateSolidBrush(scene.background);
  dc->FillRect(IRect{0, 0, scene.width, scene.height}, brush);
  dc->DeleteObject(brush);
  scene.draw(*dc, result.log);
  // Read back through the context with the clip removed.
  dc->SelectClipRgn(kNoObject);
  result.pixels.reserve(static_cast<std::size_t>(scene.width) * static_cast<std::size_t>(scene.height));
  for (std::int32_t y = 0; y < scene.height; ++y)
    for (std::int32_t x = 0; x < scene.width; ++x) result.pixels.push_back(dc->GetPixel(x, y));
  dc->SelectObject(old_bitmap);
  system.DeleteObject(bitmap);
  result.rendered = true;
  return result;
}

}  // namespace conformance
}  // namespace corvane
