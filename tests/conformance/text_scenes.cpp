// Text scenes: extents are logged (they must match exactly), ink is compared with a
// tolerance. The chart draws Arial 14 (legend), 15 (axis captions, grid labels) and
// 16 (caption bold, other labels); the other sizes guard the cell and ink rules.
#include <string>

#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

namespace {

FontRequest Font(std::int32_t height, std::int32_t weight, bool italic = false, bool underline = false) {
  FontRequest s;
  s.height = height;
  s.weight = weight;
  s.italic = italic;
  s.underline = underline;
  return s;
}

std::int32_t Len(const char* s) { return static_cast<std::int32_t>(std::string(s).size()); }

// Logs the return code and extent of each string with the selected font.
void LogExtents(DeviceContext& dc, SceneLog& log, std::initializer_list<const char*> texts) {
  for (const char* t : texts) {
    TextSize size{-1, -1};
    log.push_back(dc.GetTextExtentPoint32A(t, Len(t), &size));
    log.push_back(size.cx);
    log.push_back(size.cy);
  }
}

template <typename F>
void WithFont(DeviceContext& dc, const FontRequest& request, F&& f) {
  const ObjHandle font = dc.CreateFontA(request);
  const ObjHandle old = dc.SelectObject(font);
  f();
  dc.SelectObject(old);
  dc.DeleteObject(font);
}

void FillBox(DeviceContext& dc, const IRect& r, Color c) {
  const ObjHandle brush = dc.CreateSolidBrush(c);
  dc.FillRect(r, brush);
  dc.DeleteObject(brush);
}

Scene TextScene(std::string name, std::int32_t w, std::int32_t h,
                std::function<void(DeviceContext&, SceneLog&)> draw) {
  Scene s;
  s.name = std::move(name);
  s.kind = SceneKind::kText;
  s.width = w;
  s.height = h;
  s.draw = std::move(draw);
  return s;
}

// One font in the ways the chart uses text: black on white, partly left of the surface,
// opaque on the label box colour, white on a dark band, and numbers as grid labels.
void AddChartFontScenes(std::vector<Scene>* out) {
  struct Case {
    const char* name;
    FontRequest request;
  };
  const Case cases[] = {
      {"text_arial14", Font(14, 400)},           {"text_arial14_bold", Font(14, 700)},
      {"text_arial15", Font(15, 400)},           {"text_arial15_bold", Font(15, 700)},
      {"text_arial16", Font(16, 400)},           {"text_arial16_bold", Font(16, 700)},
      {"text_arial14_italic", Font(14, 400, true)}, {"text_arial16_bold_italic", Font(16, 700, true)},
      {"text_arial15_underline", Font(15, 400, false, true)},
      {"text_arial16_bold_underline", Font(16, 700, false, true)},
  };
  for (const Case& c : cases) {
    const FontRequest request = c.request;
    out->push_back(TextScene(c.name, 180, 130, [request](DeviceContext& dc, SceneLog& log) {
      WithFont(dc, request, [&] {
        LogExtents(dc, log, {"Test_string", "Corvane Version 1.1", "caption X", "caption Y",
                             "-1234.5678", "0.000001", "1E+30", "-.", "", "AVAWTo Wave"});
        dc.SetBkMode(kTransparent);
        dc.SetTextColor(0x000000);
        dc.TextOutA(5, 3, "Test_string -12.5", Len("Test_string -12.5"));
        dc.SetTextColor(0x0000FF);
        dc.TextOutA(-7, 22, "Corvane Version 1.1", Len("Corvane Version 1.1"));
        dc.SetBkMode(kOpaque);
        dc.SetBkColor(0xCCFFFF);
        dc.SetTextColor(0x000000);
        dc.TextOutA(20, 42, "0123456789 -.", Len("0123456789 -."));
        FillBox(dc, IRect{0, 64, 180, 86}, 0x402010);
        dc.SetBkMode(kTransparent);
        dc.SetTextColor(0xFFFFFF);
        dc.TextOutA(3, 67, "caption X  -0.25", Len("caption X  -0.25"));
        dc.SetTextColor(0x008000);
        dc.TextOutA(150, 90, "99.75", Len("99.75"));  // runs off the right edge
        dc.SetTextColor(0x800080);
        dc.TextOutA(30, 120, "gjpqy_", Len("gjpqy_"));  // descenders off the bottom
      });
    }));
  }
}

}  // namespace

