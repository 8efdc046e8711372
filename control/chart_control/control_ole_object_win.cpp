// IOleObject and IQuickActivate: the client site, verbs and in-place activation, the extent,
// and the advise holder for the container's IAdviseSink.
#include <olectl.h>

#include <algorithm>
#include <cstddef>

#include "control/chart_control/chart_control_win.h"
#include "control/chart_control/control_window_win.h"
#include "control/com_util_win.h"

namespace corvane {

STDMETHODIMP CChartControl::SetClientSite(IOleClientSite* site) {
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  return S_OK;
}

STDMETHODIMP CChartControl::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_;
  if (site_) site_->AddRef();
  return S_OK;
}

STDMETHODIMP CChartControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }

STDMETHODIMP CChartControl::Close(DWORD saveOption) {
  if (site_ && dirty_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE))
    site_->SaveObject();
  InPlaceDeactivate();
  if (oleAdvise_) oleAdvise_->SendOnClose();
  return S_OK;
}

STDMETHODIMP CChartControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }
STDMETHODIMP CChartControl::GetMoniker(DWORD, DWORD, IMoniker** mk) {
  if (mk) *mk = nullptr;
  return E_NOTIMPL;
}
STDMETHODIMP CChartControl::InitFromData(IDataObject*, BOOL, DWORD) { return E_NOTIMPL; }
STDMETHODIMP CChartControl::GetClipboardData(DWORD, IDataObject** data) {
  if (data) *data = nullptr;
  return E_NOTIMPL;
}

HRESULT CChartControl::ActivateInPlace(bool uiActivate, IOleClientSite* activeSite) {
  IOleClientSite* site = activeSite ? activeSite : site_;
  if (!site) return E_UNEXPECTED;
  if (!inPlaceActive_) {
    IOleInPlaceSite* inPlace = nullptr;
    if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, reinterpret_cast<void**>(&inPlace))))
      return E_NOINTERFACE;
    if (inPlace->CanInPlaceActivate() != S_OK) {
      inPlace->Release();
      return E_FAIL;
    }
    if (inPlaceSite_) inPlaceSite_->Release();
    inPlaceSite_ = inPlace;
    inPlaceSite_->OnInPlaceActivate();
    inPlaceActive_ = true;
  }
  if (!window_) {
    HWND parent = nullptr;
    if (FAILED(inPlaceSite_->GetWindow(&parent)) || !parent) {
      InPlaceDeactivate();
      return E_FAIL;
    }
    RECT pos{}, clip{};
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    if (frame_) frame_->Release();
    if (uiWindow_) uiWindow_->Release();
    frame_ = nullptr;
    uiWindow_ = nullptr;
    if (FAILED(inPlaceSite_->GetWindowContext(&frame_, &uiWindow_, &pos, &clip, &frameInfo))) {
      InPlaceDeactivate();
      return E_FAIL;
    }
    const HRESULT hr = CreateControlWindow(parent, pos);
    if (FAILED(hr)) {
      InPlaceDeactivate();
      return hr;
    }
  }
  ShowWindow(window_, SW_SHOW);
  if (uiActivate && !uiActive_) {
    uiActive_ = true;
    inPlaceSite_->OnUIActivate();
    if (GetFocus() != window_) SetFocus(window_);
    IOleInPlaceActiveObject* active = this;
    if (frame_) {
      frame_->SetActiveObject(active, L"ChartControl");
      frame_->SetBorderSpace(nullptr);
    }
    if (uiWindow_) {
      uiWindow_->SetActiveObject(active, L"ChartControl");
      uiWindow_->SetBorderSpace(nullptr);
    }
  }
  return S_OK;
}

STDMETHODIMP CChartControl::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                                   LPCRECT) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(true, activeSite);
    case OLEIVERB_INPLACEACTIVATE:
      return ActivateInPlace(false, activeSite);
    case OLEIVERB_HIDE:
      UIDeactivate();
      if (window_) ShowWindow(window_, SW_HIDE);
      return S_OK;
    case OLEIVERB_DISCARDUNDOSTATE:
      return S_OK;
    case OLEIVERB_OPEN:
    case OLEIVERB_PROPERTIES:
      return E_NOTIMPL;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

