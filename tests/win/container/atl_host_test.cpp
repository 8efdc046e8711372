// The chart control in Wine's ATL host (atl100's AtlAxCreateControl): created by ProgID into a
// window of ours, sized with that window, filled through IDispatch; its window shows what
// SaveToFile writes, follows the host window's size, and raises its events to a sink.
#include <gtest/gtest.h>

#include "tests/win/container/test_container.h"

namespace corvane::wintest {
namespace {

using AxWinInit = BOOL(WINAPI*)();
using AxCreateControl = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

LRESULT CALLBACK HostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}

class AtlHostTest : public ::testing::Test {
 protected:
  void SetUp() override {
    atl_ = LoadLibraryW(L"atl100.dll");
    if (!atl_) GTEST_SKIP() << "no atl100.dll";
    auto init = reinterpret_cast<AxWinInit>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxWinInit")));
    create_ = reinterpret_cast<AxCreateControl>(
        reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxCreateControl")));
    get_ = reinterpret_cast<AxGetControl>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxGetControl")));
    ASSERT_TRUE(init && create_ && get_);
    ASSERT_TRUE(init());
    WNDCLASSW wc{};
    wc.lpfnWndProc = HostProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"CorvaneAtlTestHost";
    RegisterClassW(&wc);
    host_ = CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 0, 0, 420, 280,
                            nullptr, nullptr, wc.hInstance, nullptr);
    if (!host_) GTEST_SKIP() << "no display for a host window";
    ComPtr<IUnknown> container, control;
    ASSERT_EQ(create_(L"Corvane.ChartControl", host_, nullptr, container.out()), S_OK);
    ASSERT_EQ(get_(host_, control.out()), S_OK);
    ASSERT_EQ(control->QueryInterface(IID_IDispatch, chart_.out_void()), S_OK);
    window_ = FindWindowExW(host_, nullptr, L"CorvaneChartControl", nullptr);
    ASSERT_NE(window_, nullptr) << "the control made no window in the host";
    ASSERT_TRUE(sink_.Connect(chart_.get()));
    FillByName(chart_.get());
  }
  void TearDown() override {
    sink_.Disconnect();
    chart_.Reset();
    if (host_) DestroyWindow(host_);  // the host closes the control
    PumpMessages();
    if (atl_) FreeLibrary(atl_);
  }
  void ExpectWindowIsThePicture(const char* when) {
    Pixels shown, saved;
    ASSERT_TRUE(ReadWindow(window_, &shown)) << when;
    ASSERT_TRUE(SavedPicture(chart_.get(), &saved)) << when;
    EXPECT_TRUE(shown == saved) << when << ": the window differs from SaveToFile's picture";
  }
  double Get(const wchar_t* name) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(CallByName(chart_.get(), name, DISPATCH_PROPERTYGET, {}, &v), S_OK) << name;
    VariantChangeType(&v, &v, 0, VT_R8);
    return V_R8(&v);
  }

  HMODULE atl_ = nullptr;
  AxCreateControl create_ = nullptr;
  AxGetControl get_ = nullptr;
  HWND host_ = nullptr, window_ = nullptr;
  ComPtr<IDispatch> chart_;
  EventSink sink_;
};

TEST_F(AtlHostTest, PaintsResizesAndRaisesEvents) {
  EXPECT_EQ(Get(L"Width"), 420);
  EXPECT_EQ(Get(L"Height"), 280);
  ExpectWindowIsThePicture("in the ATL host");

  // The host passes its new size on (SetExtent, SetObjectRects).
  SetWindowPos(host_, nullptr, 0, 0, 300, 220, SWP_NOZORDER | SWP_NOMOVE);
  PumpMessages();
  EXPECT_EQ(Get(L"Width"), 300);
  EXPECT_EQ(Get(L"Height"), 220);
  ExpectWindowIsThePicture("after the host resized");

  VARIANT mode;
  VariantInit(&mode);
  V_VT(&mode) = VT_I4;
  V_I4(&mode) = 1;
  ASSERT_EQ(CallByName(chart_.get(), L"ZoomMode", DISPATCH_PROPERTYPUT, {mode}), S_OK);
  POINT p{150, 100};
  ClientToScreen(window_, &p);
  SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, 240), MAKELPARAM(p.x, p.y));
  ASSERT_EQ(sink_.Of(7).size(), 1u);
  EXPECT_EQ(sink_.Of(7)[0].args[0], Get(L"WorldXMin"));
  EXPECT_NEAR(Get(L"WorldXMax") - Get(L"WorldXMin"), 29 * 0.64, 1e-9);
  ExpectWindowIsThePicture("zoomed in the ATL host");

  // This host's site converts no coordinates: the events carry pixels.
  SendMessageW(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(33, 44));
  SendMessageW(window_, WM_LBUTTONUP, 0, MAKELPARAM(33, 44));
  ASSERT_EQ(sink_.Of(1).size(), 1u);
  EXPECT_EQ(sink_.Of(1)[0].args[2], 33);
  EXPECT_EQ(sink_.Of(1)[0].args[3], 44);
  ASSERT_EQ(CallByName(chart_.get(), L"ResetZoom", DISPATCH_METHOD, {}), S_OK);
  EXPECT_EQ(Get(L"WorldXMin"), 1);
  EXPECT_EQ(sink_.Of(7).size(), 2u);
}

}  // namespace
}  // namespace corvane::wintest
