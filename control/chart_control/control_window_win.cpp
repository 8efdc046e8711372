// The control's window: its class and procedure, creation and destruction, and painting --
// the picture SaveToFile would write, with the crosshair, the zoom rectangle and the hover
// box drawn over it.
#include "control/chart_control/control_window_win.h"

#include <algorithm>

#include "control/chart_control/chart_control_win.h"
#include "control/com_util_win.h"
#include "control/dib_handoff_win.h"

namespace corvane {
namespace {

constexpr wchar_t kClassName[] = L"CorvaneChartControl";
ATOM g_class = 0;

HMODULE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

LRESULT CALLBACK ChartWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lp);
    auto* control = static_cast<CChartControl*>(create->lpCreateParams);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(control));
    // The control knows its window from the first message on.
    if (control) control->WindowCreated(hwnd);
  }
  auto* control = reinterpret_cast<CChartControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!control) return DefWindowProcW(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    control->WindowDestroyed();
    return DefWindowProcW(hwnd, msg, wp, lp);
  }
  // An event handler may release the control's last reference: it lives to the end of the
  // message.
  control->AddRef();
  const LRESULT result = control->OnMessage(msg, wp, lp);
  control->Release();
  return result;
}

bool RegisterClassOnce() {
  if (g_class) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ChartWindowProc;
  wc.hInstance = ThisModule();
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = kClassName;
  g_class = RegisterClassExW(&wc);
  if (!g_class && GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
    // Left behind by an earlier load of this module that could not remove it.
    UnregisterClassW(kClassName, wc.hInstance);
    g_class = RegisterClassExW(&wc);
  }
  return g_class != 0;
}

}  // namespace

LONG Span(LONG a, LONG b) {
  const long long d = static_cast<long long>(b) - a;
  return d <= 0 ? 0 : d >= 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<LONG>(d);
}

HWND CreateChartControlWindow(CChartControl* control, HWND parent, const RECT& pos) {
  if (!RegisterClassOnce()) return nullptr;
  return CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, pos.left,
                         pos.top, Span(pos.left, pos.right), Span(pos.top, pos.bottom), parent,
                         nullptr, ThisModule(), control);
}

void DestroyChartControlWindow(HWND window) {
  if (!window) return;
  SetWindowLongPtrW(window, GWLP_USERDATA, 0);
  DestroyWindow(window);
}

void UnregisterChartControlWindowClass() {
  if (!g_class) return;
  UnregisterClassW(kClassName, ThisModule());
  g_class = 0;
}

// ---- the control's side ----------------------------------------------------------------------

HRESULT CChartControl::CreateControlWindow(HWND parent, const RECT& pos) {
  if (window_) return S_OK;
  window_ = CreateChartControlWindow(this, parent, pos);
  if (!window_) return HRESULT_FROM_WIN32(GetLastError() ? GetLastError() : ERROR_INVALID_WINDOW_HANDLE);
  Resize(Span(pos.left, pos.right), Span(pos.top, pos.bottom));
  return S_OK;
}

void CChartControl::DestroyControlWindow() {
  HWND window = window_;
  window_ = nullptr;
  DestroyChartControlWindow(window);
}

void CChartControl::Invalidate() {
  if (window_) InvalidateRect(window_, nullptr, FALSE);
  if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT)) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

void CChartControl::Resize(LONG width, LONG height) {
  width = std::max<LONG>(0, width);
  height = std::max<LONG>(0, height);
  const SIZEL extent = PixelsToHimetric(SIZEL{width, height});
  state_.cx = extent.cx;
  state_.cy = extent.cy;
  LONG w = 0, h = 0;
  get_Width(&w);
  get_Height(&h);
  if (w == width && h == height) return;
  automation().SetSize(width, height);
  pictureStale_ = true;
  Invalidate();
}

SIZEL PixelsToHimetric(SIZEL pixels) {
  HDC screen = GetDC(nullptr);
  const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return SIZEL{MulDiv(pixels.cx, 2540, dpiX > 0 ? dpiX : 96),
               MulDiv(pixels.cy, 2540, dpiY > 0 ? dpiY : 96)};
}

SIZEL HimetricToPixels(SIZEL himetric) {
  HDC screen = GetDC(nullptr);
  const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen) ReleaseDC(nullptr, screen);
  return SIZEL{MulDiv(himetric.cx, dpiX > 0 ? dpiX : 96, 2540),
               MulDiv(himetric.cy, dpiY > 0 ? dpiY : 96, 2540)};
}

HRESULT CChartControl::CurrentPicture(const DibPicture** picture) {
  if (pictureStale_) {
    const HRESULT hr = Guard([&]() -> HRESULT { return automation().get_Picture(&picture_); });
    if (FAILED(hr)) return hr;
    pictureStale_ = false;
  }
  *picture = &picture_;
  return S_OK;
}

