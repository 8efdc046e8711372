// Geometric pens of widths 2..15 (and a few wider): bodies, round caps and joins.
#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

namespace {

const IPoint kWideDeltas[] = {{20, 0},  {0, 20},  {20, 7},  {7, 20},  {15, 15}, {-20, 9},
                              {9, -20}, {-13, -17}, {17, -5}, {3, 1},  {1, 0},   {0, 1},
                              {-18, 0}, {0, -18}, {12, 11}, {-5, 19}, {19, -14}, {2, 2}};

const IPoint kChain[] = {{10, 20}, {60, 15}, {25, 60}, {90, 100}, {110, 30}, {112, 90},
                         {150, 95}, {140, 20}, {140, 20}, {100, 8}};

}  // namespace

void AddWideLineScenes(std::vector<Scene>* out) {
  for (int width = 2; width <= 15; ++width) {
    for (int part = 0; part < 3; ++part) {
      Scene s;
      s.name = "wide" + std::to_string(width) + "_angles_" + std::to_string(part);
      s.draw = [width, part](DeviceContext& dc, SceneLog&) {
        WithPen(dc, width, 0x800000, [&] {
          for (int c = 0; c < 6; ++c) {
            const IPoint d = kWideDeltas[part * 6 + c];
            const int cx = (c % 3) * 53 + 26, cy = (c / 3) * 60 + 30;
            Line(dc, cx - d.x / 2, cy - d.y / 2, cx - d.x / 2 + d.x, cy - d.y / 2 + d.y);
          }
        });
      };
      out->push_back(s);
    }
  }
  for (int width : {2, 3, 4, 5, 8, 13, 21, 40}) {
    Scene s;
    s.name = "wide" + std::to_string(width) + "_dots_and_long";
    s.draw = [width](DeviceContext& dc, SceneLog&) {
      WithPen(dc, width, 0x008080, [&] {
        Line(dc, 30, 30, 30, 30);  // zero length
        Line(dc, 80, 30, 81, 30);
        Line(dc, 120, 30, 121, 31);
        Line(dc, 5, 70, 155, 100);
        Line(dc, 150, 60, 140, 115);
      });
    };
    out->push_back(s);
  }
  for (int width : {2, 3, 6, 9, 15}) {
    Scene s;
    s.name = "wide" + std::to_string(width) + "_polyline_chain";
    s.draw = [width](DeviceContext& dc, SceneLog& log) {
      WithPen(dc, width, 0x000080, [&] { log.push_back(dc.Polyline(kChain, 10)); });
    };
    out->push_back(s);
    Scene t;
    t.name = "wide" + std::to_string(width) + "_lineto_chain";
    t.draw = [width](DeviceContext& dc, SceneLog& log) {
      WithPen(dc, width, 0x000080, [&] {
        dc.MoveToEx(kChain[0].x, kChain[0].y);
        for (int i = 1; i < 10; ++i) dc.LineTo(kChain[i].x, kChain[i].y);
        log.push_back(1);
      });
    };
    out->push_back(t);
  }
  {
    Scene s;
    s.name = "wide_huge_coordinates";
    s.draw = [](DeviceContext& dc, SceneLog&) {
      WithPen(dc, 7, 0x0000C0, [&] {
        Line(dc, -100000, -73100, 100000, 73300);
        Line(dc, 50, -1000000, 53, 1000000);
        Line(dc, -1000000, 70, 1000000, 71);
        Line(dc, -5000, 110, 5000, 110);
      });
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "wide_random_segments";
    s.draw = [](DeviceContext& dc, SceneLog&) {
      SceneRandom rnd(77);
      for (int i = 0; i < 40; ++i) {
        const int w = rnd.Next(2, 15);
        WithPen(dc, w, MakeColor(rnd.Next(0, 200), rnd.Next(0, 200), rnd.Next(0, 200)), [&] {
          Line(dc, rnd.Next(-10, 170), rnd.Next(-10, 130), rnd.Next(-10, 170), rnd.Next(-10, 130));
        });
      }
    };
    out->push_back(s);
  }
  // Dense data: short steps, many of them up and down one column, through a clip rectangle
  // cut by the chain -- the shape of a plot of many points.
  for (int width : {2, 3, 5, 9, 15}) {
    Scene s;
    s.name = "wide" + std::to_string(width) + "_dense_walk_clipped";
    s.draw = [width](DeviceContext& dc, SceneLog& log) {
      SceneRandom rnd(1000 + static_cast<std::uint32_t>(width));
      IPoint pts[400];
      IPoint p{4, 60};
      for (IPoint& q : pts) {
        if (rnd.Next(0, 2) == 0) p.x += rnd.Next(0, 2);
        p.y += rnd.Next(-4, 4);
        if (p.y < -10 || p.y > 130) p.y = 60;
        q = p;
      }
      const ObjHandle clip = dc.CreateRectRgn(12, 20, 150, 100);
      dc.SelectClipRgn(clip);
      WithPen(dc, width, 0x206040, [&] {
        for (int k = 0; k + 16 <= 400; k += 15) log.push_back(dc.Polyline(pts + k, 16));
        for (int k = 0; k + 1 < 400; k += 37) Line(dc, pts[k].x, pts[k].y + 9, pts[k + 1].x, pts[k + 1].y - 7);
      });
      dc.SelectClipRgn(kNoObject);
      dc.DeleteObject(clip);
    };
    out->push_back(s);
  }
}

}  // namespace conformance
}  // namespace corvane
