// FillRect, Rectangle and Polygon fills with GDI's edge rules.
#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

void AddShapeScenes(std::vector<Scene>* out) {
  {
    Scene s;
    s.name = "fillrect_edges";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const ObjHandle brush = dc.CreateSolidBrush(0x3366CC);
      log.push_back(dc.FillRect({10, 10, 30, 25}, brush));
      log.push_back(dc.FillRect({40, 10, 41, 11}, brush));
      log.push_back(dc.FillRect({60, 30, 50, 20}, brush));  // inverted
      log.push_back(dc.FillRect({70, 10, 70, 40}, brush));  // empty
      log.push_back(dc.FillRect({-20, 100, 30, 200}, brush));
      log.push_back(dc.FillRect({150, -5, 400, 8}, brush));
      log.push_back(dc.FillRect({90, 50, 100, 40}, brush));  // bottom above top
      log.push_back(dc.FillRect({120, 60, 110, 70}, brush));  // right left of left
      dc.DeleteObject(brush);
    };
    out->push_back(s);
  }
  for (int width : {-1, 0, 1, 2, 3, 6}) {
    Scene s;
    s.name = "rectangle_pen" + std::to_string(width < 0 ? 99 : width);
    if (width < 0) s.name = "rectangle_null_pen";
    s.draw = [width](DeviceContext& dc, SceneLog& log) {
      WithBrush(dc, 0x00CC00, [&] {
        auto shapes = [&] {
          log.push_back(dc.Rectangle(10, 10, 40, 30));
          log.push_back(dc.Rectangle(50, 10, 51, 11));
          log.push_back(dc.Rectangle(60, 10, 62, 12));
          log.push_back(dc.Rectangle(70, 10, 73, 13));
          log.push_back(dc.Rectangle(110, 40, 80, 15));  // inverted
          log.push_back(dc.Rectangle(120, 10, 120, 30));  // empty width
          log.push_back(dc.Rectangle(-10, 60, 40, 150));
          log.push_back(dc.Rectangle(60, 60, 150, 100));
        };
        if (width < 0) {
          const ObjHandle old = dc.SelectObject(dc.GetStockNullPen());
          shapes();
          dc.SelectObject(old);
        } else {
          WithPen(dc, width, 0x0000AA, shapes);
        }
      });
    };
    out->push_back(s);
  }
  struct PolygonCase {
    const char* name;
    std::vector<IPoint> pts;
  };
  const std::vector<PolygonCase> cases = {
      {"convex", {{10, 10}, {70, 20}, {60, 90}, {15, 70}}},
      {"concave", {{80, 10}, {150, 10}, {150, 110}, {120, 40}, {100, 110}, {80, 60}}},
      {"star", {{80, 5}, {100, 110}, {10, 40}, {150, 40}, {60, 110}}},
      {"thin", {{5, 100}, {155, 103}, {5, 104}}},
      {"tiny", {{20, 20}, {22, 20}, {21, 22}}},
      {"slivers", {{10, 10}, {150, 11}, {10, 12}, {150, 100}, {11, 110}}},
      {"outside", {{-40, -30}, {200, 20}, {80, 300}}},
      {"bowtie", {{10, 10}, {150, 110}, {150, 10}, {10, 110}}},
  };
  for (int mode = 0; mode < 3; ++mode) {
    for (const PolygonCase& c : cases) {
      Scene s;
      s.name = std::string("polygon_") + c.name + (mode == 0 ? "_nullpen" : mode == 1 ? "_pen1" : "_pen4");
      const std::vector<IPoint> pts = c.pts;
      s.draw = [mode, pts](DeviceContext& dc, SceneLog& log) {
        WithBrush(dc, 0xCC8844, [&] {
          if (mode == 0) {
            const ObjHandle old = dc.SelectObject(dc.GetStockNullPen());
            log.push_back(dc.Polygon(pts.data(), static_cast<std::int32_t>(pts.size())));
            dc.SelectObject(old);
          } else {
            WithPen(dc, mode == 1 ? 1 : 4, 0x202020, [&] {
              log.push_back(dc.Polygon(pts.data(), static_cast<std::int32_t>(pts.size())));
            });
          }
        });
      };
      out->push_back(s);
    }
  }
  for (int seed = 1; seed <= 6; ++seed) {
    Scene s;
    s.name = "polygon_random_" + std::to_string(seed);
    s.draw = [seed](DeviceContext& dc, SceneLog&) {
      SceneRandom rnd(static_cast<std::uint32_t>(seed) * 7919u);
      const ObjHandle old = dc.SelectObject(dc.GetStockNullPen());
      for (int k = 0; k < 6; ++k) {
        IPoint pts[7];
        const int n = rnd.Next(3, 7);
        for (int i = 0; i < n; ++i) pts[i] = {rnd.Next(-5, 165), rnd.Next(-5, 125)};
        WithBrush(dc, MakeColor(rnd.Next(0, 255), rnd.Next(0, 255), rnd.Next(0, 255)), [&] { dc.Polygon(pts, n); });
      }
      dc.SelectObject(old);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "polygon_degenerate";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      WithBrush(dc, 0x4444CC, [&] {
        WithPen(dc, 1, 0x000000, [&] {
          const IPoint two[] = {{10, 10}, {50, 40}};
          log.push_back(dc.Polygon(two, 2));
          const IPoint one[] = {{70, 10}};
          log.push_back(dc.Polygon(one, 1));
          const IPoint line[] = {{10, 60}, {80, 60}, {150, 60}};
          log.push_back(dc.Polygon(line, 3));
          const IPoint dup[] = {{100, 80}, {100, 80}, {140, 110}, {100, 110}};
          log.push_back(dc.Polygon(dup, 4));
        });
      });
    };
    out->push_back(s);
  }
}

}  // namespace conformance
}  // namespace corvane
