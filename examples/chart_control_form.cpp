// A form with Corvane's chart control, as a C++ program hosts one: ATL's control host (atl.dll,
// part of Windows) places Corvane.ChartControl in a window of ours, the program fills it
// through IChartControl, turns zoom, pan and the hover box on, and prints the control's events.
// Register the DLL once (regsvr32 Corvane.dll), then
//   chart_control_form.exe            the form: the wheel and a left drag zoom, a right drag
//                                     pans, a double click resets, clicks on points print
//   chart_control_form.exe out.png    the same, but the program turns the wheel, drags and
//                                     clicks itself, prints what the control raised, resets
//                                     the zoom and writes the control's picture
#include <windows.h>
#include <ocidl.h>

#include <cstdio>

#include "corvane_idl.h"

namespace {

using AxWinInit = BOOL(WINAPI*)();
using AxCreateControl = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**);
using AxGetControl = HRESULT(WINAPI*)(HWND, IUnknown**);

IChartControl* g_chart = nullptr;
int g_zoomed = 0, g_pointClicks = 0;

// The control's events arrive here, as a VB form's handlers would get them.
class FormEvents final : public IDispatch {
 public:
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
        IsEqualIID(riid, DIID__IChartControlEvents)) {
      *ppv = this;
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }  // a static object of the program
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetTypeInfoCount(UINT* n) override { return *n = 0, S_OK; }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* p, VARIANT*, EXCEPINFO*,
                      UINT*) override {
    // The arguments come last first.
    auto arg = [p](UINT i) {
      VARIANT v;
      VariantInit(&v);
      VariantChangeType(&v, &p->rgvarg[p->cArgs - 1 - i], 0, VT_R8);
      return V_R8(&v);
    };
    switch (id) {
      case 1:  // Click(button, shift, x, y, worldX, worldY)
        std::printf("Click: button %g at (%g, %g), x = %.3g\n", arg(0), arg(2), arg(3), arg(4));
        break;
      case 2:  // DblClick: back to the whole range
        g_chart->ResetZoom();
        break;
      case 6:  // PointClick(plot, index, x, y)
        ++g_pointClicks;
        std::printf("PointClick: plot %g, point %g\n", arg(0), arg(1));
        break;
      case 7:  // Zoomed(xMin, xMax)
        ++g_zoomed;
        std::printf("Zoomed: x from %.4g to %.4g\n", arg(0), arg(1));
        break;
      default:  // MouseDown, MouseMove, MouseUp: not needed here
        break;
    }
    return S_OK;
  }
};

FormEvents g_events;

LRESULT CALLBACK FormProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wp, lp);
}

void Fill(IChartControl* chart) {
  BSTR caption = SysAllocString(L"Hello, Corvane");
  chart->put_caption(caption);
  SysFreeString(caption);
  chart->put_plotsCount(2);
  for (int i = 1; i <= 20; ++i) {
    const double y = (i * 7) % 11 + i / 2.0;
    chart->AddPointToPlot(1, i, y);
    chart->AddPointToPlot(2, i, y);
  }
  chart->SetSimplePlot(1);
  chart->SetPlotColor(1, RGB(200, 0, 0));
  chart->SetPointVisible(1, VARIANT_TRUE);
  chart->SetLinearApproximate(2);
  chart->SetPlotColor(2, RGB(0, 0, 200));
  chart->SetPlotWidth(2, 2);
  chart->SetSegment(1, 20);
  BSTR measured = SysAllocString(L"measured"), trend = SysAllocString(L"trend");
  chart->AddLabelToLegend(RGB(200, 0, 0), measured);
  chart->AddLabelToLegend(RGB(0, 0, 200), trend);
  SysFreeString(measured);
  SysFreeString(trend);
  // What the user may do with the mouse: every interaction is off until the host says so.
  chart->put_ZoomMode(2);
  chart->put_PanMode(1);
  chart->put_HoverInfo(VARIANT_TRUE);
}

