// The chart control in the tests' own container, with real window messages: the window shows
// what SaveToFile writes, follows its rectangle, zooms, pans, hovers and raises its events as
// the reference says, and draws through IViewObject2 and IDataObject.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/win/container/test_container.h"

namespace corvane::wintest {
namespace {

constexpr int kWidth = 400, kHeight = 300;


class ContainerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    if (!container_.frame()) GTEST_SKIP() << "no display for a container window";
    ASSERT_TRUE(container_.Place(L"Corvane.ChartControl", kWidth, kHeight, &why)) << why;
    ASSERT_TRUE(sink_.Connect(container_.control()));
    window_ = container_.controlWindow();
    FillByName(container_.dispatch());
  }
  void TearDown() override {
    sink_.Disconnect();
    container_.Remove();
  }
  double Get(const wchar_t* name) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(CallByName(container_.dispatch(), name, DISPATCH_PROPERTYGET, {}, &v), S_OK) << name;
    VariantChangeType(&v, &v, 0, VT_R8);
    return V_R8(&v);
  }
  double Map(const wchar_t* name, double value) {
    VARIANT v;
    VariantInit(&v);
    EXPECT_EQ(CallByName(container_.dispatch(), name, DISPATCH_METHOD, {R8(value)}, &v), S_OK);
    return V_R8(&v);
  }
  void Put(const wchar_t* name, VARIANT value) {
    ASSERT_EQ(CallByName(container_.dispatch(), name, DISPATCH_PROPERTYPUT, {value}), S_OK) << name;
  }
  LRESULT Send(UINT msg, WPARAM wp, int x, int y) {
    return SendMessageW(window_, msg, wp, MAKELPARAM(x, y));
  }
  void Wheel(int x, int y, int delta) {
    POINT p{x, y};
    ClientToScreen(window_, &p);
    SendMessageW(window_, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(p.x, p.y));
  }
  // The window shows exactly the picture SaveToFile writes now.
  void ExpectWindowIsThePicture(const char* when) {
    Pixels shown, saved;
    ASSERT_TRUE(ReadWindow(window_, &shown)) << when;
    ASSERT_TRUE(SavedPicture(container_.dispatch(), &saved)) << when;
    EXPECT_EQ(shown.width, saved.width) << when;
    EXPECT_EQ(shown.height, saved.height) << when;
    EXPECT_TRUE(shown == saved) << when << ": the window differs from SaveToFile's picture";
    if (!(shown == saved)) {
      KeepForInspection(L"corvane_shown", shown);
      KeepForInspection(L"corvane_saved", saved);
    }
  }

  TestContainer container_;
  EventSink sink_;
  HWND window_ = nullptr;
};

TEST_F(ContainerTest, ShowsWhatTheAutomationClassDrawsForTheSameCalls) {
  EXPECT_TRUE(container_.inPlace);
  EXPECT_EQ(Get(L"Width"), kWidth);
  EXPECT_EQ(Get(L"Height"), kHeight);
  for (const wchar_t* off : {L"ZoomMode", L"PanMode", L"HoverInfo", L"Crosshair"})
    EXPECT_EQ(Get(off), 0) << off;
  ExpectWindowIsThePicture("placed and filled");

  ComPtr<IDispatch> chart;
  ASSERT_EQ(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             chart.out_void()), S_OK);
  ASSERT_EQ(CallByName(chart.get(), L"SetSize", DISPATCH_METHOD, {I4(kWidth), I4(kHeight)}), S_OK);
  FillByName(chart.get());
  Pixels fromChart, shown;
  ASSERT_TRUE(SavedPicture(chart.get(), &fromChart));
  ASSERT_TRUE(ReadWindow(window_, &shown));
  EXPECT_TRUE(shown == fromChart) << "the control draws otherwise than Corvane.CorvaneEx";

  // A change paints at the next paint; Show and Refresh paint at once.
  VARIANT caption = Text(L"changed");
  Put(L"caption", caption);
  VariantClear(&caption);
  ExpectWindowIsThePicture("after a caption");
  ASSERT_EQ(CallByName(container_.dispatch(), L"Refresh", DISPATCH_METHOD, {}), S_OK);
  ASSERT_EQ(CallByName(container_.dispatch(), L"Show", DISPATCH_METHOD, {}), S_OK);
  ExpectWindowIsThePicture("after Refresh and Show");
}

