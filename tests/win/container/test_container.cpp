#include "tests/win/container/test_container.h"

#include <psapi.h>

#include <cstring>

namespace corvane::wintest {

// ---- the event sink ---------------------------------------------------------------------------

STDMETHODIMP EventSink::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, DIID__IChartControlEvents)) {
    *ppv = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP EventSink::GetTypeInfoCount(UINT* n) {
  if (n) *n = 0;
  return S_OK;
}

STDMETHODIMP EventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*,
                               EXCEPINFO*, UINT*) {
  RecordedEvent e{id, {}};
  for (UINT i = params ? params->cArgs : 0; i-- > 0;) {
    VARIANT v;
    VariantInit(&v);
    VariantChangeType(&v, &params->rgvarg[i], 0, VT_R8);
    e.args.push_back(V_VT(&v) == VT_R8 ? V_R8(&v) : -99999);
  }
  events.push_back(e);
  return S_OK;
}

bool EventSink::Connect(IUnknown* control) {
  ComPtr<IConnectionPointContainer> cpc;
  if (FAILED(control->QueryInterface(IID_IConnectionPointContainer, cpc.out_void()))) return false;
  if (FAILED(cpc->FindConnectionPoint(DIID__IChartControlEvents, &point_))) return false;
  return SUCCEEDED(point_->Advise(static_cast<IDispatch*>(this), &cookie_));
}

void EventSink::Disconnect() {
  if (point_) {
    point_->Unadvise(cookie_);
    point_->Release();
  }
  point_ = nullptr;
}

std::vector<RecordedEvent> EventSink::Of(DISPID id) const {
  std::vector<RecordedEvent> out;
  for (const RecordedEvent& e : events)
    if (e.id == id) out.push_back(e);
  return out;
}

// ---- the container ----------------------------------------------------------------------------

namespace {

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcW(hwnd, msg, wp, lp);
}

}  // namespace

TestContainer::TestContainer() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CorvaneTestContainer";
  wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH));
  RegisterClassW(&wc);
  frame_ = CreateWindowExW(0, wc.lpszClassName, L"container", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                           0, 0, 900, 700, nullptr, nullptr, wc.hInstance, nullptr);
}

TestContainer::~TestContainer() {
  Remove();
  if (frame_) DestroyWindow(frame_);
}

bool TestContainer::Place(const wchar_t* progId, int width, int height, std::string* why) {
  if (!frame_) return *why = "no frame window (no display?)", false;
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(progId, &clsid))) return *why = "ProgID not registered", false;
  if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IChartControl,
                              reinterpret_cast<void**>(&control_))))
    return *why = "CoCreateInstance failed", false;
  ComPtr<IOleObject> ole;
  if (FAILED(control_->QueryInterface(IID_IOleObject, ole.out_void())))
    return *why = "no IOleObject", false;
  DWORD misc = 0;
  ole->GetMiscStatus(DVASPECT_CONTENT, &misc);
  if (misc & OLEMISC_SETCLIENTSITEFIRST) ole->SetClientSite(this);
  ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(control_->QueryInterface(IID_IPersistStreamInit, persist.out_void())))
    persist->InitNew();
  if (!(misc & OLEMISC_SETCLIENTSITEFIRST)) ole->SetClientSite(this);
  pos_ = RECT{0, 0, width, height};
  HDC screen = GetDC(nullptr);
  SIZEL extent{MulDiv(width, 2540, GetDeviceCaps(screen, LOGPIXELSX)),
               MulDiv(height, 2540, GetDeviceCaps(screen, LOGPIXELSY))};
  ReleaseDC(nullptr, screen);
  ole->SetExtent(DVASPECT_CONTENT, &extent);
  if (FAILED(ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, frame_, &pos_)))
    return *why = "DoVerb failed", false;
  if (!controlWindow()) return *why = "the control made no window", false;
  return true;
}

void TestContainer::MoveControl(int width, int height) {
  pos_ = RECT{0, 0, width, height};
  ComPtr<IOleInPlaceObject> inPlaceObject;
  if (control_ && SUCCEEDED(control_->QueryInterface(IID_IOleInPlaceObject, inPlaceObject.out_void())))
    inPlaceObject->SetObjectRects(&pos_, &pos_);
}

