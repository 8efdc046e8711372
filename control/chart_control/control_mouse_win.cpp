// Mouse messages of the control's window: each goes to the interaction (zoom, pan, hover)
// and out as the events of VB's controls, in their order: MouseDown, MouseUp, Click (then
// PointClick when the click hit a point), DblClick for the second press of a double click.
#include <windowsx.h>

#include <cstdio>
#include <string>

#include "control/chart_control/chart_control_win.h"
#include "control/chart_control/control_window_win.h"
#include "control/com_util_win.h"

namespace corvane {
namespace {

// How near a point the cursor must be, in pixels at pixel scale 1, for the hover box and
// PointClick.
constexpr double kPointRadius = 6.0;

MouseButton ButtonOf(UINT msg) {
  switch (msg) {
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK: return kLeftButton;
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK: return kRightButton;
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK: return kMiddleButton;
    default: return kNoButton;
  }
}

// The buttons held, as MouseMove reports them.
std::int32_t ButtonsHeld(WPARAM wp) {
  return ((wp & MK_LBUTTON) ? kLeftButton : 0) | ((wp & MK_RBUTTON) ? kRightButton : 0) |
         ((wp & MK_MBUTTON) ? kMiddleButton : 0);
}

std::u16string Format(double v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.6g", v);
  return std::u16string(buffer, buffer + std::char_traits<char>::length(buffer));
}

// Shift as VB's events give it: 1 Shift, 2 Ctrl, 4 Alt.
std::int16_t ShiftState(WPARAM wp) {
  return static_cast<std::int16_t>(((wp & MK_SHIFT) ? 1 : 0) | ((wp & MK_CONTROL) ? 2 : 0) |
                                   ((GetKeyState(VK_MENU) < 0) ? 4 : 0));
}

}  // namespace

LRESULT CChartControl::OnMouse(UINT msg, WPARAM wp, LPARAM lp) {
  LONG x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  const MouseButton button = ButtonOf(msg);
  const std::int16_t shift = ShiftState(wp);
  switch (msg) {
    case WM_MOUSEMOVE: {
      if (!trackingLeave_) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
      }
      const InteractionResult r = interaction_.Move(x, y);
      FireMouse(kEventMouseMove, ButtonsHeld(wp), shift, x, y);
      UpdateHover();
      Apply(r);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      if (window_ && GetCapture() != window_) SetCapture(window_);
      const bool second = msg == WM_LBUTTONDBLCLK || msg == WM_RBUTTONDBLCLK || msg == WM_MBUTTONDBLCLK;
      if (second) {
        doubleClick_ = true;
        FireClick(kEventDblClick, button, shift, x, y);
      } else {
        doubleClick_ = false;
        FireMouse(kEventMouseDown, button, shift, x, y);
      }
      Apply(interaction_.Press(button, x, y, ButtonsHeld(wp)));
      return 0;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      const InteractionResult r = interaction_.Release(button, x, y);
      if (window_ && GetCapture() == window_ &&
          !(wp & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)))
        ReleaseCapture();
      FireMouse(kEventMouseUp, button, shift, x, y);
      Apply(r);
      if (r.click && !doubleClick_) {
        FireClick(kEventClick, button, shift, x, y);
        ChartHit hit;
        if (SUCCEEDED(Guard([&]() -> HRESULT { return automation().HitTest(x, y, PointRadius(), &hit); })) &&
            hit.kind == kHitPoint)
          FirePointClick(hit.plot, hit.index, x, y);
      }
      doubleClick_ = false;
      return 0;
    }
    case WM_MOUSEWHEEL: {
      POINT p{x, y};
      if (window_) ScreenToClient(window_, &p);
      Apply(interaction_.Wheel(p.x, p.y, GET_WHEEL_DELTA_WPARAM(wp)));
      return 0;
    }
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      hoverText_.clear();
      Apply(interaction_.Leave());
      return 0;
    case WM_CAPTURECHANGED:
      Apply(interaction_.Cancel());
      return 0;
    default:
      return 0;
  }
}

void CChartControl::Apply(const InteractionResult& r) {
  if (r.zoomed) {
    pictureStale_ = true;
    Invalidate();
    UpdateHover();
    FireZoomed(r.xMin, r.xMax);
  } else if (r.redraw) {
    Invalidate();
  }
}

double CChartControl::PointRadius() {
  return automation().engine().pixelScale.Real(kPointRadius);
}

void CChartControl::UpdateHover() {
  std::u16string text;
  std::int32_t x = 0, y = 0;
  if (interaction_.settings().hoverInfo && interaction_.Cursor(&x, &y)) {
    ChartHit hit;
    const HRESULT hr = Guard([&]() -> HRESULT { return automation().HitTest(x, y, PointRadius(), &hit); });
    if (SUCCEEDED(hr) && hit.kind == kHitPoint) {
      text = u"plot " + Format(hit.plot) + u", point " + Format(hit.index) + u"\nx = " +
             Format(hit.x) + u"\ny = " + Format(hit.y);
    }
  }
  if (text == hoverText_) return;
  hoverText_.swap(text);
  Invalidate();
}

POINTF CChartControl::ContainerPoint(LONG x, LONG y) {
  POINTF out{static_cast<float>(x), static_cast<float>(y)};
  if (!site_) return out;
  ComRef<IOleControlSite> controlSite;
  if (FAILED(site_->QueryInterface(IID_IOleControlSite, controlSite.out_void()))) return out;
  const SIZEL himetric = PixelsToHimetric(SIZEL{x, y});
  POINTL position{himetric.cx, himetric.cy};
  POINTF converted{};
  if (controlSite->TransformCoords(&position, &converted,
                                   XFORMCOORDS_POSITION | XFORMCOORDS_HIMETRICTOCONTAINER) == S_OK)
    out = converted;
  return out;
}

}  // namespace corvane