TEST_F(ContainerTest, AResizeRepaintsAtTheNewSize) {
  for (SIZE s : {SIZE{250, 180}, SIZE{520, 330}, SIZE{kWidth, kHeight}}) {
    container_.MoveControl(s.cx, s.cy);
    PumpMessages();
    RECT client{};
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, s.cx);
    EXPECT_EQ(Get(L"Width"), s.cx);
    EXPECT_EQ(Get(L"Height"), s.cy);
    SIZEL extent{};
    ComPtr<IOleObject> ole;
    ASSERT_EQ(container_.control()->QueryInterface(IID_IOleObject, ole.out_void()), S_OK);
    ole->GetExtent(DVASPECT_CONTENT, &extent);
    EXPECT_NEAR(extent.cx, s.cx * 2540.0 / 96, 30);
    ExpectWindowIsThePicture("resized");
  }
}

TEST_F(ContainerTest, TheWheelZoomsAroundTheCursor) {
  const double a = Get(L"WorldXMin"), b = Get(L"WorldXMax");
  const int x = static_cast<int>(Map(L"WorldToPixelX", 10)), y = 120;
  Wheel(x, y, 120);
  EXPECT_EQ(Get(L"WorldXMin"), a) << "ZoomMode 0 leaves the wheel alone";
  EXPECT_TRUE(sink_.Of(7).empty());

  Put(L"ZoomMode", I4(1));
  const double under = Map(L"PixelToWorldX", x);
  Wheel(x, y, 120);
  const std::vector<RecordedEvent> zoomed = sink_.Of(7);
  ASSERT_EQ(zoomed.size(), 1u);
  EXPECT_EQ(zoomed[0].args[0], Get(L"WorldXMin"));
  EXPECT_EQ(zoomed[0].args[1], Get(L"WorldXMax"));
  EXPECT_NEAR(zoomed[0].args[1] - zoomed[0].args[0], (b - a) * 0.8, 1e-9);
  EXPECT_NEAR(Map(L"PixelToWorldX", x), under, 1e-9);
  ExpectWindowIsThePicture("zoomed in");
  Wheel(x, y, -120);
  EXPECT_NEAR(Get(L"WorldXMax") - Get(L"WorldXMin"), b - a, 1e-9);

  ASSERT_EQ(CallByName(container_.dispatch(), L"ResetZoom", DISPATCH_METHOD, {}), S_OK);
  EXPECT_EQ(Get(L"WorldXMin"), 1);
  EXPECT_EQ(Get(L"WorldXMax"), 30);
  ASSERT_EQ(sink_.Of(7).size(), 3u);
  EXPECT_EQ(sink_.Of(7).back().args, (std::vector<double>{1, 30}));
}

TEST_F(ContainerTest, ALeftDragZoomsToItsRectangle) {
  Put(L"ZoomMode", I4(2));
  const int x0 = static_cast<int>(Map(L"WorldToPixelX", 8));
  const int x1 = static_cast<int>(Map(L"WorldToPixelX", 20));
  const double a = Map(L"PixelToWorldX", x0), b = Map(L"PixelToWorldX", x1);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, x0, 100);
  Send(WM_MOUSEMOVE, MK_LBUTTON, (x0 + x1) / 2, 150);
  Pixels during;
  ASSERT_TRUE(ReadWindow(window_, &during));
  Send(WM_MOUSEMOVE, MK_LBUTTON, x1, 200);
  Send(WM_LBUTTONUP, 0, x1, 200);
  EXPECT_DOUBLE_EQ(Get(L"WorldXMin"), a);
  EXPECT_DOUBLE_EQ(Get(L"WorldXMax"), b);
  ASSERT_EQ(sink_.Of(7).size(), 1u);
  EXPECT_TRUE(sink_.Of(1).empty()) << "a drag is no click";

  // VB's arguments: button, shift, x, y (pixels here: this site converts nothing).
  const std::vector<RecordedEvent> down = sink_.Of(3), move = sink_.Of(4), up = sink_.Of(5);
  ASSERT_EQ(down.size(), 1u);
  EXPECT_EQ(down[0].args, (std::vector<double>{1, 0, double(x0), 100}));
  ASSERT_EQ(move.size(), 2u);
  EXPECT_EQ(move[1].args, (std::vector<double>{1, 0, double(x1), 200}));
  ASSERT_EQ(up.size(), 1u);
  EXPECT_EQ(up[0].args, (std::vector<double>{1, 0, double(x1), 200}));
  ExpectWindowIsThePicture("zoomed to the rectangle");
  Pixels saved;
  ASSERT_TRUE(SavedPicture(container_.dispatch(), &saved));
  EXPECT_FALSE(during == saved) << "the rectangle is drawn while the button is down";
}

