// IOleInPlaceObject, IOleInPlaceActiveObject and IOleControl: leaving in-place and UI
// activation, the rectangle the container gives, and the few control notifications.
#include "control/chart_control/chart_control_win.h"
#include "control/chart_control/control_window_win.h"

namespace corvane {

STDMETHODIMP CChartControl::GetWindow(HWND* hwnd) {
  if (!hwnd) return E_POINTER;
  *hwnd = window_;
  return window_ ? S_OK : E_FAIL;
}

STDMETHODIMP CChartControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

STDMETHODIMP CChartControl::InPlaceDeactivate() {
  if (!inPlaceActive_) return S_OK;
  UIDeactivate();
  inPlaceActive_ = false;
  DestroyControlWindow();
  if (frame_) frame_->Release();
  if (uiWindow_) uiWindow_->Release();
  frame_ = nullptr;
  uiWindow_ = nullptr;
  // The site last: it may call back in.
  IOleInPlaceSite* site = inPlaceSite_;
  inPlaceSite_ = nullptr;
  if (site) {
    site->OnInPlaceDeactivate();
    site->Release();
  }
  return S_OK;
}

STDMETHODIMP CChartControl::UIDeactivate() {
  if (!uiActive_) return S_OK;
  uiActive_ = false;
  if (uiWindow_) uiWindow_->SetActiveObject(nullptr, nullptr);
  if (frame_) frame_->SetActiveObject(nullptr, nullptr);
  if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
  return S_OK;
}

STDMETHODIMP CChartControl::SetObjectRects(LPCRECT pos, LPCRECT) {
  if (!pos) return E_POINTER;
  if (pos->right < pos->left || pos->bottom < pos->top) return E_INVALIDARG;
  const LONG width = Span(pos->left, pos->right), height = Span(pos->top, pos->bottom);
  if (window_) {
    // WM_SIZE follows and resizes the chart when the size changed.
    SetWindowPos(window_, nullptr, pos->left, pos->top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  Resize(width, height);
  return S_OK;
}

STDMETHODIMP CChartControl::ReactivateAndUndo() { return INPLACE_E_NOTUNDOABLE; }

STDMETHODIMP CChartControl::TranslateAccelerator(LPMSG) { return S_FALSE; }
STDMETHODIMP CChartControl::OnFrameWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CChartControl::OnDocWindowActivate(BOOL) { return S_OK; }
STDMETHODIMP CChartControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) { return S_OK; }
STDMETHODIMP CChartControl::EnableModeless(BOOL) { return S_OK; }

STDMETHODIMP CChartControl::GetControlInfo(CONTROLINFO* info) {
  if (!info) return E_POINTER;
  // No mnemonics, and Enter and Esc stay the container's.
  info->cb = sizeof(CONTROLINFO);
  info->hAccel = nullptr;
  info->cAccel = 0;
  info->dwFlags = 0;
  return S_OK;
}

STDMETHODIMP CChartControl::OnMnemonic(MSG*) { return E_NOTIMPL; }
STDMETHODIMP CChartControl::OnAmbientPropertyChange(DISPID) { return S_OK; }

STDMETHODIMP CChartControl::FreezeEvents(BOOL freeze) {
  if (freeze) {
    ++frozenEvents_;
  } else if (frozenEvents_ > 0) {
    --frozenEvents_;
  }
  return S_OK;
}

}  // namespace corvane