void TestContainer::Remove() {
  if (!control_) return;
  ComPtr<IOleObject> ole;
  if (SUCCEEDED(control_->QueryInterface(IID_IOleObject, ole.out_void()))) {
    ole->Close(OLECLOSE_NOSAVE);
    ole->SetClientSite(nullptr);
  }
  control_->Release();
  control_ = nullptr;
}

HWND TestContainer::controlWindow() const {
  if (!control_) return nullptr;
  ComPtr<IOleWindow> window;
  HWND hwnd = nullptr;
  if (SUCCEEDED(control_->QueryInterface(IID_IOleWindow, window.out_void()))) window->GetWindow(&hwnd);
  return hwnd;
}

STDMETHODIMP TestContainer::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IOleClientSite))
    *ppv = static_cast<IOleClientSite*>(this);
  else if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceSite))
    *ppv = static_cast<IOleInPlaceSite*>(this);
  else if (IsEqualIID(riid, IID_IOleInPlaceFrame) || IsEqualIID(riid, IID_IOleInPlaceUIWindow))
    *ppv = static_cast<IOleInPlaceFrame*>(this);
  else if (IsEqualIID(riid, IID_IOleControlSite))
    *ppv = static_cast<IOleControlSite*>(this);
  if (!*ppv) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

STDMETHODIMP TestContainer::GetMoniker(DWORD, DWORD, IMoniker** mk) {
  if (mk) *mk = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP TestContainer::GetContainer(IOleContainer** c) {
  if (c) *c = nullptr;
  return E_NOINTERFACE;
}
STDMETHODIMP TestContainer::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = frame_;
  return S_OK;
}
STDMETHODIMP TestContainer::OnInPlaceActivate() {
  inPlace = true;
  return S_OK;
}
STDMETHODIMP TestContainer::OnUIActivate() {
  uiActive = true;
  return S_OK;
}
STDMETHODIMP TestContainer::GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT pos, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO info) {
  if (frame) {
    *frame = this;
    AddRef();
  }
  if (doc) *doc = nullptr;
  if (pos) *pos = pos_;
  if (clip) *clip = pos_;
  if (info) {
    info->fMDIApp = FALSE;
    info->hwndFrame = frame_;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
  }
  return S_OK;
}
STDMETHODIMP TestContainer::OnUIDeactivate(BOOL) {
  uiActive = false;
  return S_OK;
}
STDMETHODIMP TestContainer::OnInPlaceDeactivate() {
  inPlace = false;
  return S_OK;
}
STDMETHODIMP TestContainer::SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) {
  activeObject = active;
  return S_OK;
}
STDMETHODIMP TestContainer::GetExtendedControl(IDispatch** d) {
  if (d) *d = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP TestContainer::TransformCoords(POINTL* himetric, POINTF* container, DWORD flags) {
  if (!twips || !himetric || !container) return E_NOTIMPL;
  if (!(flags & XFORMCOORDS_HIMETRICTOCONTAINER)) return E_NOTIMPL;
  container->x = static_cast<float>(himetric->x * 1440.0 / 2540.0);
  container->y = static_cast<float>(himetric->y * 1440.0 / 2540.0);
  return S_OK;
}

// ---- shared helpers -----------------------------------------------------------------------------

void PumpMessages() {
  MSG msg;
  for (int i = 0; i < 1000 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

bool ReadWindow(HWND window, Pixels* out) {
  RECT client{};
  if (!window || !GetClientRect(window, &client)) return false;
  UpdateWindow(window);
  GdiFlush();
  HDC dc = GetDC(window);
  const bool ok = dc && ReadDc(dc, 0, 0, client.right, client.bottom, out);
  if (dc) ReleaseDC(window, dc);
  return ok;
}

HRESULT CallByName(IDispatch* chart, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                   VARIANT* result) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = chart->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (FAILED(hr)) return hr;
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPID put = DISPID_PROPERTYPUT;
  DISPPARAMS params{reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  if (flags == DISPATCH_PROPERTYPUT) {
    params.rgdispidNamedArgs = &put;
    params.cNamedArgs = 1;
  }
  VARIANT ignored;
  VariantInit(&ignored);
  hr = chart->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, flags, &params, result ? result : &ignored,
                     nullptr, nullptr);
  VariantClear(&ignored);
  return hr;
}

VARIANT I4(LONG v) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_I4;
  V_I4(&r) = v;
  return r;
}
VARIANT R8(double v) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_R8;
  V_R8(&r) = v;
  return r;
}
VARIANT Text(const wchar_t* s) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_BSTR;
  V_BSTR(&r) = SysAllocString(s);
  return r;
}