TEST_F(ContainerTest, ARightOrMiddleDragPansAndResetReturns) {
  const double a = Get(L"WorldXMin"), b = Get(L"WorldXMax");
  const double unitsPerPixel = (b - a) / (Get(L"PlotAreaRight") - Get(L"PlotAreaLeft"));
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 200, 150);
  Send(WM_MOUSEMOVE, MK_RBUTTON, 160, 150);
  Send(WM_RBUTTONUP, 0, 160, 150);
  EXPECT_EQ(Get(L"WorldXMin"), a) << "PanMode 0 leaves drags alone";

  Put(L"PanMode", I4(1));
  for (UINT down : {WM_RBUTTONDOWN, WM_MBUTTONDOWN}) {
    const WPARAM held = down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_MBUTTON;
    const double before = Get(L"WorldXMin");
    Send(down, held, 200, 150);
    Send(WM_MOUSEMOVE, held, 180, 150);
    Send(WM_MOUSEMOVE, held, 160, 150);
    Send(down + 1, 0, 160, 150);
    EXPECT_NEAR(Get(L"WorldXMin"), before + 40 * unitsPerPixel, 1e-9);
    EXPECT_NEAR(Get(L"WorldXMax") - Get(L"WorldXMin"), b - a, 1e-9);
  }
  const std::vector<RecordedEvent> zoomed = sink_.Of(7);
  ASSERT_GE(zoomed.size(), 4u);  // one a step
  EXPECT_EQ(zoomed.back().args[0], Get(L"WorldXMin"));
  const std::vector<RecordedEvent> down = sink_.Of(3);
  ASSERT_EQ(down.size(), 3u);
  EXPECT_EQ(down[1].args[0], 2);  // right
  EXPECT_EQ(down[2].args[0], 4);  // middle
  ExpectWindowIsThePicture("panned");
  ASSERT_EQ(CallByName(container_.dispatch(), L"ResetZoom", DISPATCH_METHOD, {}), S_OK);
  EXPECT_EQ(Get(L"WorldXMin"), 1);
  EXPECT_EQ(Get(L"WorldXMax"), 30);
  ExpectWindowIsThePicture("reset");
}

TEST_F(ContainerTest, ClicksDoubleClicksAndPointClicks) {
  const int px = static_cast<int>(Map(L"WorldToPixelX", 5));
  VARIANT y;
  VariantInit(&y);
  ASSERT_EQ(CallByName(container_.dispatch(), L"PointY", DISPATCH_PROPERTYGET, {I4(1), I4(5)}, &y), S_OK);
  const int py = static_cast<int>(Map(L"WorldToPixelY", V_R8(&y)));
  Send(WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, px, py);
  Send(WM_LBUTTONUP, MK_SHIFT, px, py);
  const std::vector<RecordedEvent> clicks = sink_.Of(1), points = sink_.Of(6);
  ASSERT_EQ(clicks.size(), 1u);
  ASSERT_EQ(clicks[0].args.size(), 6u);
  EXPECT_EQ(clicks[0].args[0], 1);
  EXPECT_EQ(clicks[0].args[1], 1);  // Shift
  EXPECT_EQ(clicks[0].args[2], px);
  EXPECT_EQ(clicks[0].args[3], py);
  EXPECT_DOUBLE_EQ(clicks[0].args[4], Map(L"PixelToWorldX", px));
  EXPECT_DOUBLE_EQ(clicks[0].args[5], Map(L"PixelToWorldY", py));
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(points[0].args, (std::vector<double>{1, 5, double(px), double(py)}));
  // MouseDown, MouseUp, Click, PointClick: VB's order.
  ASSERT_GE(sink_.events.size(), 4u);
  EXPECT_EQ(sink_.events[0].id, 3);
  EXPECT_EQ(sink_.events[1].id, 5);
  EXPECT_EQ(sink_.events[2].id, 1);
  EXPECT_EQ(sink_.events[3].id, 6);

  // A click far from any point is no PointClick; a double click's second press is DblClick.
  sink_.events.clear();
  Send(WM_RBUTTONDOWN, MK_RBUTTON, 3, 3);
  Send(WM_RBUTTONUP, 0, 3, 3);
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
  Send(WM_LBUTTONUP, 0, 3, 3);
  Send(WM_LBUTTONDBLCLK, MK_LBUTTON, 3, 3);
  Send(WM_LBUTTONUP, 0, 3, 3);
  EXPECT_EQ(sink_.Of(1).size(), 2u);
  EXPECT_EQ(sink_.Of(1)[0].args[0], 2);
  EXPECT_TRUE(sink_.Of(6).empty());
  ASSERT_EQ(sink_.Of(2).size(), 1u);
  EXPECT_EQ(sink_.Of(2)[0].args[0], 1);

  // A site that converts coordinates gets them in its units: twips at 96 pixels an inch.
  container_.twips = true;
  sink_.events.clear();
  Send(WM_MOUSEMOVE, 0, 40, 20);
  ASSERT_EQ(sink_.Of(4).size(), 1u);
  EXPECT_NEAR(sink_.Of(4)[0].args[2], 40 * 15, 1);
  EXPECT_NEAR(sink_.Of(4)[0].args[3], 20 * 15, 1);
  container_.twips = false;

  // A frozen container hears nothing.
  ComPtr<IOleControl> control;
  ASSERT_EQ(container_.control()->QueryInterface(IID_IOleControl, control.out_void()), S_OK);
  control->FreezeEvents(TRUE);
  sink_.events.clear();
  Send(WM_LBUTTONDOWN, MK_LBUTTON, 3, 3);
  Send(WM_LBUTTONUP, 0, 3, 3);
  EXPECT_TRUE(sink_.events.empty());
  control->FreezeEvents(FALSE);
}

