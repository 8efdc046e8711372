// Regions and clipping, pixels, opaque fills, BitBlt and AlphaBlend.
#include "tests/conformance/scene_helpers.h"

namespace corvane {
namespace conformance {

namespace {

void LogClipBox(DeviceContext& dc, SceneLog& log) {
  IRect box{0, 0, 0, 0};
  log.push_back(dc.GetClipBox(&box));
  log.push_back(box.left);
  log.push_back(box.top);
  log.push_back(box.right);
  log.push_back(box.bottom);
}

void FillAll(DeviceContext& dc, Color c) {
  const ObjHandle b = dc.CreateSolidBrush(c);
  dc.FillRect({-10, -10, 500, 500}, b);
  dc.DeleteObject(b);
}

// A memory context with a w x h bitmap painted with a pattern; the caller deletes both.
struct Source {
  std::unique_ptr<DeviceContext> dc;
  ObjHandle bitmap = kNoObject, old = kNoObject;
};

Source MakeSource(DeviceContext& like, std::int32_t w, std::int32_t h, bool dib24, std::uint32_t salt) {
  Source s;
  s.dc = like.System().CreateCompatibleDC(&like);
  if (!s.dc) return s;
  void* bits = nullptr;
  s.bitmap = dib24 ? s.dc->CreateDIBSection24(w, h, &bits) : like.CreateCompatibleBitmap(w, h);
  s.old = s.dc->SelectObject(s.bitmap);
  PaintPattern(*s.dc, w, h, salt);
  return s;
}

void Free(Source& s) {
  if (!s.dc) return;
  s.dc->SelectObject(s.old);
  s.dc->DeleteObject(s.bitmap);
  s.dc.reset();
}

}  // namespace

void AddClipAndBlitScenes(std::vector<Scene>* out) {
  {
    Scene s;
    s.name = "clip_rect_region";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      LogClipBox(dc, log);
      const ObjHandle rgn = dc.CreateRectRgn(100, 90, 20, 10);  // inverted corners
      log.push_back(dc.SelectClipRgn(rgn));
      LogClipBox(dc, log);
      dc.DeleteObject(rgn);  // the context keeps its own copy
      FillAll(dc, 0x2222AA);
      WithPen(dc, 1, 0x00AA00, [&] { Line(dc, 0, 0, 159, 119); });
      WithPen(dc, 5, 0xAA0000, [&] { Line(dc, 0, 100, 159, 0); });
      log.push_back(dc.SelectClipRgn(kNoObject));
      LogClipBox(dc, log);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "clip_polygon_region";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const IPoint star[] = {{80, 5}, {100, 110}, {10, 40}, {150, 40}, {60, 110}};
      const ObjHandle rgn = dc.CreatePolygonRgn(star, 5);
      log.push_back(dc.SelectClipRgn(rgn));
      LogClipBox(dc, log);
      FillAll(dc, 0x22AA22);
      WithPen(dc, 1, 0x000000, [&] {
        for (int y = 0; y < 120; y += 6) Line(dc, 0, y, 159, y + 3);
      });
      WithPen(dc, 3, 0x0000FF, [&] { Line(dc, 0, 119, 159, 0); });
      dc.DeleteObject(rgn);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "clip_and";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const ObjHandle a = dc.CreateRectRgn(10, 10, 120, 100);
      const IPoint tri[] = {{0, 0}, {160, 30}, {40, 120}};
      const ObjHandle b = dc.CreatePolygonRgn(tri, 3);
      log.push_back(dc.SelectClipRgn(a));
      log.push_back(dc.ExtSelectClipRgnAnd(b));
      LogClipBox(dc, log);
      FillAll(dc, 0xAA22AA);
      const ObjHandle c = dc.CreateRectRgn(130, 0, 160, 120);
      log.push_back(dc.ExtSelectClipRgnAnd(c));  // disjoint: nothing left
      LogClipBox(dc, log);
      FillAll(dc, 0x000000);
      dc.DeleteObject(a);
      dc.DeleteObject(b);
      dc.DeleteObject(c);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "clip_and_without_clip";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const ObjHandle a = dc.CreateRectRgn(30, 20, 400, 90);
      log.push_back(dc.ExtSelectClipRgnAnd(a));
      LogClipBox(dc, log);
      FillAll(dc, 0x0088FF);
      dc.DeleteObject(a);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "clip_region_outside";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const ObjHandle a = dc.CreateRectRgn(-50, -50, -10, 60);
      log.push_back(dc.SelectClipRgn(a));
      LogClipBox(dc, log);
      FillAll(dc, 0x000000);
      log.push_back(dc.SetPixelV(5, 5, 0));
      const ObjHandle b = dc.CreateRectRgn(-50, 100, 40, 100000);
      log.push_back(dc.SelectClipRgn(b));
      LogClipBox(dc, log);
      FillAll(dc, 0x00FF00);
      // A rectangle that meets the surface only partly, ANDed with one off it.
      const ObjHandle c = dc.CreateRectRgn(-100, -100, 80, 500);
      log.push_back(dc.SelectClipRgn(c));
      const IPoint tri[] = {{-100, -100}, {100, 20}, {-60, 300}};
      const ObjHandle d = dc.CreatePolygonRgn(tri, 3);
      log.push_back(dc.ExtSelectClipRgnAnd(d));
      LogClipBox(dc, log);
      FillAll(dc, 0x0000FF);
      const ObjHandle e = dc.CreateRectRgn(-90, -100, 40, 500);
      log.push_back(dc.SelectClipRgn(e));
      log.push_back(dc.ExtSelectClipRgnAnd(c));
      LogClipBox(dc, log);
      dc.DeleteObject(a);
      dc.DeleteObject(b);
      dc.DeleteObject(c);
      dc.DeleteObject(d);
      dc.DeleteObject(e);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "clip_polygon_region_shapes";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const IPoint bow[] = {{10, 10}, {150, 110}, {150, 10}, {10, 110}};
      const ObjHandle rgn = dc.CreatePolygonRgn(bow, 4);
      log.push_back(dc.SelectClipRgn(rgn));
      LogClipBox(dc, log);
      FillAll(dc, 0x884400);
      dc.DeleteObject(rgn);
      const IPoint two[] = {{10, 10}, {20, 20}};
      const ObjHandle empty = dc.CreatePolygonRgn(two, 2);
      log.push_back(empty != kNoObject);
      if (empty) {
        log.push_back(dc.SelectClipRgn(empty));
        LogClipBox(dc, log);
        dc.DeleteObject(empty);
      }
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "pixels_and_opaque_fill";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      log.push_back(dc.SetBkColor(0x123456));
      log.push_back(dc.GetBkColor());
      log.push_back(dc.ExtTextOutOpaque({10, 10, 60, 40}));
      dc.SetBkColor(0x654321);
      log.push_back(dc.ExtTextOutOpaque({100, 50, 70, 20}));  // inverted
      log.push_back(dc.ExtTextOutOpaque({140, 100, 200, 200}));
      log.push_back(dc.SetBkMode(kTransparent));
      log.push_back(dc.GetBkMode());
      log.push_back(dc.SetBkMode(7));
      log.push_back(dc.GetBkMode());
      log.push_back(dc.SetTextColor(0x00FF00));
      log.push_back(dc.GetTextColor());
      for (int i = 0; i < 20; ++i) dc.SetPixelV(10 + i, 80 + i / 2, MakeColor(i * 12, 255 - i * 12, i * 5));
      log.push_back(dc.SetPixelV(-1, 5, 0));
      log.push_back(static_cast<std::int64_t>(dc.GetPixel(-1, 5)));
      log.push_back(static_cast<std::int64_t>(dc.GetPixel(160, 5)));
      log.push_back(static_cast<std::int64_t>(dc.GetPixel(15, 80)));
      log.push_back(static_cast<std::int64_t>(dc.GetPixel(20, 20)));
      // GetPixel inside a clip; outside it Wine reads the pixel where Windows and the
      // raster layer answer CLR_INVALID, so that case is left to the unit tests.
      const ObjHandle rgn = dc.CreateRectRgn(0, 0, 30, 30);
      dc.SelectClipRgn(rgn);
      log.push_back(static_cast<std::int64_t>(dc.GetPixel(29, 29)));
      dc.SelectClipRgn(kNoObject);
      dc.DeleteObject(rgn);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "objects_selection";
    // Deleting a selected object is refused by the raster layer (Wine defers the deletion
    // instead), so only the outcomes both share are logged.
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      const ObjHandle pen = dc.CreatePen(3, 0x0000FF);
      const ObjHandle old = dc.SelectObject(pen);
      log.push_back(old != kNoObject);
      Line(dc, 10, 10, 150, 10);
      log.push_back(dc.SelectObject(old) == pen);
      log.push_back(dc.DeleteObject(pen));
      log.push_back(dc.CreateCompatibleBitmap(0, 10) != kNoObject);
      void* bits = reinterpret_cast<void*>(1);
      log.push_back(dc.CreateDIBSection24(-3, 10, &bits) != kNoObject);
      log.push_back(bits == nullptr);
      const ObjHandle brush = dc.CreateSolidBrush(0x00FF00);
      log.push_back(dc.FillRect({0, 50, 160, 60}, brush));
      log.push_back(dc.DeleteObject(brush));
      WithPen(dc, -4, 0x0000FF, [&] { Line(dc, 10, 90, 150, 100); });
      WithPen(dc, 0, 0xFF0000, [&] { Line(dc, 10, 110, 150, 105); });
    };
    out->push_back(s);
  }
  for (bool dib : {false, true}) {
    Scene s;
    s.name = dib ? "bitblt_from_dib24" : "bitblt_from_bitmap";
    s.draw = [dib](DeviceContext& dc, SceneLog& log) {
      Source src = MakeSource(dc, 70, 50, dib, 99);
      if (!src.dc) return;
      log.push_back(dc.BitBlt(5, 5, 70, 50, *src.dc, 0, 0));
      log.push_back(dc.BitBlt(80, 5, 60, 40, *src.dc, 20, 15));   // runs past the source
      log.push_back(dc.BitBlt(-10, 70, 40, 40, *src.dc, -10, -5));  // starts before it
      const ObjHandle rgn = dc.CreateRectRgn(90, 60, 130, 110);
      dc.SelectClipRgn(rgn);
      log.push_back(dc.BitBlt(80, 60, 70, 50, *src.dc, 0, 0));
      dc.SelectClipRgn(kNoObject);
      dc.DeleteObject(rgn);
      log.push_back(dc.BitBlt(40, 100, 0, 10, *src.dc, 0, 0));
      Free(src);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "bitblt_to_dib24";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      // The export path: a 32-bpp picture copied into a 24-bpp DIB and back.
      PaintPattern(dc, 160, 120, 5);
      std::unique_ptr<DeviceContext> mem = dc.System().CreateCompatibleDC(nullptr);
      void* bits = nullptr;
      const ObjHandle dib = mem->CreateDIBSection24(37, 23, &bits);
      const ObjHandle old = mem->SelectObject(dib);
      log.push_back(mem->BitBlt(0, 0, 37, 23, dc, 11, 7));
      const unsigned char* b = static_cast<const unsigned char*>(bits);
      // Bottom-up rows of 4-byte aligned stride: first bytes are the bottom-left pixel.
      for (int i = 0; i < 6; ++i) log.push_back(b[i]);
      const int stride = (37 * 3 + 3) / 4 * 4;
      for (int i = 0; i < 3; ++i) log.push_back(b[stride * 22 + i]);
      log.push_back(b[stride - 1]);
      dc.BitBlt(100, 80, 37, 23, *mem, 0, 0);
      mem->SelectObject(old);
      mem->DeleteObject(dib);
    };
    out->push_back(s);
  }
  for (int alpha : {0, 1, 2, 64, 127, 128, 191, 254, 255}) {
    Scene s;
    s.name = "alphablend_" + std::to_string(alpha);
    s.draw = [alpha](DeviceContext& dc, SceneLog& log) {
      PaintPattern(dc, 160, 120, 1234);
      Source src = MakeSource(dc, 160, 120, true, 777);
      if (!src.dc) return;
      log.push_back(dc.AlphaBlend(0, 0, 160, 100, *src.dc, 0, 0, 160, 100, static_cast<std::uint8_t>(alpha)));
      // Clipped to a polygon, as translucent fills are.
      const IPoint tri[] = {{10, 100}, {150, 104}, {60, 120}};
      const ObjHandle rgn = dc.CreatePolygonRgn(tri, 3);
      dc.SelectClipRgn(rgn);
      log.push_back(dc.AlphaBlend(0, 100, 160, 20, *src.dc, 0, 0, 160, 20, static_cast<std::uint8_t>(alpha)));
      dc.SelectClipRgn(kNoObject);
      dc.DeleteObject(rgn);
      Free(src);
    };
    out->push_back(s);
  }
  {
    Scene s;
    s.name = "alphablend_bounds";
    s.draw = [](DeviceContext& dc, SceneLog& log) {
      Source src = MakeSource(dc, 40, 30, true, 31);
      if (!src.dc) return;
      log.push_back(dc.AlphaBlend(5, 5, 40, 30, *src.dc, 0, 0, 40, 30, 100));
      log.push_back(dc.AlphaBlend(50, 5, 40, 30, *src.dc, 5, 0, 40, 30, 100));  // past the source
      log.push_back(dc.AlphaBlend(100, 5, 40, 30, *src.dc, -1, 0, 40, 30, 100));
      log.push_back(dc.AlphaBlend(-20, 50, 40, 30, *src.dc, 0, 0, 40, 30, 100));  // past the destination
      log.push_back(dc.AlphaBlend(140, 100, 40, 30, *src.dc, 0, 0, 40, 30, 200));
      log.push_back(dc.AlphaBlend(60, 60, 0, 30, *src.dc, 0, 0, 0, 30, 200));
      Free(src);
    };
    out->push_back(s);
  }
}

}  // namespace conformance
}  // namespace corvane
