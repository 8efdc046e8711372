// Many generated primitives per scene, to catch rare rounding differences.
#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

void AddStressScenes(std::vector<Scene>* out) {
  for (int seed = 1; seed <= 8; ++seed) {
    Scene s;
    s.name = "stress_lines1_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog&) {
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 104729u);
      // Spread-out coordinates with a bias toward short lines.
      for (int i = 0; i < 50; ++i) {
        const int span = i % 3 == 0 ? 400 : 30;
        const int x = rnd.Next(-20, 180), y = rnd.Next(-20, 140);
        WithPen(dc, i % 2, MakeColor(rnd.Next(0, 255), rnd.Next(0, 255), rnd.Next(0, 255)),
                [&] { Line(dc, x, y, x + rnd.Next(-span, span), y + rnd.Next(-span, span)); });
      }
    };
    out->push_back(s);
  }
  for (int seed = 1; seed <= 4; ++seed) {
    Scene s;
    s.name = "stress_lines1_far_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog&) {
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 15485863u);
      const int range = seed <= 2 ? 1000000 : 100000000;
      for (int i = 0; i < 30; ++i) {
        // One end near the surface, the other far away, so the line crosses it.
        const int x = rnd.Next(0, 159), y = rnd.Next(0, 119);
        const int fx = rnd.Next(-range, range), fy = rnd.Next(-range, range);
        WithPen(dc, 1, MakeColor(rnd.Next(0, 255), 0, rnd.Next(0, 255)), [&] {
          if (i % 2) Line(dc, x, y, fx, fy); else Line(dc, fx, fy, x, y);
        });
      }
    };
    out->push_back(s);
  }
  for (int seed = 1; seed <= 8; ++seed) {
    Scene s;
    s.name = "stress_wide_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog&) {
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 7727u);
      for (int i = 0; i < 25; ++i) {
        const int w = seed <= 5 ? rnd.Next(2, 15) : rnd.Next(16, 70);
        const int span = i % 3 == 0 ? 200 : 25;
        const int x = rnd.Next(-20, 180), y = rnd.Next(-20, 140);
        WithPen(dc, w, MakeColor(rnd.Next(0, 255), rnd.Next(0, 255), rnd.Next(0, 255)),
                [&] { Line(dc, x, y, x + rnd.Next(-span, span), y + rnd.Next(-span, span)); });
      }
    };
    out->push_back(s);
  }
  for (int w = 16; w <= 64; w += 3) {
    Scene s;
    s.name = "wide" + std::to_string(w) + "_caps";
    s.draw = [w](DeviceContext& dc, SceneLog&) {
      WithPen(dc, w, 0x404040, [&] {
        Line(dc, 40, 40, 40, 40);
        Line(dc, 110, 40, 111, 40);
        Line(dc, 40, 100, 60, 90);
        Line(dc, 120, 95, 121, 96);
      });
    };
    out->push_back(s);
  }
  for (int seed = 1; seed <= 4; ++seed) {
    Scene s;
    s.name = "stress_polyline_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog&) {
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 3571u);
      IPoint pts[200];
      int x = 80, y = 60;
      for (IPoint& p : pts) {
        x = std::max(-30, std::min(190, x + rnd.Next(-9, 9)));
        y = std::max(-30, std::min(150, y + rnd.Next(-9, 9)));
        p = {x, y};
      }
      WithPen(dc, seed == 1 ? 1 : seed, 0x880088, [&] { dc.Polyline(pts, 200); });
    };
    out->push_back(s);
  }
  for (int seed = 1; seed <= 6; ++seed) {
    Scene s;
    s.name = "stress_polygon_clip_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog& log) {
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 6007u);
      IPoint clip[6];
      for (IPoint& p : clip) p = {rnd.Next(-20, 180), rnd.Next(-20, 140)};
      const ObjHandle rgn = dc.CreatePolygonRgn(clip, 6);
      log.push_back(dc.SelectClipRgn(rgn));
      IRect box;
      log.push_back(dc.GetClipBox(&box));
      log.push_back(box.left);
      log.push_back(box.top);
      log.push_back(box.right);
      log.push_back(box.bottom);
      for (int k = 0; k < 8; ++k) {
        IPoint pts[5];
        for (IPoint& p : pts) p = {rnd.Next(-10, 170), rnd.Next(-10, 130)};
        WithBrush(dc, MakeColor(rnd.Next(0, 255), rnd.Next(0, 255), rnd.Next(0, 255)), [&] {
          WithPen(dc, rnd.Next(0, 6), MakeColor(rnd.Next(0, 255), 0, 0), [&] { dc.Polygon(pts, 5); });
        });
      }
      dc.SelectClipRgn(kNoObject);
      dc.DeleteObject(rgn);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "clip_kind_off_surface";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      // Complex in full, a plain rectangle where it meets the surface.
      const IPoint notch[] = {{10, 10}, {10, -30}, {60, -10}, {100, -30}, {100, 100}, {10, 100}};
      const ObjHandle rgn = dc.CreatePolygonRgn(notch, 6);
      log.push_back(dc.SelectClipRgn(rgn));
      IRect box;
      log.push_back(dc.GetClipBox(&box));
      log.push_back(box.left);
      log.push_back(box.top);
      log.push_back(box.right);
      log.push_back(box.bottom);
      WithBrush(dc, 0x00AAAA, [&] { dc.Rectangle(-5, -5, 200, 200); });
      dc.SelectClipRgn(kNoObject);
      dc.DeleteObject(rgn);
    };
    out->push_back(s);
  }
}

}  // namespace conformance
}  // namespace corvane