TEST_F(ContainerTest, HoverAndCrosshairDrawOverThePictureOnlyWhenOn) {
  const int px = static_cast<int>(Map(L"WorldToPixelX", 12));
  VARIANT y;
  VariantInit(&y);
  ASSERT_EQ(CallByName(container_.dispatch(), L"PointY", DISPATCH_PROPERTYGET, {I4(1), I4(12)}, &y), S_OK);
  const int py = static_cast<int>(Map(L"WorldToPixelY", V_R8(&y)));
  Send(WM_MOUSEMOVE, 0, px, py);
  ExpectWindowIsThePicture("hover and crosshair off");

  Put(L"HoverInfo", I4(-1));
  Send(WM_MOUSEMOVE, 0, px, py);
  Pixels shown, saved;
  ASSERT_TRUE(ReadWindow(window_, &shown));
  ASSERT_TRUE(SavedPicture(container_.dispatch(), &saved));
  ASSERT_EQ(shown.bits.size(), saved.bits.size());
  // The box lies beside the cursor: below and right of it, the rest is the picture.
  const int stride = (3 * kWidth + 3) / 4 * 4;
  auto differs = [&](int x0, int y0, int x1, int y1) {
    for (int yy = y0; yy < y1; ++yy)
      for (int xx = x0; xx < x1; ++xx)
        for (int c = 0; c < 3; ++c) {
          const std::size_t at = static_cast<std::size_t>(kHeight - 1 - yy) * stride + 3 * xx + c;
          if (shown.bits[at] != saved.bits[at]) return true;
        }
    return false;
  };
  EXPECT_TRUE(differs(px + 12, py + 12, std::min(kWidth, px + 40), std::min(kHeight, py + 30)));
  EXPECT_FALSE(differs(0, 0, std::max(0, px - 15), kHeight)) << "the box stays beside the cursor";
  // Away from every point the box goes.
  Send(WM_MOUSEMOVE, 0, 2, 2);
  ExpectWindowIsThePicture("hover away from the points");

  Put(L"HoverInfo", I4(0));
  Put(L"Crosshair", I4(-1));
  Send(WM_MOUSEMOVE, 0, 200, 150);
  ASSERT_TRUE(ReadWindow(window_, &shown));
  EXPECT_FALSE(shown == saved);
  Send(WM_MOUSELEAVE, 0, 0, 0);
  ExpectWindowIsThePicture("the cursor left");
}

