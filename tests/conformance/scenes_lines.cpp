// Cosmetic (one-pixel) lines: every octant, ties, tiny and huge lines.
#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

namespace {

// Deltas chosen to hit Bresenham ties (odd multiples of a half) and plain slopes.
const IPoint kDeltas[] = {{7, 3}, {6, 3}, {4, 2}, {10, 1}, {9, 4}, {8, 6}, {12, 5}, {11, 2},
                          {5, 5}, {13, 0}, {14, 7}, {10, 5}, {2, 1}, {3, 1}, {16, 6}, {15, 10}};

}  // namespace

void AddLineScenes(std::vector<Scene>* out) {
  // Each scene: two deltas, both orientations, all four signs, one line per 40 x 30 cell.
  for (std::size_t k = 0; k < sizeof kDeltas / sizeof kDeltas[0]; k += 2) {
    Scene s;
    s.name = "line1_octants_" + std::to_string(kDeltas[k].x) + "_" + std::to_string(kDeltas[k].y);
    const IPoint d0 = kDeltas[k], d1 = kDeltas[k + 1];
    s.draw = [d0, d1](DeviceContext& dc, SceneLog&) {
      WithPen(dc, 1, 0x000000, [&] {
        int cell = 0;
        for (const IPoint d : {d0, d1})
          for (int swap = 0; swap < 2; ++swap)
            for (int sign = 0; sign < 4; ++sign, ++cell) {
              const int cx = (cell % 4) * 40 + 20, cy = (cell / 4) * 30 + 15;
              int dx = swap ? d.y : d.x, dy = swap ? d.x : d.y;
              if (sign & 1) dx = -dx;
              if (sign & 2) dy = -dy;
              Line(dc, cx, cy, cx + dx, cy + dy);
            }
      });
    };
    out->push_back(s);
  }
  // Fans of long lines through one point: many slopes in every octant.
  for (int fan = 0; fan < 3; ++fan) {
    Scene s;
    s.name = "line1_fan_" + std::to_string(fan);
    s.draw = [fan](DeviceContext& dc, SceneLog&) {
      WithPen(dc, 0, 0x0000FF, [&] {
        for (int i = 0; i < 24; ++i) {
          const int step = fan * 24 + i;
          // Endpoints walk around the border; colours do not matter, pixels do.
          const int perimeter = 2 * (159 + 119);
          int p = (step * 37) % perimeter;
          int x, y;
          if (p < 159) { x = p; y = 0; }
          else if ((p -= 159) < 119) { x = 159; y = p; }
          else if ((p -= 119) < 159) { x = 159 - p; y = 119; }
          else { p -= 159; x = 0; y = 119 - p; }
          const int ox = 80 + (step % 5) - 2, oy = 60 + (step % 3) - 1;
          if (i % 2) Line(dc, ox, oy, x, y); else Line(dc, x, y, ox, oy);
        }
      });
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "line1_tiny";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      WithPen(dc, 1, 0x000000, [&] {
        Line(dc, 10, 10, 10, 10);  // zero length: nothing
        Line(dc, 20, 10, 21, 10);
        Line(dc, 30, 10, 30, 11);
        Line(dc, 40, 10, 41, 11);
        Line(dc, 50, 10, 52, 11);
        Line(dc, 60, 10, 61, 12);
        Line(dc, 70, 10, 68, 9);
        Line(dc, 80, 10, 79, 12);
        // LineTo moves the current position: a chain of short steps.
        dc.MoveToEx(10, 40);
        for (int i = 0; i < 20; ++i) dc.LineTo(10 + i * 3, 40 + (i % 3));
        log.push_back(dc.LineTo(100, 100));
      });
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "line1_huge";
    s.draw = [](DeviceContext& dc, SceneLog&) {
      WithPen(dc, 1, 0x000000, [&] {
        Line(dc, -100000, -73100, 100000, 73300);
        Line(dc, -90001, 100033, 170000, -60011);
        Line(dc, 50, -1000000, 53, 1000000);
        Line(dc, -1000000, 70, 1000000, 71);
        Line(dc, 30, -5, 30, 1000007);
        Line(dc, 1000003, 90, -7, 90);
        Line(dc, -300, -400, 159, 119);
        Line(dc, 600000, 600000, -400000, -400000);
      });
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "line1_polyline_chain";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const IPoint pts[] = {{5, 5}, {60, 20}, {30, 80}, {150, 110}, {150, 10}, {100, 60}, {100, 60}, {20, 115}, {5, 5}};
      WithPen(dc, 1, 0x003300, [&] { log.push_back(dc.Polyline(pts, 9)); });
    };
    out->push_back(s);
    // The same chain as MoveToEx + LineTo: the raster side draws identical pixels by
    // construction, so a difference here shows how GDI's Polyline relates to LineTo.
    Scene t = s;
    t.name = "line1_lineto_chain";
    t.draw = [](DeviceContext& dc, SceneLog& log) {
      const IPoint pts[] = {{5, 5}, {60, 20}, {30, 80}, {150, 110}, {150, 10}, {100, 60}, {100, 60}, {20, 115}, {5, 5}};
      WithPen(dc, 1, 0x003300, [&] {
        dc.MoveToEx(pts[0].x, pts[0].y);
        for (int i = 1; i < 9; ++i) dc.LineTo(pts[i].x, pts[i].y);
        log.push_back(1);
      });
    };
    out->push_back(t);
  }
}

}  // namespace conformance
}  // namespace corvane