std::vector<Scene> TextScenes() {
  std::vector<Scene> scenes;
  AddChartFontScenes(&scenes);

  // Antialiased ink blended over many different background colours.
  for (std::int32_t weight : {400, 700}) {
    scenes.push_back(TextScene("text_blend_over_pattern_" + std::to_string(weight), 200, 90,
                               [weight](DeviceContext& dc, SceneLog& log) {
      PaintPattern(dc, 200, 90, 77u);
      WithFont(dc, Font(weight == 400 ? 40 : 16, weight), [&] {
        LogExtents(dc, log, {"Blend 8%"});
        dc.SetBkMode(kTransparent);
        const Color colors[] = {0x000000, 0xFFFFFF, 0x00C0FF, 0x804000};
        for (int i = 0; i < 4; ++i) {
          dc.SetTextColor(colors[i]);
          dc.TextOutA(2 + 11 * i, 2 + 21 * i, "Blend 8%", Len("Blend 8%"));
        }
      });
    }));
  }

  // Clipping: a rectangle, then a polygon ANDed with it, cutting through glyphs and the
  // opaque box.
  scenes.push_back(TextScene("text_clipped", 160, 100, [](DeviceContext& dc, SceneLog& log) {
    const ObjHandle rect = dc.CreateRectRgn(12, 8, 131, 71);
    log.push_back(dc.SelectClipRgn(rect));
    dc.DeleteObject(rect);
    WithFont(dc, Font(16, 700, true, true), [&] {
      dc.SetBkMode(kOpaque);
      dc.SetBkColor(0x00FF00);
      dc.SetTextColor(0x0000FF);
      dc.TextOutA(4, 2, "Clipped -1.5", Len("Clipped -1.5"));
      const IPoint tri[] = {{0, 30}, {150, 20}, {60, 100}};
      const ObjHandle poly = dc.CreatePolygonRgn(tri, 3);
      log.push_back(dc.ExtSelectClipRgnAnd(poly));
      dc.DeleteObject(poly);
      dc.SetBkMode(kTransparent);
      dc.SetTextColor(0x000000);
      dc.TextOutA(8, 30, "Wedge 0.75", Len("Wedge 0.75"));
      dc.TextOutA(8, 50, "Wedge 0.75", Len("Wedge 0.75"));
    });
    log.push_back(dc.SelectClipRgn(kNoObject));
  }));

  // Size edges: the default 0, em heights, a cell cut through descenders, thick underlines.
  struct Size {
    const char* name;
    FontRequest request;
    std::int32_t w, h;
  };
  const Size sizes[] = {
      {"text_height_0", Font(0, 400), 160, 40},
      {"text_height_minus12", Font(-12, 400), 160, 40},
      {"text_height_minus16_bold", Font(-16, 700), 160, 40},
      {"text_height_8", Font(8, 400, false, true), 160, 40},
      {"text_height_11", Font(11, 700), 160, 40},
      {"text_height_24_underline", Font(24, 400, false, true), 220, 60},
      {"text_height_33_bold_italic", Font(33, 700, true, true), 260, 80},
      {"text_height_100_underline", Font(100, 400, false, true), 420, 220},
  };
  for (const Size& s : sizes) {
    const FontRequest request = s.request;
    scenes.push_back(TextScene(s.name, s.w, s.h, [request](DeviceContext& dc, SceneLog& log) {
      WithFont(dc, request, [&] {
        LogExtents(dc, log, {"_jg", "IIIIIIIIII", "Hm -1.5", "Wq|!"});
        dc.SetBkMode(kTransparent);
        dc.SetTextColor(0x202020);
        dc.TextOutA(3, 2, "_jg Hm -1.5", Len("_jg Hm -1.5"));
        dc.SetBkMode(kOpaque);
        dc.SetBkColor(0xE0E0E0);
        dc.SetTextColor(0x0000C0);
        dc.TextOutA(2, request.height == 100 ? 110 : request.height > 20 ? 30 : 20, "IIIII Wq|!",
                    Len("IIIII Wq|!"));
      });
    }));
  }
  return scenes;
}

}  // namespace conformance
}  // namespace corvane
