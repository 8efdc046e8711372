// Translucent fills as the overlays make them: a one-colour DIB section blended through a
// polygon region ANDed with a rectangular clip, and polygons reaching far off the surface.
#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

namespace {

// The whole translucent-fill sequence for one polygon, under the clip rectangle `clip`.
void BlendPolygon(DeviceContext& dc, const std::vector<IPoint>& pts, const IRect& clip, Color color,
                  std::uint8_t alpha, SceneLog& log) {
  const ObjHandle clipRgn = dc.CreateRectRgn(clip.left, clip.top, clip.right, clip.bottom);
  dc.SelectClipRgn(clipRgn);
  IRect box{0, 0, 0, 0};
  log.push_back(dc.GetClipBox(&box));
  std::int32_t minX = pts[0].x, maxX = pts[0].x, minY = pts[0].y, maxY = pts[0].y;
  for (const IPoint& p : pts) {
    minX = std::min(minX, p.x), maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y), maxY = std::max(maxY, p.y);
  }
  const std::int32_t x0 = std::max(minX, box.left), y0 = std::max(minY, box.top);
  const std::int32_t x1 = std::min(maxX, box.right), y1 = std::min(maxY, box.bottom);
  const ObjHandle polygon = dc.CreatePolygonRgn(pts.data(), static_cast<std::int32_t>(pts.size()));
  const ObjHandle saved = dc.CreateRectRgn(box.left, box.top, box.right, box.bottom);
  log.push_back(dc.ExtSelectClipRgnAnd(polygon));
  if (x0 < x1 && y0 < y1) {
    std::unique_ptr<DeviceContext> mem = dc.System().CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const ObjHandle dib = mem->CreateDIBSection24(x1 - x0, y1 - y0, &bits);
    const ObjHandle old = mem->SelectObject(dib);
    const ObjHandle brush = mem->CreateSolidBrush(color);
    mem->FillRect({0, 0, x1 - x0, y1 - y0}, brush);
    log.push_back(dc.AlphaBlend(x0, y0, x1 - x0, y1 - y0, *mem, 0, 0, x1 - x0, y1 - y0, alpha));
    mem->SelectObject(old);
    mem.reset();
    dc.DeleteObject(brush);
    dc.DeleteObject(dib);
  }
  dc.SelectClipRgn(saved);
  dc.DeleteObject(saved);
  dc.DeleteObject(polygon);
  dc.SelectClipRgn(kNoObject);
  dc.DeleteObject(clipRgn);
}

}  // namespace

void AddTranslucentScenes(std::vector<Scene>* out) {
  for (int seed = 1; seed <= 6; ++seed) {
    Scene s;
    s.name = "translucent_fill_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog& log) {
      PaintPattern(dc, 160, 120, static_cast<std::uint32_t>(seed));
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 48271u);
      for (int k = 0; k < 8; ++k) {
        std::vector<IPoint> pts(static_cast<std::size_t>(rnd.Next(3, 9)));
        const std::int32_t cx = rnd.Next(-20, 180), cy = rnd.Next(-20, 140), r = rnd.Next(3, 70);
        for (IPoint& p : pts) p = {cx + rnd.Next(-r, r), cy + rnd.Next(-r, r)};
        const IRect clip{rnd.Next(-10, 40), rnd.Next(-10, 30), rnd.Next(100, 170), rnd.Next(80, 130)};
        BlendPolygon(dc, pts, clip, MakeColor(rnd.Next(0, 255), rnd.Next(0, 255), rnd.Next(0, 255)),
                     static_cast<std::uint8_t>(rnd.Next(0, 254)), log);
      }
    };
    out->push_back(s);
  }
  {
    // Vertices up to 32768 pixels beyond the clip, the farthest the overlays hand to a
    // polygon call.
    Scene s;
    s.name = "translucent_far_vertices";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      constexpr std::int32_t kFar = 32768 + 150;
      const std::vector<std::vector<IPoint>> shapes = {
          {{-kFar, 30}, {kFar, 50}, {80, 5}},
          {{10, 100}, {kFar, kFar / 97}, {20, 115}},
          {{-kFar, -kFar}, {kFar, -kFar}, {kFar, kFar}, {-kFar, kFar}},
          {{150, -kFar}, {155, kFar}, {5, 60}},
      };
      for (std::size_t i = 0; i < shapes.size(); ++i) {
        BlendPolygon(dc, shapes[i], IRect{5, 5, 155, 115}, MakeColor(40 * static_cast<int>(i), 200, 90),
                     static_cast<std::uint8_t>(60 + 40 * i), log);
        WithBrush(dc, MakeColor(200, 30 * static_cast<int>(i), 60), [&] {
          const ObjHandle old = dc.SelectObject(dc.GetStockNullPen());
          if (i == 1) log.push_back(dc.Polygon(shapes[i].data(), static_cast<std::int32_t>(shapes[i].size())));
          dc.SelectObject(old);
        });
      }
    };
    out->push_back(s);
  }
}

}  // namespace conformance
}  // namespace corvane
