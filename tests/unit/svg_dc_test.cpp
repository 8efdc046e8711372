// The SVG context's element mapping: what each kind of drawing call becomes, through a raster
// shadow, checked on the document's text. One row per mapping.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "control/png_encode.h"
#include "platform/raster/raster_dc.h"
#include "platform/raster/raster_system.h"
#include "platform/raster/raster_text.h"
#include "platform/svg/svg_dc.h"
#include "platform/svg/svg_font_size.h"

namespace corvane {
namespace {

constexpr std::int32_t kW = 200, kH = 150;

struct Surface {
  RasterGraphicsSystem system;
  std::unique_ptr<DeviceContext> shadow = system.CreateCompatibleDC(nullptr);
  ObjHandle bitmap = shadow->CreateCompatibleBitmap(kW, kH);
  ObjHandle previous = shadow->SelectObject(bitmap);
  ~Surface() {
    shadow->SelectObject(previous);
    system.DeleteObject(bitmap);
  }
};

bool Encode(std::int32_t w, std::int32_t h, const std::uint8_t* dib, std::vector<std::uint8_t>* png) {
  return EncodePng(DibRows{w, h, dib}, png) == kS_OK;
}

std::size_t Count(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

// A memory context of the same system holding a w x h bitmap, painted by `paint`.
struct Source {
  Source(DeviceContext& like, std::int32_t w, std::int32_t h) : dc(like.System().CreateCompatibleDC(nullptr)) {
    bitmap = like.CreateCompatibleBitmap(w, h);
    previous = dc->SelectObject(bitmap);
  }
  ~Source() {
    dc->SelectObject(previous);
    dc->System().DeleteObject(bitmap);
  }
  std::unique_ptr<DeviceContext> dc;
  ObjHandle bitmap, previous;
};

struct Case {
  const char* name;
  std::function<void(DeviceContext&)> draw;
  std::vector<std::string> present;
  std::vector<std::string> absent;
  std::vector<std::pair<std::string, std::size_t>> counts;
};

void WithPen(DeviceContext& dc, std::int32_t width, Color color, const std::function<void()>& body) {
  const ObjHandle pen = dc.CreatePen(width, color);
  const ObjHandle old = dc.SelectObject(pen);
  body();
  dc.SelectObject(old);
  dc.DeleteObject(pen);
}

const std::vector<Case>& Cases() {
  static const std::vector<Case> cases = {
      {"lines of one pen merge into one path",
       [](DeviceContext& dc) {
         WithPen(dc, 1, 0x0000FF, [&] {
           dc.MoveToEx(10, 10);
           dc.LineTo(20, 10);
           dc.LineTo(20, 30);
           const IPoint more[] = {{20, 30}, {25, 35}, {30, 20}};
           dc.Polyline(more, 3);
           dc.MoveToEx(50, 50);
           dc.LineTo(60, 40);
         });
       },
       {"<path d=\"M10 10l10 0 0 20 5 5 5-15M50 50l10-10\" stroke=\"#ff0000\" transform=\"translate(.5 .5)\"/>"},
       {"stroke-width"},
       {{"<path", 1}}},
      {"another pen starts another path; a wide pen names its width",
       [](DeviceContext& dc) {
         WithPen(dc, 1, 0x000000, [&] { dc.MoveToEx(0, 0); dc.LineTo(5, 5); });
         WithPen(dc, 3, 0x00FF00, [&] { dc.LineTo(9, 5); });
       },
       {"<path d=\"M0 0l5 5\" stroke=\"#000000\"", "<path d=\"M5 5l4 0\" stroke=\"#00ff00\" stroke-width=\"3\""},
       {},
       {{"<path", 2}}},
      {"the null pen draws no line",
       [](DeviceContext& dc) {
         dc.SelectObject(dc.GetStockNullPen());
         dc.MoveToEx(0, 0);
         dc.LineTo(50, 50);
       },
       {},
       {"<path"},
       {}},
      {"one-pixel rows of changing colour become a gradient",
       [](DeviceContext& dc) {
         for (int i = 0; i < 100; ++i)
           WithPen(dc, 1, MakeColor(255 - i * 2, 0, i * 2), [&] { dc.MoveToEx(0, 20 + i); dc.LineTo(199, 20 + i); });
       },
       {"<linearGradient id=", "gradientUnits=\"userSpaceOnUse\" x1=\"0\" x2=\"0\" y1=\"20.5\" y2=\"119.5\"",
        "<stop offset=\"0\" stop-color=\"#ff0000\"/>", "<stop offset=\"1\" stop-color=\"#3900c6\"/>",
        "<rect x=\"0\" y=\"20\" width=\"199\" height=\"100\" fill=\"url(#g"},
       {"<path"},
       {{"<stop", 2}}},
      {"Rectangle: outline through the border pixels' centres, fill inside",
       [](DeviceContext& dc) {
         const ObjHandle brush = dc.CreateSolidBrush(0x00FFFF);
         const ObjHandle old = dc.SelectObject(brush);
         WithPen(dc, 1, 0x800000, [&] { dc.Rectangle(5, 6, 15, 26); });
         dc.SelectObject(dc.GetStockNullPen());
         dc.Rectangle(40, 40, 50, 45);
         dc.SelectObject(old);
         dc.DeleteObject(brush);
       },
       {"<rect x=\"5\" y=\"6\" width=\"9\" height=\"19\" fill=\"#ffff00\" stroke=\"#000080\" transform=\"translate(.5 .5)\"/>",
        "<rect x=\"40\" y=\"40\" width=\"9\" height=\"4\" fill=\"#ffff00\"/>"},
       {},
       {}},
      {"FillRect and SetPixelV are filled rectangles, one colour in a row one path, a reversed FillRect as GDI fills it",
       [](DeviceContext& dc) {
         const ObjHandle brush = dc.CreateSolidBrush(0x123456);
         dc.FillRect(IRect{1, 2, 11, 22}, brush);
         dc.FillRect(IRect{30, 30, 20, 25}, brush);
         dc.DeleteObject(brush);
         dc.SetPixelV(7, 8, 0x0000FF);
       },
       {"<path d=\"M1 2h10v20h-10zm20 24h10v5h-10z\" fill=\"#563412\"/>",
        "<rect x=\"7\" y=\"8\" width=\"1\" height=\"1\" fill=\"#ff0000\"/>"},
       {},
       {}},
      {"Polygon: an even-odd fill and the outline",
       [](DeviceContext& dc) {
         const ObjHandle brush = dc.CreateSolidBrush(0x00FF00);
         const ObjHandle old = dc.SelectObject(brush);
         const IPoint tri[] = {{10, 10}, {50, 10}, {30, 40}};
         WithPen(dc, 2, 0x0000FF, [&] { dc.Polygon(tri, 3); });
         dc.SelectObject(old);
         dc.DeleteObject(brush);
       },
       {"<path fill-rule=\"evenodd\" d=\"M10 10l40 0-20 30z\" fill=\"#00ff00\"/>",
        "<path d=\"M10 10l40 0-20 30z\" stroke=\"#ff0000\" stroke-width=\"2\" transform=\"translate(.5 .5)\"/>"},
       {},
       {}},
      {"clip regions become clip paths, an intersection nested groups",
       [](DeviceContext& dc) {
         const ObjHandle rect = dc.CreateRectRgn(10, 10, 100, 80);
         const IPoint tri[] = {{0, 0}, {150, 0}, {0, 150}};
         const ObjHandle poly = dc.CreatePolygonRgn(tri, 3);
         dc.SelectClipRgn(rect);
         dc.ExtSelectClipRgnAnd(poly);
         dc.SetPixelV(20, 20, 0);
         dc.SelectClipRgn(kNoObject);
         dc.SetPixelV(30, 30, 0);
         dc.DeleteObject(rect);
         dc.DeleteObject(poly);
       },
       {"<clipPath id=\"c1\"><rect x=\"10\" y=\"10\" width=\"90\" height=\"70\"/></clipPath>",
        "<clipPath id=\"c2\"><path clip-rule=\"evenodd\" d=\"M0 0l150 0-150 150z\"/></clipPath>",
        "<g clip-path=\"url(#c1)\">\n<g clip-path=\"url(#c2)\">\n<rect x=\"20\" y=\"20\" width=\"1\" height=\"1\" fill=\"#000000\"/>\n</g>\n</g>\n<rect x=\"30\""},
       {},
       {}},
      {"a translucent fill: a blend of one colour is fill-opacity",
       [](DeviceContext& dc) {
         Source src(dc, 40, 30);
         const ObjHandle brush = src.dc->CreateSolidBrush(0x0000FF);
         src.dc->FillRect(IRect{0, 0, 40, 30}, brush);
         src.dc->DeleteObject(brush);
         dc.AlphaBlend(5, 6, 40, 30, *src.dc, 0, 0, 40, 30, 128);
       },
       {"<rect x=\"5\" y=\"6\" width=\"40\" height=\"30\" fill=\"#ff0000\" fill-opacity=\"0.502\"/>"},
       {"<image"},
       {}},
      {"one tile copied onto a grid is one patterned rectangle",
       [](DeviceContext& dc) {
         Source src(dc, 8, 8);
         for (int y = 0; y < 8; ++y)
           for (int x = 0; x < 8; ++x) src.dc->SetPixelV(x, y, MakeColor(x * 30, y * 30, 90));
         for (int i = 0; i < 3; ++i)
           for (int j = 0; j < 2; ++j) dc.BitBlt(8 * i, 8 * j, 8, 8, *src.dc, 0, 0);
       },
       {"<pattern id=\"p", "patternUnits=\"userSpaceOnUse\" x=\"0\" y=\"0\" width=\"8\" height=\"8\"",
        "xlink:href=\"data:image/png;base64,iVBORw0KGgo", "<rect x=\"0\" y=\"0\" width=\"24\" height=\"16\" fill=\"url(#p"},
       {},
       {{"data:image/png", 1}}},
      {"text at the cell's baseline, escaped, with bad bytes replaced; an opaque box first",
       [](DeviceContext& dc) {
         FontRequest request;
         request.height = 20;
         request.weight = 700;
         request.italic = true;
         const ObjHandle font = dc.CreateFontA(request);
         const ObjHandle old = dc.SelectObject(font);
         dc.SetTextColor(0x0000FF);
         dc.SetBkMode(kOpaque);
         dc.SetBkColor(0x00FF00);
         const char text[] = "a<b & \"c\" \xFF";
         dc.TextOutA(12, 30, text, static_cast<std::int32_t>(sizeof text - 1));
         dc.SelectObject(old);
         dc.DeleteObject(font);
       },
       {"<text x=\"12\" y=\"46\" font-size=\"18\" font-weight=\"bold\" font-style=\"italic\" fill=\"#ff0000\">"
        "a&lt;b &amp; &quot;c&quot; \xEF\xBF\xBD</text>",
        "<rect x=\"12\" y=\"30\" width=\"", "height=\"20\" fill=\"#00ff00\"/>\n<text"},
       {},
       {}},
      {"coordinates far outside are cut to a box around the picture",
       [](DeviceContext& dc) {
         WithPen(dc, 1, 0, [&] { dc.MoveToEx(10, 10); dc.LineTo(INT_MAX, 10); });
         const ObjHandle brush = dc.CreateSolidBrush(0);
         dc.FillRect(IRect{INT_MIN, 5, 20, 6}, brush);
         dc.DeleteObject(brush);
       },
       {"<path d=\"M10 10l65726 0\"", "<rect x=\"-65536\" y=\"5\" width=\"65556\" height=\"1\""},
       {"2147483"},
       {}},
      {"a line wholly outside the box, or of no length, writes nothing",
       [](DeviceContext& dc) {
         WithPen(dc, 1, 0, [&] {
           dc.MoveToEx(-200000, 5);
           dc.LineTo(-100000, 50);
           dc.MoveToEx(20, 20);
           dc.LineTo(20, 20);
         });
       },
       {},
       {"<path"},
       {}},
  };
  return cases;
}

TEST(SvgDc, MapsEachCallToItsElements) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    Surface surface;
    SvgDc svg(*surface.shadow, kW, kH, Encode);
    c.draw(svg);
    std::string doc;
    ASSERT_TRUE(svg.Finish(&doc));
    ASSERT_EQ(doc.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg ", 0), 0u);
    EXPECT_NE(doc.find(" width=\"200\" height=\"150\" viewBox=\"0 0 200 150\""), std::string::npos);
    EXPECT_EQ(doc.compare(doc.size() - 7, 7, "</svg>\n"), 0);
    EXPECT_EQ(Count(doc, "<g "), Count(doc, "</g>"));
    for (const std::string& s : c.present) EXPECT_NE(doc.find(s), std::string::npos) << s << "\nin\n" << doc;
    for (const std::string& s : c.absent) EXPECT_EQ(doc.find(s), std::string::npos) << s << "\nin\n" << doc;
    for (const auto& [s, n] : c.counts) EXPECT_EQ(Count(doc, s), n) << s << "\nin\n" << doc;
  }
}

// What the shadow holds is what a picture would: labels that read their background see it.
TEST(SvgDc, ReadsBackAndMeasuresAsThePicture) {
  Surface surface;
  SvgDc svg(*surface.shadow, kW, kH, Encode);
  const ObjHandle brush = svg.CreateSolidBrush(0x336699);
  svg.FillRect(IRect{0, 0, 10, 10}, brush);
  svg.DeleteObject(brush);
  EXPECT_EQ(svg.GetPixel(5, 5), 0x336699u);
  EXPECT_EQ(svg.GetPixel(kW, 0), kInvalidColor);
  TextSize fromSvg{0, 0}, fromRaster{0, 0};
  const ObjHandle font16 = svg.CreateFontA(FontRequest{});
  const ObjHandle stock = svg.SelectObject(font16);
  ASSERT_TRUE(svg.GetTextExtentPoint32A("Label 12.5", 10, &fromSvg));
  svg.SelectObject(stock);
  svg.DeleteObject(font16);
  RasterFont font(FontRequest{});
  fromRaster = font.Measure("Label 12.5", 10);
  EXPECT_EQ(fromSvg.cx, fromRaster.cx);
  EXPECT_EQ(fromSvg.cy, fromRaster.cy);
  std::string doc;
  EXPECT_TRUE(svg.Finish(&doc));
  EXPECT_FALSE(svg.Finish(&doc));  // once only
}

// The sizes SVG text is written at are the ones the raster's text draws with.
TEST(SvgDc, FontSizesMatchTheRasterFont) {
  for (std::int32_t height = -60; height <= 240; height += 1) {
    for (std::int32_t weight : {400, 700}) {
      FontRequest request;
      request.height = height;
      request.weight = weight;
      const RasterFont font(request);
      if (!font.valid()) GTEST_SKIP() << "no Arial-compatible face";
      const SvgFontSize size = SvgFontSizeFor(request);
      EXPECT_EQ(size.ppem, font.metrics().ppem) << "height " << height;
      EXPECT_EQ(size.ascent, font.metrics().ascent) << "height " << height;
    }
  }
}

}  // namespace
}  // namespace corvane