// What a user would do: a turn of the wheel, a right drag, a click on point 5 of plot 1.
void PlayUser(HWND control) {
  double px = 0, py = 0;
  POINT at{200, 150};
  ClientToScreen(control, &at);
  SendMessageW(control, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), MAKELPARAM(at.x, at.y));
  SendMessageW(control, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(200, 150));
  SendMessageW(control, WM_MOUSEMOVE, MK_RBUTTON, MAKELPARAM(170, 150));
  SendMessageW(control, WM_RBUTTONUP, 0, MAKELPARAM(170, 150));
  g_chart->ResetZoom();
  double y5 = 0;
  g_chart->get_PointY(1, 5, &y5);
  g_chart->WorldToPixelX(5, &px);
  g_chart->WorldToPixelY(y5, &py);
  const LPARAM point = MAKELPARAM(static_cast<int>(px), static_cast<int>(py));
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(control, WM_LBUTTONUP, 0, point);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* picture = argc > 1 ? argv[1] : nullptr;
  HMODULE atl = LoadLibraryW(L"atl.dll");
  auto init = atl ? reinterpret_cast<AxWinInit>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit"))) : nullptr;
  auto create = atl ? reinterpret_cast<AxCreateControl>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxCreateControl"))) : nullptr;
  auto get = atl ? reinterpret_cast<AxGetControl>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl"))) : nullptr;
  if (!init || !create || !get || !init()) {  // AtlAxWinInit initialises OLE too
    std::fprintf(stderr, "ATL's control host is not available\n");
    return 1;
  }
  WNDCLASSW wc{};
  wc.lpfnWndProc = FormProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"ChartControlForm";
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  RegisterClassW(&wc);
  RECT frame{0, 0, 400, 300};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND form = CreateWindowW(wc.lpszClassName, L"Corvane chart control", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                            CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                            frame.bottom - frame.top, nullptr, nullptr, wc.hInstance, nullptr);
  // The control's site: a child window as large as the form's client area.
  HWND site = CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 400, 300,
                            form, nullptr, wc.hInstance, nullptr);
  IUnknown* container = nullptr;
  IUnknown* control = nullptr;
  HRESULT hr = form && site ? create(L"Corvane.ChartControl", site, nullptr, &container) : E_FAIL;
  if (SUCCEEDED(hr)) hr = get(site, &control);
  if (SUCCEEDED(hr)) hr = control->QueryInterface(IID_IChartControl, reinterpret_cast<void**>(&g_chart));
  if (FAILED(hr)) {
    std::fprintf(stderr, "Corvane.ChartControl cannot be placed (0x%08lX): is it registered?\n", hr);
    return 1;
  }
  // WithEvents, by hand: advise the control's connection point.
  IConnectionPointContainer* points = nullptr;
  IConnectionPoint* point = nullptr;
  DWORD cookie = 0;
  control->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points));
  if (points && SUCCEEDED(points->FindConnectionPoint(DIID__IChartControlEvents, &point)))
    point->Advise(&g_events, &cookie);
  Fill(g_chart);

  int result = 0;
  if (picture) {
    HWND window = nullptr;
    IOleWindow* ole = nullptr;
    if (SUCCEEDED(control->QueryInterface(IID_IOleWindow, reinterpret_cast<void**>(&ole)))) {
      ole->GetWindow(&window);
      ole->Release();
    }
    PlayUser(window);
    BSTR path = SysAllocString(picture);
    hr = g_chart->SaveToPng(path);
    SysFreeString(path);
    std::printf("%s %ls; %d zoom events, %d point clicks\n", SUCCEEDED(hr) ? "wrote" : "could not write",
                picture, g_zoomed, g_pointClicks);
    // The wheel, the pan's step and the reset each zoomed; the click hit point 5.
    result = SUCCEEDED(hr) && g_zoomed >= 3 && g_pointClicks == 1 ? 0 : 1;
    DestroyWindow(form);
  } else {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
  if (point) {
    point->Unadvise(cookie);
    point->Release();
  }
  if (points) points->Release();
  g_chart->Release();
  control->Release();
  if (container) container->Release();
  return result;
}
