// The antialiasing context against the raster context it wraps: drawing that lies on whole
// pixels (hairlines along rows and columns, rectangles, fills, text) or that it cannot follow
// (a pen it did not see made) must come out byte for byte as the wrapped context draws it;
// slanted and wide strokes, slanted polygons and slanted translucent fills must change, and
// never outside the clip.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "overlays/fill_outline.h"
#include "overlays/translucent_fill.h"
#include "platform/raster/antialias_dc.h"
#include "platform/raster/raster_system.h"
#include "platform/worker_pool.h"

namespace corvane {
namespace {

constexpr std::int32_t kW = 120, kH = 90;
constexpr IRect kClip{8, 6, 110, 80};

// A 24-bit DIB section on a raster memory context, white, with kClip selected.
struct DibCanvas {
  RasterGraphicsSystem system;
  std::unique_ptr<DeviceContext> dc = system.CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  ObjHandle dib = dc->CreateDIBSection24(kW, kH, &bits);
  ObjHandle previous = dc->SelectObject(dib);
  DibCanvas() {
    std::memset(bits, 0xFF, Size());
    const ObjHandle clip = dc->CreateRectRgn(kClip.left, kClip.top, kClip.right, kClip.bottom);
    dc->SelectClipRgn(clip);
    dc->DeleteObject(clip);
  }
  ~DibCanvas() {
    dc->SelectObject(previous);
    dc->DeleteObject(dib);
  }
  static std::size_t Size() { return static_cast<std::size_t>((kW * 3 + 3) & ~3) * kH; }
  std::vector<std::uint8_t> Bytes() const {
    const auto* p = static_cast<const std::uint8_t*>(bits);
    return std::vector<std::uint8_t>(p, p + Size());
  }
  // Whether any pixel outside the clip is no longer white.
  bool InkOutsideClip() const {
    const std::size_t stride = static_cast<std::size_t>((kW * 3 + 3) & ~3);
    const auto* p = static_cast<const std::uint8_t*>(bits);
    for (std::int32_t y = 0; y < kH; ++y)
      for (std::int32_t x = 0; x < kW; ++x) {
        if (x >= kClip.left && x < kClip.right && y >= kClip.top && y < kClip.bottom) continue;
        const std::uint8_t* px = p + stride * static_cast<std::size_t>(kH - 1 - y) + 3 * static_cast<std::size_t>(x);
        if (px[0] != 0xFF || px[1] != 0xFF || px[2] != 0xFF) return true;
      }
    return false;
  }
};

// Draws with `dc`; `inner` is the context behind it (itself when drawn plainly).
using Scene = std::function<void(DeviceContext& dc, DeviceContext& inner)>;

void WithPen(DeviceContext& dc, std::int32_t width, Color c, const std::function<void()>& draw) {
  const ObjHandle pen = dc.CreatePen(width, c);
  const ObjHandle old = dc.SelectObject(pen);
  draw();
  dc.SelectObject(old);
  dc.DeleteObject(pen);
}

void WithBrush(DeviceContext& dc, Color c, const std::function<void()>& draw) {
  const ObjHandle brush = dc.CreateSolidBrush(c);
  const ObjHandle old = dc.SelectObject(brush);
  draw();
  dc.SelectObject(old);
  dc.DeleteObject(brush);
}

// Blends `pts` at 40% through the fill's own path, as a translucent polygon overlay does.
void BlendOutline(DeviceContext& dc, std::initializer_list<DPoint> pts) {
  IRect box{0, 0, 0, 0};
  dc.GetClipBox(&box);
  FillOutline outline;
  ASSERT_TRUE(outline.Build(pts.begin(), static_cast<std::int32_t>(pts.size()), box));
  FillTranslucent(outline, box, 0x2040C0, FillAlpha(0.4), dc);
}

struct DcCase {
  const char* name;
  bool samePixels;  // as the wrapped context draws them
  Scene draw;
};

TEST(CoverageDcTest, WholePixelsStayAndSlantedGeometryIsCovered) {
  const DcCase cases[] = {
      {"hairlines along rows and columns, one chain", true,
       [](DeviceContext& dc, DeviceContext&) {
         WithPen(dc, 1, 0x0000C0, [&] {
           dc.MoveToEx(0, 20);
           dc.LineTo(100, 20);
           dc.LineTo(100, 70);
           dc.MoveToEx(30, 0);  // a second chain
           dc.LineTo(30, 200);
         });
       }},
      {"a polyline of steps and a hairline rectangle with a brush", true,
       [](DeviceContext& dc, DeviceContext&) {
         const IPoint steps[] = {{10, 60}, {20, 60}, {20, 50}, {40, 50}, {40, 30}};
         WithPen(dc, 0, 0x008000, [&] { dc.Polyline(steps, 5); });
         WithBrush(dc, 0xC0C000, [&] { WithPen(dc, 1, 0x000000, [&] { dc.Rectangle(50, 10, 90, 40); }); });
       }},
      {"a rectangle of a wide pen, fills and text", true,
       [](DeviceContext& dc, DeviceContext&) {
         WithBrush(dc, 0x00C0C0, [&] {
           dc.SelectObject(dc.GetStockNullPen());
           dc.Rectangle(12, 44, 60, 70);
           const IPoint square[] = {{70, 50}, {100, 50}, {100, 75}, {70, 75}};
           dc.Polygon(square, 4);
         });
         const ObjHandle brush = dc.CreateSolidBrush(0x400040);
         dc.FillRect({5, 5, 40, 15}, brush);
         dc.DeleteObject(brush);
         dc.SetBkMode(kTransparent);
         dc.TextOutA(20, 20, "Wq", 2);
       }},
      {"a pen made behind its back is drawn by the wrapped context", true,
       [](DeviceContext& dc, DeviceContext& inner) {
         const ObjHandle pen = inner.CreatePen(3, 0x800000);
         const ObjHandle old = dc.SelectObject(pen);
         dc.MoveToEx(10, 10);
         dc.LineTo(100, 77);
         dc.SelectObject(old);
         dc.DeleteObject(pen);
       }},
      {"a slanted hairline crossing the clip", false,
       [](DeviceContext& dc, DeviceContext&) {
         WithPen(dc, 1, 0x000000, [&] {
           dc.MoveToEx(-20, 3);
           dc.LineTo(140, 88);
         });
       }},
      {"a wide polyline along rows", false,
       [](DeviceContext& dc, DeviceContext&) {
         const IPoint pts[] = {{0, 30}, {60, 30}, {60, 100}};
         WithPen(dc, 4, 0xC00000, [&] { dc.Polyline(pts, 3); });
       }},
      {"a slanted polygon with an outline, through a polygon clip", false,
       [](DeviceContext& dc, DeviceContext&) {
         const IPoint diamond[] = {{60, 0}, {115, 45}, {60, 95}, {5, 45}};
         const ObjHandle region = dc.CreatePolygonRgn(diamond, 4);
         dc.ExtSelectClipRgnAnd(region);
         dc.DeleteObject(region);
         const IPoint tri[] = {{20, 70}, {70, 12}, {100, 66}};
         WithBrush(dc, 0x30A030, [&] { WithPen(dc, 2, 0x000080, [&] { dc.Polygon(tri, 3); }); });
       }},
      {"a translucent fill along rows and columns keeps its crisp blend", true,
       [](DeviceContext& dc, DeviceContext&) { BlendOutline(dc, {{20, 20}, {90, 20}, {90, 60}, {20, 60}}); }},
      {"a slanted translucent fill crossing the clip", false,
       [](DeviceContext& dc, DeviceContext&) { BlendOutline(dc, {{-10, 70}, {60, 2}, {130, 85}}); }},
  };
  for (const DcCase& c : cases) {
    DibCanvas plain, smooth;
    c.draw(*plain.dc, *plain.dc);
    {
      AntialiasDc aa(*smooth.dc, PixelSurface::BottomUpDib24(smooth.bits, kW, kH));
      c.draw(aa, *smooth.dc);
    }
    EXPECT_EQ(plain.Bytes() == smooth.Bytes(), c.samePixels) << c.name;
    EXPECT_FALSE(smooth.InkOutsideClip()) << c.name;
    EXPECT_NE(smooth.Bytes(), DibCanvas().Bytes()) << c.name << ": nothing drawn";
  }
}

// Coverage scales the blend, never replaces it: every pixel of the antialiased fill lies
// between the background and the aliased blend's colour, whole pixels take that colour
// exactly, and the edges take shades between.
TEST(CoverageDcTest, TranslucentFillEdgesShadeTowardTheBlend) {
  DibCanvas plain, smooth;
  const auto draw = [](DeviceContext& dc) { BlendOutline(dc, {{15, 75}, {55, 8}, {105, 50}}); };
  draw(*plain.dc);
  {
    AntialiasDc aa(*smooth.dc, PixelSurface::BottomUpDib24(smooth.bits, kW, kH));
    draw(aa);
  }
  const std::vector<std::uint8_t> blended = plain.Bytes(), shaded = smooth.Bytes();
  // Any pixel inside the aliased fill has the blend's colour.
  std::size_t at = 0;
  while (at < blended.size() && blended[at] == 0xFF) ++at;
  ASSERT_LT(at, blended.size()) << "the aliased fill drew nothing";
  at -= at % 3;
  const std::uint8_t full[3] = {blended[at], blended[at + 1], blended[at + 2]};
  std::size_t whole = 0, between = 0;
  for (std::size_t i = 0; i + 2 < shaded.size(); i += 3) {
    bool isFull = true, isBackground = true;
    for (int k = 0; k < 3; ++k) {
      EXPECT_GE(shaded[i + k], full[k]) << "byte " << i + k << " darker than the blend";
      isFull = isFull && shaded[i + k] == full[k];
      isBackground = isBackground && shaded[i + k] == 0xFF;
    }
    whole += isFull;
    between += !isFull && !isBackground;
  }
  EXPECT_GT(whole, 1000u);
  EXPECT_GT(between, 100u);
  EXPECT_FALSE(smooth.InkOutsideClip());
}

// Long strokes kept to be made on the workers, each in its own raster, must come out as one
// thread draws them: in their order (later plots over earlier ones), through the clip each
// had, around the short strokes, text and fills drawn between them.
TEST(CoverageDcTest, StrokesMadeOnWorkersPaintWhatOneThreadPaints) {
  const auto scene = [](DeviceContext& dc) {
    std::vector<IPoint> walk;
    std::uint64_t seed = 7;
    for (int plot = 0; plot < 5; ++plot) {
      walk.clear();
      std::int32_t y = 20 + 12 * plot;
      for (std::int32_t x = -4; x < kW + 4; ++x)
        for (int k = 0; k < 4; ++k) {  // a dense column: several points a pixel
          seed = seed * 6364136223846793005ull + 1442695040888963407ull;
          y += static_cast<std::int32_t>(seed >> 61) - 3;
          walk.push_back({x, y});
        }
      const ObjHandle clip = dc.CreateRectRgn(4, 4 + plot, kW - 2 * plot, kH - 3);
      dc.SelectClipRgn(clip);
      dc.DeleteObject(clip);
      WithPen(dc, 1 + plot % 3, 0x3050F0 * (plot + 1), [&] {
        for (std::size_t at = 0; at + 1 < walk.size(); at += 15)  // runs sharing their ends
          dc.Polyline(walk.data() + at, static_cast<std::int32_t>(std::min<std::size_t>(16, walk.size() - at)));
      });
      WithPen(dc, 2, 0x00A000, [&] {  // a short stroke between two long ones
        dc.MoveToEx(10 + plot, 80);
        dc.LineTo(60, 70 - plot);
      });
      if (plot == 2) {
        dc.SetBkMode(kTransparent);
        dc.TextOutA(30, 40, "Wq", 2);
        BlendOutline(dc, {{5, 85}, {60, 5}, {115, 70}});
      }
    }
  };
  DibCanvas alone, shared;
  {
    AntialiasDc aa(*alone.dc, PixelSurface::BottomUpDib24(alone.bits, kW, kH));
    scene(aa);
  }
  WorkerPool workers(2);
  AntialiasCells cells;
  for (int frame = 0; frame < 2; ++frame) {  // the second frame reuses the kept cells
    std::memset(shared.bits, 0xFF, DibCanvas::Size());
    AntialiasDc aa(*shared.dc, PixelSurface::BottomUpDib24(shared.bits, kW, kH), &cells, &workers);
    scene(aa);
    aa.Flush();
    EXPECT_TRUE(alone.Bytes() == shared.Bytes()) << "frame " << frame;
  }
}

}  // namespace
}  // namespace corvane
