// Handles, selection, size limits, host windows and the screen of the raster system.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/raster/raster_image_file.h"
#include "tests/unit/raster_test_canvas.h"

namespace corvane {
namespace {

TEST(RasterObjects, BitmapSizesAreBoundedBeforeAllocating) {
  RasterGraphicsSystem sys;
  auto dc = sys.CreateCompatibleDC(nullptr);
  for (auto size : {std::pair<int, int>{0, 10}, {10, 0}, {-1, 5}, {5, -1}, {32768, 1}, {1, 32768}, {32767, 32767},
                    {-2147483647 - 1, -2147483647 - 1}}) {
    EXPECT_EQ(dc->CreateCompatibleBitmap(size.first, size.second), kNoObject) << size.first << "x" << size.second;
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(dc->CreateDIBSection24(size.first, size.second, &bits), kNoObject);
    EXPECT_EQ(bits, nullptr);
  }
  // The bound is the memory, not only the sides: 256 MiB of pixels.
  EXPECT_TRUE(RasterBitmap::SizeAllowed(16384, 4096, 32));
  EXPECT_FALSE(RasterBitmap::SizeAllowed(16384, 4097, 32));
  EXPECT_TRUE(RasterBitmap::SizeAllowed(32767, 1, 24));
  EXPECT_EQ(sys.LiveObjectCount(), 0u);
  const ObjHandle ok = dc->CreateCompatibleBitmap(3, 2);
  ASSERT_NE(ok, kNoObject);
  std::int32_t w = 0, h = 0;
  std::vector<std::uint32_t> px;
  ASSERT_TRUE(sys.ReadBitmap(ok, &w, &h, &px));
  EXPECT_EQ(w, 3);
  EXPECT_EQ(h, 2);
  EXPECT_EQ(px, std::vector<std::uint32_t>(6, 0));  // black when created
  EXPECT_TRUE(dc->DeleteObject(ok));
}

TEST(RasterObjects, SelectedObjectsCannotBeDeletedAndStaleHandlesAreRejected) {
  RasterGraphicsSystem sys;
  auto dc = sys.CreateCompatibleDC(nullptr);
  const ObjHandle pen = dc->CreatePen(2, 0);
  const ObjHandle brush = dc->CreateSolidBrush(0);
  const ObjHandle font = dc->CreateFontA(FontRequest{});
  const ObjHandle bmp = dc->CreateCompatibleBitmap(4, 4);
  ObjHandle previous[4];
  int i = 0;
  for (ObjHandle h : {pen, brush, font, bmp}) {
    previous[i++] = dc->SelectObject(h);
    EXPECT_NE(previous[i - 1], kNoObject);
    EXPECT_FALSE(dc->DeleteObject(h));
  }
  for (ObjHandle h : previous) dc->SelectObject(h);
  for (ObjHandle h : {pen, brush, font, bmp}) {
    EXPECT_TRUE(dc->DeleteObject(h));
    EXPECT_FALSE(dc->DeleteObject(h));              // stale
    EXPECT_EQ(dc->SelectObject(h), kNoObject);      // stale
  }
  EXPECT_EQ(dc->SelectObject(0xDEADBEEF), kNoObject);  // never a handle
  // A handle of another system means nothing here.
  RasterGraphicsSystem other;
  auto odc = other.CreateCompatibleDC(nullptr);
  const ObjHandle foreign = odc->CreateSolidBrush(0);
  if (sys.Lookup(foreign) == nullptr) {
    EXPECT_FALSE(dc->FillRect({0, 0, 1, 1}, foreign));
  }
  EXPECT_EQ(sys.LiveObjectCount(), 0u);
  // Regions are not selected as objects.
  const ObjHandle rgn = dc->CreateRectRgn(0, 0, 2, 2);
  EXPECT_EQ(dc->SelectObject(rgn), kNoObject);
  EXPECT_TRUE(dc->DeleteObject(rgn));
  // Stock objects survive DeleteObject.
  EXPECT_TRUE(dc->DeleteObject(dc->GetStockNullPen()));
  EXPECT_NE(dc->SelectObject(dc->GetStockNullPen()), kNoObject);
}

TEST(RasterObjects, MemoryContextsStartWithOneStockPixelAndOwnEachBitmapAlone) {
  RasterGraphicsSystem sys;
  auto a = sys.CreateCompatibleDC(nullptr);
  auto b = sys.CreateCompatibleDC(a.get());
  const ObjHandle stock = a->GetCurrentBitmap();
  EXPECT_NE(stock, kNoObject);
  EXPECT_EQ(b->GetCurrentBitmap(), stock);
  IRect box;
  a->GetClipBox(&box);
  EXPECT_EQ(box.right, 1);
  EXPECT_EQ(box.bottom, 1);
  const ObjHandle bmp = a->CreateCompatibleBitmap(8, 8);
  EXPECT_EQ(a->SelectObject(bmp), stock);
  EXPECT_EQ(b->SelectObject(bmp), kNoObject);  // one context at a time
  EXPECT_EQ(a->SelectObject(stock), bmp);
  EXPECT_EQ(b->SelectObject(bmp), stock);
  b.reset();  // destroying a context releases its selection
  EXPECT_TRUE(a->DeleteObject(bmp));
}

TEST(RasterObjects, WindowSurfacesAndTheScreen) {
  RasterGraphicsSystem sys;
  EXPECT_EQ(sys.GetWindowDC(0), nullptr);
  EXPECT_EQ(sys.CreateWindowSurface(0, 10), 0);
  const std::int32_t hwnd = sys.CreateWindowSurface(30, 20);
  ASSERT_NE(hwnd, 0);
  EXPECT_NE(sys.CreateWindowSurface(5, 5), hwnd);
  EXPECT_EQ(sys.GetWindowDC(hwnd + 1), nullptr);
  {
    auto win = sys.GetWindowDC(hwnd);
    ASSERT_NE(win, nullptr);
    EXPECT_EQ(win->SelectObject(win->CreateCompatibleBitmap(2, 2)), kNoObject);  // not a memory context
    win->SetPixelV(29, 19, 0x0000FF);
    EXPECT_EQ(win->GetPixel(29, 19), 0x0000FFu);
    EXPECT_TRUE(sys.DestroyWindowSurface(hwnd));
    win->SetPixelV(0, 0, 0x0000FF);  // the open context keeps its pixels alive
  }
  EXPECT_EQ(sys.WindowSurface(hwnd), nullptr);
  EXPECT_EQ(sys.GetWindowDC(hwnd), nullptr);
  EXPECT_FALSE(sys.DestroyWindowSurface(hwnd));

  auto screen = sys.GetScreenDC();
  ASSERT_NE(screen, nullptr);
  IRect box;
  EXPECT_EQ(screen->GetClipBox(&box), kSimpleRegion);
  EXPECT_EQ(box.right, RasterGraphicsSystem::kScreenWidth);
  auto mem = sys.CreateCompatibleDC(screen.get());
  const ObjHandle bmp = screen->CreateCompatibleBitmap(12, 7);
  ASSERT_NE(bmp, kNoObject);
  EXPECT_EQ(sys.BitmapOf(bmp)->bits_per_pixel(), 32);
  const ObjHandle old = mem->SelectObject(bmp);
  EXPECT_NE(old, kNoObject);
  mem->SelectObject(old);
  EXPECT_TRUE(sys.DeleteObject(bmp));
}

TEST(RasterObjects, PngHeaderNamesTheSize) {
  raster_test::TestCanvas c(7, 3);
  const std::string path = ::testing::TempDir() + "raster_objects_test.png";
  ASSERT_TRUE(WritePng(path, c.Bitmap()));
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 33u);
  EXPECT_EQ(bytes.substr(1, 3), "PNG");
  EXPECT_EQ(bytes.substr(12, 4), "IHDR");
  EXPECT_EQ(static_cast<unsigned char>(bytes[19]), 7u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[23]), 3u);
  EXPECT_EQ(bytes.substr(bytes.size() - 8, 4), "IEND");
  std::remove(path.c_str());
}

}  // namespace
}  // namespace corvane
