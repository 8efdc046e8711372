#include "control/chart_control/chart_control_win.h"

#include <iterator>
#include <new>

#include "control/chart_object_members_win.h"
#include "control/com_util_win.h"

namespace corvane {

template class ChartObject<IChartControl>;

namespace {

constexpr DispatchLevel kLevels[] = {{&IID_ICorvaneEx, 0},
                                     {&IID_ICorvaneEx2, kFirstEx2DispId},
                                     {&IID_ICorvaneEx3, kFirstEx3DispId},
                                     {&IID_IChartControl, kFirstControlDispId}};
const DispatchTraits kTraits{&IID_IChartControl, kLevels, std::size(kLevels)};

HRESULT PutBool(VARIANT_BOOL* out, bool v) {
  if (!out) return E_POINTER;
  *out = v ? VARIANT_TRUE : VARIANT_FALSE;
  return S_OK;
}

}  // namespace

CChartControl::CChartControl(ComObjectHost& host, IUnknown* outer)
    : ChartObject(host, outer, kTraits),
      interaction_(automation()),
      events_(controlling(), static_cast<IConnectionPointContainer*>(this)) {}

CChartControl::~CChartControl() {
  // Nothing may call back into a control that is going: no sink, no site, no window.
  events_.UnadviseAll();
  DestroyControlWindow();
  if (viewSink_) viewSink_->Release();
  if (oleAdvise_) oleAdvise_->Release();
  if (uiWindow_) uiWindow_->Release();
  if (frame_) frame_->Release();
  if (inPlaceSite_) inPlaceSite_->Release();
  if (site_) site_->Release();
}

HRESULT CChartControl::Create(ComObjectHost& host, IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  CChartControl* obj = nullptr;
  try {
    obj = new CChartControl(host, outer);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
  return Hand(obj, riid, ppv);
}

STDMETHODIMP CChartControl::QueryInterface(REFIID riid, void** ppv) {
  return ChartObject::QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CChartControl::AddRef() { return ChartObject::AddRef(); }
STDMETHODIMP_(ULONG) CChartControl::Release() { return ChartObject::Release(); }

void* CChartControl::FindInterface(REFIID riid) {
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_ICorvaneEx) || IsEqualIID(riid, IID_ICorvaneEx2) ||
      IsEqualIID(riid, IID_ICorvaneEx3) || IsEqualIID(riid, IID_IChartControl))
    return static_cast<IChartControl*>(this);
  if (IsEqualIID(riid, IID_IOleObject)) return static_cast<IOleObject*>(this);
  if (IsEqualIID(riid, IID_IOleWindow) || IsEqualIID(riid, IID_IOleInPlaceObject))
    return static_cast<IOleInPlaceObject*>(this);
  if (IsEqualIID(riid, IID_IOleInPlaceActiveObject)) return static_cast<IOleInPlaceActiveObject*>(this);
  if (IsEqualIID(riid, IID_IOleControl)) return static_cast<IOleControl*>(this);
  if (IsEqualIID(riid, IID_IViewObject) || IsEqualIID(riid, IID_IViewObject2))
    return static_cast<IViewObject2*>(this);
  if (IsEqualIID(riid, IID_IDataObject)) return static_cast<IDataObject*>(this);
  if (IsEqualIID(riid, IID_IPersist) || IsEqualIID(riid, IID_IPersistStreamInit))
    return static_cast<IPersistStreamInit*>(this);
  if (IsEqualIID(riid, IID_IPersistPropertyBag)) return static_cast<IPersistPropertyBag*>(this);
  if (IsEqualIID(riid, IID_IPersistStorage)) return static_cast<IPersistStorage*>(this);
  if (IsEqualIID(riid, IID_IConnectionPointContainer))
    return static_cast<IConnectionPointContainer*>(this);
  if (IsEqualIID(riid, IID_IProvideClassInfo) || IsEqualIID(riid, IID_IProvideClassInfo2))
    return static_cast<IProvideClassInfo2*>(this);
  if (IsEqualIID(riid, IID_IQuickActivate)) return static_cast<IQuickActivate*>(this);
  return nullptr;
}

// ---- hooks of the shared chart members -----------------------------------------------------

void CChartControl::Changed() {
  pictureStale_ = true;
  dirty_ = true;
  Invalidate();
}

void CChartControl::SegmentSet(double a, double b) { interaction_.HostSegment(a, b); }

void CChartControl::Shown() {
  // Show paints at once, as on the automation class: into the host's window (done) and into
  // the control's own.
  if (window_) RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

// ---- IChartControl ---------------------------------------------------------------------------

STDMETHODIMP CChartControl::get_ZoomMode(LONG* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = interaction_.settings().zoomMode;
  return S_OK;
}
STDMETHODIMP CChartControl::put_ZoomMode(LONG newVal) {
  const HRESULT hr = interaction_.SetZoomMode(newVal);
  if (SUCCEEDED(hr)) {
    dirty_ = true;
    Invalidate();
  }
  return hr;
}
STDMETHODIMP CChartControl::get_PanMode(LONG* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = interaction_.settings().panMode;
  return S_OK;
}
STDMETHODIMP CChartControl::put_PanMode(LONG newVal) {
  const HRESULT hr = interaction_.SetPanMode(newVal);
  if (SUCCEEDED(hr)) dirty_ = true;
  return hr;
}
STDMETHODIMP CChartControl::get_HoverInfo(VARIANT_BOOL* pVal) {
  return PutBool(pVal, interaction_.settings().hoverInfo);
}
STDMETHODIMP CChartControl::put_HoverInfo(VARIANT_BOOL newVal) {
  interaction_.SetHoverInfo(newVal != 0);
  if (newVal == 0) hoverText_.clear();
  dirty_ = true;
  Invalidate();
  return S_OK;
}
STDMETHODIMP CChartControl::get_Crosshair(VARIANT_BOOL* pVal) {
  return PutBool(pVal, interaction_.settings().crosshair);
}
STDMETHODIMP CChartControl::put_Crosshair(VARIANT_BOOL newVal) {
  interaction_.SetCrosshair(newVal != 0);
  dirty_ = true;
  Invalidate();
  return S_OK;
}

STDMETHODIMP CChartControl::ResetZoom() {
  return Guard([&]() -> HRESULT {
    Apply(interaction_.ResetZoom());
    return S_OK;
  });
}

STDMETHODIMP CChartControl::Refresh() {
  if (window_) {
    RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return S_OK;
  }
  // Without a window of its own it paints where the automation object would.
  return Guard([&]() -> HRESULT { return automation().Show(); });
}

}  // namespace corvane