STDMETHODIMP CChartControl::EnumVerbs(IEnumOLEVERB** verbs) {
  if (!verbs) return E_POINTER;
  return OleRegEnumVerbs(CLSID_ChartControl, verbs);
}

STDMETHODIMP CChartControl::Update() { return S_OK; }
STDMETHODIMP CChartControl::IsUpToDate() { return S_OK; }

STDMETHODIMP CChartControl::GetUserClassID(CLSID* clsid) {
  if (!clsid) return E_POINTER;
  *clsid = CLSID_ChartControl;
  return S_OK;
}

STDMETHODIMP CChartControl::GetUserType(DWORD form, LPOLESTR* name) {
  if (!name) return E_POINTER;
  return OleRegGetUserType(CLSID_ChartControl, form, name);
}

STDMETHODIMP CChartControl::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
  // In place, the container's rectangle decides the size (SetObjectRects); before that, the
  // extent does.
  if (!inPlaceActive_) {
    const SIZEL pixels = HimetricToPixels(*size);
    Resize(pixels.cx, pixels.cy);
  }
  state_.cx = size->cx;
  state_.cy = size->cy;
  dirty_ = true;
  return S_OK;
}

STDMETHODIMP CChartControl::GetExtent(DWORD aspect, SIZEL* size) {
  if (!size) return E_POINTER;
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  size->cx = state_.cx;
  size->cy = state_.cy;
  return S_OK;
}

STDMETHODIMP CChartControl::Advise(IAdviseSink* sink, DWORD* connection) {
  if (!connection) return E_POINTER;
  *connection = 0;
  if (!oleAdvise_) {
    const HRESULT hr = CreateOleAdviseHolder(&oleAdvise_);
    if (FAILED(hr)) return hr;
  }
  return oleAdvise_->Advise(sink, connection);
}

STDMETHODIMP CChartControl::Unadvise(DWORD connection) {
  if (!oleAdvise_) return OLE_E_NOCONNECTION;
  return oleAdvise_->Unadvise(connection);
}

STDMETHODIMP CChartControl::EnumAdvise(IEnumSTATDATA** advise) {
  if (!advise) return E_POINTER;
  *advise = nullptr;
  if (!oleAdvise_) return S_OK;
  return oleAdvise_->EnumAdvise(advise);
}

STDMETHODIMP CChartControl::GetMiscStatus(DWORD aspect, DWORD* status) {
  if (!status) return E_POINTER;
  *status = aspect == DVASPECT_CONTENT ? kChartControlMiscStatus : 0;
  return S_OK;
}

STDMETHODIMP CChartControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

// ---- IQuickActivate --------------------------------------------------------------------------

STDMETHODIMP CChartControl::QuickActivate(QACONTAINER* container, QACONTROL* control) {
  if (!container || !control) return E_POINTER;
  // Older containers pass the shorter structures of their day: only the fields up to the
  // event sink and the event cookie are needed.
  if (container->cbSize < offsetof(QACONTAINER, pUnkEventSink) + sizeof(IUnknown*) ||
      control->cbSize < offsetof(QACONTROL, dwEventCookie) + sizeof(DWORD))
    return E_INVALIDARG;
  SetClientSite(container->pClientSite);
  if (container->pAdviseSink) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
  const ULONG size = std::min<ULONG>(control->cbSize, sizeof(QACONTROL));
  ZeroMemory(control, size);
  control->cbSize = size;
  GetMiscStatus(DVASPECT_CONTENT, &control->dwMiscStatus);
  control->dwViewStatus = VIEWSTATUS_OPAQUE | VIEWSTATUS_SOLIDBKGND;
  if (container->pUnkEventSink) events_.Advise(container->pUnkEventSink, &control->dwEventCookie);
  return S_OK;
}

STDMETHODIMP CChartControl::SetContentExtent(LPSIZEL size) { return SetExtent(DVASPECT_CONTENT, size); }
STDMETHODIMP CChartControl::GetContentExtent(LPSIZEL size) { return GetExtent(DVASPECT_CONTENT, size); }

}  // namespace corvane