// The quick way in: one call gives the site and the event sink.
TEST(QuickActivation, GivesTheSiteAndTheSinkInOneCall) {
  TestContainer container;
  EventSink sink;
  ComPtr<IQuickActivate> quick;
  ASSERT_EQ(CoCreateInstance(CLSID_ChartControl, nullptr, CLSCTX_INPROC_SERVER, IID_IQuickActivate,
                             quick.out_void()), S_OK);
  QACONTAINER qc{};
  qc.cbSize = sizeof qc;
  qc.pClientSite = &container;
  qc.pUnkEventSink = &sink;
  QACONTROL control{};
  control.cbSize = sizeof control;
  ASSERT_EQ(quick->QuickActivate(&qc, &control), S_OK);
  EXPECT_EQ(control.dwMiscStatus, 131473u);
  EXPECT_NE(control.dwEventCookie, 0u);
  ComPtr<IOleObject> ole;
  ASSERT_EQ(quick->QueryInterface(IID_IOleObject, ole.out_void()), S_OK);
  ComPtr<IOleClientSite> site;
  ASSERT_EQ(ole->GetClientSite(site.out()), S_OK);
  EXPECT_EQ(site.get(), static_cast<IOleClientSite*>(&container));
  ComPtr<IDispatch> chart;
  ASSERT_EQ(quick->QueryInterface(IID_IDispatch, chart.out_void()), S_OK);
  CallByName(chart.get(), L"SetSegment", DISPATCH_METHOD, {R8(2), R8(9)});
  CallByName(chart.get(), L"ResetZoom", DISPATCH_METHOD, {});
  ASSERT_EQ(sink.Of(7).size(), 1u);
  EXPECT_EQ(sink.Of(7)[0].args, (std::vector<double>{2, 9}));
  ComPtr<IConnectionPointContainer> points;
  ComPtr<IConnectionPoint> point;
  ASSERT_EQ(quick->QueryInterface(IID_IConnectionPointContainer, points.out_void()), S_OK);
  ASSERT_EQ(points->FindConnectionPoint(DIID__IChartControlEvents, point.out()), S_OK);
  ComPtr<IConnectionPoint> other;
  EXPECT_EQ(points->FindConnectionPoint(IID_IPropertyNotifySink, other.out()), CONNECT_E_NOCONNECTION);
  // The enumerators: one point, one connection (the sink just advised).
  ComPtr<IEnumConnectionPoints> allPoints;
  ASSERT_EQ(points->EnumConnectionPoints(allPoints.out()), S_OK);
  IConnectionPoint* listed[2] = {};
  ULONG n = 0;
  EXPECT_EQ(allPoints->Next(2, listed, &n), S_FALSE);
  ASSERT_EQ(n, 1u);
  EXPECT_EQ(listed[0], point.get());
  listed[0]->Release();
  ComPtr<IEnumConnections> connections;
  ASSERT_EQ(point->EnumConnections(connections.out()), S_OK);
  CONNECTDATA data[2] = {};
  EXPECT_EQ(connections->Next(2, data, &n), S_FALSE);
  ASSERT_EQ(n, 1u);
  EXPECT_EQ(data[0].dwCookie, control.dwEventCookie);
  data[0].pUnk->Release();
  EXPECT_EQ(point->Unadvise(control.dwEventCookie), S_OK);
  EXPECT_EQ(point->Unadvise(control.dwEventCookie), CONNECT_E_NOCONNECTION);
  ole->SetClientSite(nullptr);
}