bool SavedPicture(IDispatch* chart, Pixels* out) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring file = std::wstring(dir) + L"corvane_control_" +
                            std::to_wstring(GetCurrentProcessId()) + L".bmp";
  VARIANT name = Text(file.c_str());
  const HRESULT hr = CallByName(chart, L"SaveToFile", DISPATCH_METHOD, {name});
  VariantClear(&name);
  const bool ok = SUCCEEDED(hr) && ReadBmp(file, out);
  DeleteFileW(file.c_str());
  return ok;
}

void KeepForInspection(const wchar_t* name, const Pixels& pixels) {
  wchar_t dir[MAX_PATH];
  GetTempPathW(MAX_PATH, dir);
  const std::wstring file = std::wstring(dir) + name + L".bmp";
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = pixels.width;
  info.biHeight = pixels.height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = static_cast<DWORD>(pixels.bits.size());
  BITMAPFILEHEADER head{};
  head.bfType = 0x4D42;
  head.bfOffBits = sizeof head + sizeof info;
  head.bfSize = head.bfOffBits + info.biSizeImage;
  HANDLE f = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD n = 0;
  WriteFile(f, &head, sizeof head, &n, nullptr);
  WriteFile(f, &info, sizeof info, &n, nullptr);
  WriteFile(f, pixels.bits.data(), info.biSizeImage, &n, nullptr);
  CloseHandle(f);
}

void FillByName(IDispatch* chart) {
  CallByName(chart, L"plotsCount", DISPATCH_PROPERTYPUT, {I4(2)});
  CallByName(chart, L"gridVisible", DISPATCH_PROPERTYPUT, {I4(3)});
  CallByName(chart, L"preset", DISPATCH_PROPERTYPUT, {I4(7)});  // a gradient: textures draw from the sequence too
  for (int i = 1; i <= 30; ++i) {
    CallByName(chart, L"AddPointToPlot", DISPATCH_METHOD, {I4(1), R8(i), R8((i * 7) % 13)});
    CallByName(chart, L"AddPointToPlot", DISPATCH_METHOD, {I4(2), R8(i), R8(3 + (i * 5) % 9)});
  }
  CallByName(chart, L"SetPlotColor", DISPATCH_METHOD, {I4(2), I4(0x0000C0)});
  // Plot 1 a polyline with its points shown (what the hover box and PointClick find), plot 2
  // the default straight-line fit.
  CallByName(chart, L"SetSimplePlot", DISPATCH_METHOD, {I4(1)});
  CallByName(chart, L"SetPointVisible", DISPATCH_METHOD, {I4(1), I4(-1)});
  CallByName(chart, L"SetSegment", DISPATCH_METHOD, {R8(1), R8(30)});
}

long FreeGdiHandles(long cap) {
  std::vector<HBRUSH> made;
  made.reserve(static_cast<std::size_t>(cap));
  for (long i = 0; i < cap; ++i) {
    HBRUSH b = CreateSolidBrush(RGB(i & 0xFF, 1, 2));
    if (!b) break;
    made.push_back(b);
  }
  for (HBRUSH b : made) DeleteObject(b);
  return static_cast<long>(made.size());
}

long FreeUserHandles(long cap) {
  std::vector<HMENU> made;
  made.reserve(static_cast<std::size_t>(cap));
  for (long i = 0; i < cap; ++i) {
    HMENU m = CreatePopupMenu();
    if (!m) break;
    made.push_back(m);
  }
  for (HMENU m : made) DestroyMenu(m);
  return static_cast<long>(made.size());
}

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  if (!GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc),
                            sizeof pmc))
    return 0;
  return pmc.PrivateUsage != 0 ? pmc.PrivateUsage : pmc.PagefileUsage;
}

}  // namespace corvane::wintest
