// The chart control under abuse: a storm of random window messages with random parameters
// (sizes of 0 and 32767 among them) leaves it working, and 10,000 cycles of resizing and
// painting leave the process's GDI and USER handles and its memory where they were.
#include <gtest/gtest.h>

#include <random>

#include "tests/win/container/test_container.h"

namespace corvane::wintest {
namespace {

class StressTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!container_.frame()) GTEST_SKIP() << "no display for a container window";
    ASSERT_TRUE(container_.Place(L"Corvane.ChartControl", 300, 200, &why)) << why;
    ASSERT_TRUE(sink_.Connect(container_.control()));
    FillByName(container_.dispatch());
    window_ = container_.controlWindow();
  }
  void TearDown() override {
    sink_.Disconnect();
    container_.Remove();
  }
  void ExpectWorking(const char* when) {
    container_.MoveControl(300, 200);
    ASSERT_TRUE(IsWindow(window_)) << when;
    Pixels shown, saved;
    ASSERT_TRUE(ReadWindow(window_, &shown)) << when;
    ASSERT_TRUE(SavedPicture(container_.dispatch(), &saved)) << when;
    EXPECT_TRUE(shown == saved) << when << ": the window no longer shows the picture";
    sink_.events.clear();
    SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(sink_.Of(1).size(), 1u) << when << ": no Click any more";
  }
  TestContainer container_;
  EventSink sink_;
  HWND window_ = nullptr;
};

TEST_F(StressTest, AStormOfRandomMessagesLeavesItWorking) {
  CallByName(container_.dispatch(), L"ZoomMode", DISPATCH_PROPERTYPUT, {I4(2)});
  CallByName(container_.dispatch(), L"PanMode", DISPATCH_PROPERTYPUT, {I4(1)});
  CallByName(container_.dispatch(), L"HoverInfo", DISPATCH_PROPERTYPUT, {I4(-1)});
  CallByName(container_.dispatch(), L"Crosshair", DISPATCH_PROPERTYPUT, {I4(-1)});
  // Messages whose parameters are values (a pointer-carrying message with a random pointer,
  // or WM_TIMER with a random callback, would fault inside the window manager, not in the
  // control), and numbers nobody defines.
  const UINT messages[] = {WM_MOUSEMOVE,     WM_LBUTTONDOWN,  WM_LBUTTONUP,   WM_LBUTTONDBLCLK,
                           WM_RBUTTONDOWN,   WM_RBUTTONUP,    WM_RBUTTONDBLCLK, WM_MBUTTONDOWN,
                           WM_MBUTTONUP,     WM_MBUTTONDBLCLK, WM_MOUSEWHEEL,  WM_MOUSELEAVE,
                           WM_CAPTURECHANGED, WM_SIZE,        WM_PAINT,       WM_ERASEBKGND,
                           WM_SETFOCUS,      WM_KILLFOCUS,    WM_KEYDOWN,     WM_KEYUP,
                           WM_CHAR,          WM_MOUSEACTIVATE, WM_CANCELMODE,
                           WM_ENABLE,        WM_SHOWWINDOW,   WM_USER + 7,    0x7FFF,
                           WM_APP + 3};
  const LPARAM edges[] = {0, MAKELPARAM(0, 0), MAKELPARAM(32767, 32767), MAKELPARAM(0xFFFF, 0xFFFF),
                          MAKELPARAM(32767, 0), MAKELPARAM(0x8000, 0x8000), -1, 0x7FFFFFFF};
  std::mt19937 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const UINT msg = messages[random() % std::size(messages)];
    const WPARAM wp = (random() % 4 == 0) ? random() : random() % 0x20;
    const LPARAM lp = (random() % 3 == 0) ? edges[random() % std::size(edges)]
                                          : MAKELPARAM(random() % 700, random() % 500);
    SendMessageW(window_, msg, wp, lp);
    if (i % 500 == 0) {
      // Real sizes too, 0 and 32767 among them, and a paint at each.
      const int sizes[] = {0, 1, 2, 65, 130, 300, 32767};
      container_.MoveControl(sizes[random() % 7], sizes[random() % 7]);
      UpdateWindow(window_);
      PumpMessages();
    }
  }
  if (GetCapture() == window_) ReleaseCapture();
  ExpectWorking("after the storm");
  EXPECT_EQ(CallByName(container_.dispatch(), L"ResetZoom", DISPATCH_METHOD, {}), S_OK);
  VARIANT v;
  VariantInit(&v);
  CallByName(container_.dispatch(), L"WorldXMin", DISPATCH_PROPERTYGET, {}, &v);
  EXPECT_EQ(V_R8(&v), 1);
}

TEST_F(StressTest, TenThousandResizesAndPaintsKeepHandlesAndMemoryFlat) {
  auto cycle = [&](int i) {
    container_.MoveControl(120 + i % 3 * 20, 90 + i % 2 * 15);
    InvalidateRect(window_, nullptr, FALSE);
    UpdateWindow(window_);
  };
  for (int i = 0; i < 200; ++i) cycle(i);  // caches and pools settle first
  PumpMessages();
  const long gdiBefore = FreeGdiHandles(), userBefore = FreeUserHandles();
  const SIZE_T memoryBefore = PrivateBytes();
  for (int i = 0; i < 10000; ++i) cycle(i);
  PumpMessages();
  const long gdiAfter = FreeGdiHandles(), userAfter = FreeUserHandles();
  const SIZE_T memoryAfter = PrivateBytes();
  // The probes create objects until the system refuses: the room left is the table's size
  // less the live objects. A leak of one object a cycle would take 10,000 of it.
  ASSERT_GT(gdiBefore, 1000) << "the GDI probe found no limit to measure against";
  ASSERT_GT(userBefore, 1000) << "the USER probe found no limit to measure against";
  EXPECT_NEAR(gdiAfter, gdiBefore, 16) << "GDI objects grew by " << gdiBefore - gdiAfter;
  EXPECT_NEAR(userAfter, userBefore, 16) << "USER objects grew by " << userBefore - userAfter;
  EXPECT_LT(memoryAfter, memoryBefore + 8 * 1024 * 1024)
      << "memory grew from " << memoryBefore << " to " << memoryAfter;
  std::printf("handles free before/after: GDI %ld/%ld, USER %ld/%ld; private bytes %zu/%zu\n",
              gdiBefore, gdiAfter, userBefore, userAfter, static_cast<size_t>(memoryBefore),
              static_cast<size_t>(memoryAfter));
  ExpectWorking("after 10,000 cycles");
}

}  // namespace
}  // namespace corvane::wintest