// IViewObject2::Draw and IDataObject: SaveToFile's pixels at the size asked for.
TEST_F(ContainerTest, DrawsIntoMemoryContextsAndMetafiles) {
  ComPtr<IViewObject2> view;
  ASSERT_EQ(container_.control()->QueryInterface(IID_IViewObject2, view.out_void()), S_OK);
  Pixels saved;
  ASSERT_TRUE(SavedPicture(container_.dispatch(), &saved));
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP dib = CreateDib32(mem, kWidth + 20, kHeight + 20, &bits);
  HGDIOBJ old = SelectObject(mem, dib);
  RECTL bounds{10, 10, 10 + kWidth, 10 + kHeight};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, mem, &bounds, nullptr,
                       nullptr, 0), S_OK);
  Pixels drawn;
  ASSERT_TRUE(ReadDc(mem, 10, 10, kWidth, kHeight, &drawn));
  EXPECT_TRUE(drawn == saved) << "Draw differs from SaveToFile";

  // Another size: the picture of that size, and the control keeps its own.
  RECTL small{0, 0, 200, 150};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, mem, &small, nullptr,
                       nullptr, 0), S_OK);
  ASSERT_TRUE(ReadDc(mem, 0, 0, 200, 150, &drawn));
  ComPtr<IDispatch> chart;
  ASSERT_EQ(CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                             chart.out_void()), S_OK);
  CallByName(chart.get(), L"SetSize", DISPATCH_METHOD, {I4(200), I4(150)});
  FillByName(chart.get());
  Pixels expected;
  ASSERT_TRUE(SavedPicture(chart.get(), &expected));
  EXPECT_TRUE(drawn == expected) << "Draw at 200 x 150 differs from SaveToFile at that size";
  EXPECT_EQ(Get(L"Width"), kWidth);
  ExpectWindowIsThePicture("after drawing elsewhere");
  EXPECT_EQ(view->Draw(DVASPECT_ICON, -1, nullptr, nullptr, nullptr, mem, &bounds, nullptr, nullptr, 0),
            DV_E_DVASPECT);
  EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, reinterpret_cast<HDC>(0x1234),
                       &bounds, nullptr, nullptr, 0), E_INVALIDARG);

  // An enhanced metafile, played back one for one.
  RECT frame{0, 0, MulDiv(kWidth, 2540, 96), MulDiv(kHeight, 2540, 96)};
  HDC meta = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
  ASSERT_NE(meta, nullptr);
  RECTL origin{0, 0, kWidth, kHeight};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, meta, &origin, nullptr,
                       nullptr, 0), S_OK);
  HENHMETAFILE emf = CloseEnhMetaFile(meta);
  ASSERT_NE(emf, nullptr);
  RECT target{0, 0, kWidth, kHeight};
  FillRect(mem, &target, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_TRUE(PlayEnhMetaFile(mem, emf, &target));
  DeleteEnhMetaFile(emf);
  ASSERT_TRUE(ReadDc(mem, 0, 0, kWidth, kHeight, &drawn));
  EXPECT_TRUE(drawn == saved) << "the metafile plays back otherwise than SaveToFile";
  // In HIMETRIC bounds, as Office asks: the control's own picture, scaled by the metafile.
  meta = CreateEnhMetaFileW(screen, nullptr, &frame, nullptr);
  RECTL himetric{0, 0, frame.right, frame.bottom};
  ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, meta, &himetric, nullptr,
                       nullptr, 0), S_OK);
  emf = CloseEnhMetaFile(meta);
  EXPECT_LT(GetEnhMetaFileBits(emf, 0, nullptr), 2u * saved.bits.size()) << "one picture, not a huge one";
  DeleteEnhMetaFile(emf);
  EXPECT_EQ(Get(L"Width"), kWidth);

  // The data object: a CF_DIB of the pixels and an enhanced metafile of them.
  ComPtr<IDataObject> data;
  ASSERT_EQ(container_.control()->QueryInterface(IID_IDataObject, data.out_void()), S_OK);
  FORMATETC dibFormat{CF_DIB, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  FORMATETC emfFormat{CF_ENHMETAFILE, nullptr, DVASPECT_CONTENT, -1, TYMED_ENHMF};
  FORMATETC text{CF_TEXT, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  EXPECT_EQ(data->QueryGetData(&dibFormat), S_OK);
  EXPECT_EQ(data->QueryGetData(&emfFormat), S_OK);
  EXPECT_EQ(data->QueryGetData(&text), DV_E_FORMATETC);
  STGMEDIUM medium{};
  ASSERT_EQ(data->GetData(&dibFormat, &medium), S_OK);
  ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_HGLOBAL));
  const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(medium.hGlobal));
  ASSERT_NE(header, nullptr);
  EXPECT_EQ(header->biWidth, kWidth);
  EXPECT_EQ(header->biHeight, kHeight);
  EXPECT_EQ(header->biBitCount, 24);
  const auto* pixels = reinterpret_cast<const std::uint8_t*>(header + 1);
  EXPECT_TRUE(std::vector<std::uint8_t>(pixels, pixels + saved.bits.size()) == saved.bits);
  GlobalUnlock(medium.hGlobal);
  ReleaseStgMedium(&medium);
  ASSERT_EQ(data->GetData(&emfFormat, &medium), S_OK);
  ASSERT_EQ(medium.tymed, static_cast<DWORD>(TYMED_ENHMF));
  FillRect(mem, &target, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  ASSERT_TRUE(PlayEnhMetaFile(mem, medium.hEnhMetaFile, &target));
  ReleaseStgMedium(&medium);
  ASSERT_TRUE(ReadDc(mem, 0, 0, kWidth, kHeight, &drawn));
  EXPECT_TRUE(drawn == saved) << "the data object's metafile differs from SaveToFile";
  ComPtr<IEnumFORMATETC> formats;
  ASSERT_EQ(data->EnumFormatEtc(DATADIR_GET, formats.out()), S_OK);
  FORMATETC listed[3];
  ULONG n = 0;
  formats->Next(3, listed, &n);
  EXPECT_EQ(n, 2u);

  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

}  // namespace
}  // namespace corvane::wintest
