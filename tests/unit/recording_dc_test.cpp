#include "platform/recording_dc.h"

#include <gtest/gtest.h>

#include <vector>

namespace corvane {
namespace {

TEST(RecordingDcTest, LogsCallsAsCompactLinesAndFiltersByName) {
  RecordingDc dc;
  const ObjHandle pen = dc.CreatePen(1, 0x0000FF);
  dc.SelectObject(pen);
  dc.MoveToEx(0, 0);
  dc.LineTo(10, 0);
  dc.LineTo(10, 5);
  const ObjHandle rgn = dc.CreateRectRgn(1, 2, 3, 4);
  dc.SelectClipRgn(rgn);
  const IPoint tri[3] = {{0, 0}, {4, 0}, {0, 4}};
  dc.Polygon(tri, 3);
  dc.TextOutA(3, 4, "a b", 3);

  EXPECT_EQ(dc.log().Named("LineTo"), (std::vector<std::string>{"LineTo 10 0", "LineTo 10 5"}));
  EXPECT_EQ(dc.log().Count("LineTo"), 2u);
  EXPECT_EQ(dc.log().Named("CreatePen"), (std::vector<std::string>{"CreatePen 1 0x0000ff"}));
  // Handles carry the name they were logged under.
  const std::string penName = dc.log().calls()[0].result;
  EXPECT_EQ(penName[0], 'p');
  EXPECT_EQ(dc.log().Named("SelectObject")[0], "SelectObject " + penName);
  const std::string rgnName = dc.log().calls()[dc.log().Find("CreateRectRgn")].result;
  EXPECT_EQ(dc.log().Named("SelectClipRgn")[0], "SelectClipRgn " + rgnName);
  EXPECT_EQ(dc.log().Named("Polygon")[0], "Polygon 3 0 0 4 0 0 4");
  EXPECT_EQ(dc.log().Named("TextOutA")[0], "TextOutA 3 4 \"a b\"");
  // A name matches whole words only.
  EXPECT_EQ(dc.log().Count("Line"), 0u);
  EXPECT_EQ(dc.log().Find("LineTo 10 5"), 4);
  EXPECT_EQ(dc.log().Find("LineTo", 5), -1);
}

TEST(RecordingDcTest, BlankContextSelectsAndDeletesLikeGdi) {
  RecordingDc dc;
  const ObjHandle pen1 = dc.CreatePen(2, 0x123456);
  const ObjHandle pen2 = dc.CreatePen(3, 0x654321);
  const ObjHandle brush = dc.CreateSolidBrush(0xABCDEF);
  ASSERT_NE(pen1, kNoObject);
  ASSERT_NE(pen1, pen2);

  const ObjHandle stockPen = dc.SelectObject(pen1);
  EXPECT_NE(stockPen, kNoObject);
  EXPECT_EQ(dc.SelectObject(pen2), pen1);  // previous of the same kind
  const ObjHandle stockBrush = dc.SelectObject(brush);
  EXPECT_NE(stockBrush, pen2);             // kinds have separate slots
  EXPECT_FALSE(dc.DeleteObject(pen2));     // selected objects cannot be deleted
  EXPECT_TRUE(dc.DeleteObject(pen1));
  EXPECT_FALSE(dc.DeleteObject(pen1));     // nor deleted twice
  EXPECT_FALSE(dc.DeleteObject(stockPen)); // nor stock objects
  EXPECT_EQ(dc.SelectObject(dc.GetStockNullPen()), pen2);
  EXPECT_TRUE(dc.DeleteObject(pen2));
  EXPECT_EQ(dc.SelectObject(0xDEAD), kNoObject);  // an unknown handle selects nothing
  dc.SelectObject(stockBrush);
  EXPECT_TRUE(dc.DeleteObject(brush));
  EXPECT_EQ(dc.recordingSystem().LiveObjectCount(), 0u);
}

TEST(RecordingDcTest, BlankContextClipBoxFollowsSurfaceAndRegions) {
  RecordingDc dc(200, 100);
  IRect box{};
  EXPECT_EQ(dc.GetClipBox(&box), kSimpleRegion);
  EXPECT_EQ(box.right, 200);
  EXPECT_EQ(box.bottom, 100);

  const ObjHandle a = dc.CreateRectRgn(150, 50, 300, 300);
  dc.SelectClipRgn(a);
  dc.GetClipBox(&box);
  EXPECT_EQ(box.left, 150);
  EXPECT_EQ(box.top, 50);
  EXPECT_EQ(box.right, 200);  // cut by the surface
  EXPECT_EQ(box.bottom, 100);

  const ObjHandle b = dc.CreateRectRgn(0, 0, 160, 60);
  EXPECT_EQ(dc.ExtSelectClipRgnAnd(b), kSimpleRegion);
  dc.GetClipBox(&box);
  EXPECT_EQ(box.left, 150);
  EXPECT_EQ(box.right, 160);
  EXPECT_EQ(box.bottom, 60);
  EXPECT_EQ(dc.GetPixel(155, 55), 0u);
  EXPECT_EQ(dc.GetPixel(10, 10), kInvalidColor);  // outside the clip

  const ObjHandle far = dc.CreateRectRgn(500, 500, 600, 600);
  EXPECT_EQ(dc.SelectClipRgn(far), kNullRegion);
  dc.SelectClipRgn(kNoObject);
  dc.GetClipBox(&box);
  EXPECT_EQ(box.right, 200);
}

TEST(RecordingDcTest, BlankContextMeasuresTextByFontHeight) {
  RecordingDc dc;
  TextSize size{};
  dc.GetTextExtentPoint32A("abc", 3, &size);
  EXPECT_EQ(size.cx, 24);
  EXPECT_EQ(size.cy, 16);
  FontRequest request;
  request.height = 15;
  dc.SelectObject(dc.CreateFontA(request));
  dc.GetTextExtentPoint32A("abcde", 5, &size);
  EXPECT_EQ(size.cx, 40);
  EXPECT_EQ(size.cy, 15);
  EXPECT_EQ(dc.log().Named("CreateFontA")[0], "CreateFontA 15 400 0 0");
}

TEST(RecordingDcTest, BlankBitmapsHaveBoundsAndDibMemory) {
  RecordingGraphicsSystem system;
  std::unique_ptr<DeviceContext> mem = system.CreateCompatibleDC(nullptr);
  ASSERT_TRUE(mem);
  IRect box{};
  mem->GetClipBox(&box);
  EXPECT_EQ(box.right, 1);  // the stock 1 x 1 bitmap
  EXPECT_EQ(mem->CreateCompatibleBitmap(0, 10), kNoObject);
  EXPECT_EQ(mem->CreateCompatibleBitmap(10, -1), kNoObject);
  EXPECT_EQ(mem->CreateCompatibleBitmap(100000, 100000), kNoObject);
  void* bits = reinterpret_cast<void*>(1);
  EXPECT_EQ(mem->CreateDIBSection24(40000, 2, &bits), kNoObject);
  EXPECT_EQ(bits, nullptr);

  const ObjHandle dib = mem->CreateDIBSection24(3, 2, &bits);
  ASSERT_NE(dib, kNoObject);
  ASSERT_NE(bits, nullptr);
  // 3 * 3 bytes padded to 12 per row, zeroed; writing all of it must be valid memory.
  auto* p = static_cast<unsigned char*>(bits);
  for (int i = 0; i < 24; ++i) EXPECT_EQ(p[i], 0);
  for (int i = 0; i < 24; ++i) p[i] = 0xFF;

  const ObjHandle bmp = mem->CreateCompatibleBitmap(30, 20);
  const ObjHandle stock = mem->SelectObject(bmp);
  EXPECT_EQ(mem->GetCurrentBitmap(), bmp);
  mem->GetClipBox(&box);
  EXPECT_EQ(box.right, 30);
  EXPECT_EQ(box.bottom, 20);
  // A bitmap is selected into one memory context at a time.
  std::unique_ptr<DeviceContext> other = system.CreateCompatibleDC(nullptr);
  EXPECT_EQ(other->SelectObject(bmp), kNoObject);
  mem->SelectObject(stock);
  EXPECT_TRUE(system.DeleteObject(bmp));
  EXPECT_TRUE(system.DeleteObject(dib));

  system.SetRefuseBitmaps(true);
  EXPECT_EQ(mem->CreateCompatibleBitmap(10, 10), kNoObject);
}

TEST(RecordingDcTest, SystemLogsContextsAndWindows) {
  RecordingGraphicsSystem system;
  system.AddWindow(7, 320, 200);
  EXPECT_EQ(system.GetWindowDC(8), nullptr);
  {
    std::unique_ptr<DeviceContext> window = system.GetWindowDC(7);
    ASSERT_TRUE(window);
    IRect box{};
    window->GetClipBox(&box);
    EXPECT_EQ(box.right, 320);
    EXPECT_EQ(box.bottom, 200);
    std::unique_ptr<DeviceContext> mem = system.CreateCompatibleDC(window.get());
    window->BitBlt(0, 0, 5, 5, *mem, 0, 0);
  }
  const CallLog& log = system.log();
  EXPECT_EQ(log.calls()[0].text, "GetWindowDC 8");
  EXPECT_EQ(log.calls()[0].result, "null");
  EXPECT_EQ(log.calls()[1].text, "GetWindowDC 7");
  const std::string window = log.calls()[1].result;
  EXPECT_EQ(log.calls()[3].text, "CreateCompatibleDC " + window);
  const std::string mem = log.calls()[3].result;
  EXPECT_EQ(log.Named("BitBlt")[0], "BitBlt 0 0 5 5 " + mem + " 0 0");
  // The memory context is deleted before the window context is released.
  ASSERT_EQ(log.size(), 7u);
  EXPECT_EQ("d" + std::to_string(log.calls()[5].dc), mem);
  EXPECT_EQ(log.calls()[5].text, "DeleteDC");
  EXPECT_EQ("d" + std::to_string(log.calls()[6].dc), window);
  EXPECT_EQ(log.calls()[6].text, "ReleaseDC");
}

TEST(RecordingDcTest, WrappedContextForwardsAndAnswersWithTheInnerResults) {
  RecordingDc inner(50, 40);
  RecordingDc outer(&inner);
  const ObjHandle pen = outer.CreatePen(4, 0x00FF00);
  const ObjHandle stock = outer.SelectObject(pen);
  EXPECT_NE(stock, kNoObject);
  EXPECT_EQ(outer.SelectObject(stock), pen);  // the inner context's answer
  outer.MoveToEx(1, 2);
  outer.LineTo(3, 4);
  IRect box{};
  outer.GetClipBox(&box);
  EXPECT_EQ(box.right, 50);  // the inner surface
  TextSize size{};
  outer.GetTextExtentPoint32A("xy", 2, &size);
  EXPECT_EQ(size.cx, 16);

  EXPECT_EQ(inner.log().Named("LineTo"), (std::vector<std::string>{"LineTo 3 4"}));
  EXPECT_EQ(outer.log().Named("LineTo"), (std::vector<std::string>{"LineTo 3 4"}));
  EXPECT_EQ(inner.log().Count("CreatePen"), 1u);

  // Memory contexts made through the wrapper's system are wrapped too and copy through the
  // inner system.
  std::unique_ptr<DeviceContext> mem = outer.System().CreateCompatibleDC(&outer);
  ASSERT_TRUE(mem);
  EXPECT_TRUE(outer.BitBlt(0, 0, 2, 2, *mem, 0, 0));
  EXPECT_EQ(inner.log().Count("BitBlt"), 1u);
  EXPECT_EQ(outer.log().Count("BitBlt"), 1u);
}

}  // namespace
}  // namespace corvane