LRESULT CChartControl::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      if (dc) Paint(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT: {
      HDC dc = reinterpret_cast<HDC>(wp);
      if (IsDeviceContext(dc)) Paint(dc);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_SIZE: {
      // The window's own size, whatever the message claims.
      RECT client{};
      if (GetClientRect(window_, &client)) Resize(client.right, client.bottom);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      if (inPlaceActive_ && !uiActive_) ActivateInPlace(true, nullptr);
      return MA_ACTIVATE;
    case WM_SETFOCUS:
      if (inPlaceActive_ && !uiActive_) ActivateInPlace(true, nullptr);
      return 0;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEWHEEL:
    case WM_MOUSELEAVE:
    case WM_CAPTURECHANGED:
      return OnMouse(msg, wp, lp);
    default:
      return DefWindowProcW(window_, msg, wp, lp);
  }
}

namespace {

// The hover box: the text in a framed box beside the cursor, kept inside the client area;
// its font, padding and distance from the cursor at the chart's pixel scale.
void DrawHoverBox(HDC dc, const std::u16string& text, LONG x, LONG y, const RECT& client,
                  const PixelScale& s) {
  HFONT font = CreateFontW(-s(12), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           DEFAULT_PITCH, L"Arial");
  HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
  const auto* chars = reinterpret_cast<const wchar_t*>(text.c_str());
  const int n = static_cast<int>(text.size());
  RECT box{0, 0, 0, 0};
  DrawTextW(dc, chars, n, &box, DT_CALCRECT | DT_NOPREFIX);
  const LONG w = box.right + s(8), h = box.bottom + s(6);
  const LONG away = s(12);
  LONG left = x + away, top = y + away;
  if (left + w > client.right) left = x - away - w;
  if (top + h > client.bottom) top = y - away - h;
  left = std::max<LONG>(0, left);
  top = std::max<LONG>(0, top);
  RECT frame{left, top, left + w, top + h};
  FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  RECT inner{left + s(4), top + s(3), left + w - s(4), top + h - s(3)};
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = SetTextColor(dc, RGB(0, 0, 0));
  DrawTextW(dc, chars, n, &inner, DT_NOPREFIX);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
  if (oldFont) SelectObject(dc, oldFont);
  if (font) DeleteObject(font);
}

}  // namespace

void CChartControl::Paint(HDC target) {
  RECT client{};
  if (!window_ || !GetClientRect(window_, &client) || client.right <= 0 || client.bottom <= 0) return;
  // Composed off screen, so the overlays never flicker over the picture.
  HDC dc = CreateCompatibleDC(target);
  HBITMAP bitmap = dc ? CreateCompatibleBitmap(target, client.right, client.bottom) : nullptr;
  HGDIOBJ oldBitmap = bitmap ? SelectObject(dc, bitmap) : nullptr;
  HDC out = oldBitmap ? dc : target;

  FillRect(out, &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  const DibPicture* picture = nullptr;
  if (SUCCEEDED(CurrentPicture(&picture))) DrawDib(out, 0, 0, *picture);

  std::int32_t cx = 0, cy = 0;
  const bool cursor = interaction_.Cursor(&cx, &cy);
  LONG left = 0, top = 0, right = 0, bottom = 0;
  if (cursor && interaction_.settings().crosshair && SUCCEEDED(get_PlotAreaLeft(&left)) &&
      SUCCEEDED(get_PlotAreaTop(&top)) && SUCCEEDED(get_PlotAreaRight(&right)) &&
      SUCCEEDED(get_PlotAreaBottom(&bottom)) && cx >= left && cx < right && cy >= top &&
      cy < bottom) {
    // Inverted pixels show on every background and preset.
    const int oldRop = SetROP2(out, R2_NOT);
    HGDIOBJ oldPen = SelectObject(out, GetStockObject(BLACK_PEN));
    MoveToEx(out, left, cy, nullptr);
    LineTo(out, right, cy);
    MoveToEx(out, cx, top, nullptr);
    LineTo(out, cx, bottom);
    SelectObject(out, oldPen);
    SetROP2(out, oldRop);
  }
  IRect zoom{};
  if (interaction_.ZoomRectangle(&zoom)) {
    RECT r{zoom.left, zoom.top, zoom.right, zoom.bottom};
    DrawFocusRect(out, &r);
  }
  if (cursor && !hoverText_.empty())
    DrawHoverBox(out, hoverText_, cx, cy, client, automation().engine().pixelScale);

  if (out == dc) BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  if (oldBitmap) SelectObject(dc, oldBitmap);
  if (bitmap) DeleteObject(bitmap);
  if (dc) DeleteDC(dc);
}

}  // namespace corvane
