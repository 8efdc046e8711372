// ChartObject's lifetime (reference count, aggregation) and IDispatch. Included only through
// chart_object_members_win.h by the files that instantiate ChartObject.
#pragma once
#include "control/chart_object_win.h"
#include "control/com_util_win.h"

namespace corvane {

template <class I>
ChartObject<I>::ChartObject(ComObjectHost& host, IUnknown* outer, const DispatchTraits& traits)
    : lock_(host),
      inner_(this),
      controlling_(outer ? outer : &inner_),
      traits_(traits),
      automation_(graphics_) {}

template <class I>
HRESULT ChartObject<I>::Hand(ChartObject* obj, REFIID riid, void** ppv) {
  obj->inner_.AddRef();
  const HRESULT hr = obj->inner_.QueryInterface(riid, ppv);
  obj->inner_.Release();
  return hr;
}

template <class I>
STDMETHODIMP ChartObject<I>::InnerUnknown::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  const bool aggregated = self_->controlling_ != this;
  void* found = nullptr;
  if (IsEqualIID(riid, IID_IUnknown) && aggregated) {
    // Only the outer object asks the inner unknown for itself.
    found = static_cast<IUnknown*>(this);
  } else {
    found = self_->FindInterface(riid);
  }
  *ppv = found;
  if (!found) return E_NOINTERFACE;
  static_cast<IUnknown*>(found)->AddRef();
  return S_OK;
}

template <class I>
STDMETHODIMP_(ULONG) ChartObject<I>::InnerUnknown::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&self_->refs_));
}

template <class I>
STDMETHODIMP_(ULONG) ChartObject<I>::InnerUnknown::Release() {
  const LONG left = InterlockedDecrement(&self_->refs_);
  if (left == 0) delete self_;
  return static_cast<ULONG>(left);
}

template <class I>
STDMETHODIMP ChartObject<I>::QueryInterface(REFIID riid, void** ppv) {
  return controlling_->QueryInterface(riid, ppv);
}
template <class I>
STDMETHODIMP_(ULONG) ChartObject<I>::AddRef() {
  return controlling_->AddRef();
}
template <class I>
STDMETHODIMP_(ULONG) ChartObject<I>::Release() {
  return controlling_->Release();
}

// ---- IDispatch ----------------------------------------------------------------------------

template <class I>
STDMETHODIMP ChartObject<I>::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

template <class I>
STDMETHODIMP ChartObject<I>::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_POINTER;
  *ppTInfo = nullptr;
  if (iTInfo != 0) return DISP_E_BADINDEX;
  return lock_.host().GetTypeInfo(*traits_.describedIid, lcid, ppTInfo);
}

template <class I>
STDMETHODIMP ChartObject<I>::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                           DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  const DispatchLevel* levels = traits_.levels;
  ComRef<ITypeInfo> info;
  RETURN_IF_FAILED(lock_.host().GetTypeInfo(*levels[0].iid, lcid, info.out()));
  // Named arguments need the type information to resolve them against the member.
  if (count == 1 && names[0]) {
    for (std::size_t i = 0; i < traits_.levelCount; ++i) {
      if (lock_.host().FindDispId(*levels[i].iid, names[0], &ids[0])) return S_OK;
    }
  }
  HRESULT last = info->GetIDsOfNames(names, count, ids);
  // Not a name of the base: perhaps one of a later interface's own members. Each one's type
  // information lists its bases' members too, so the last one loaded answers them all.
  for (std::size_t i = 1; i < traits_.levelCount && last == DISP_E_UNKNOWNNAME; ++i) {
    ComRef<ITypeInfo> more;
    if (FAILED(lock_.host().GetTypeInfo(*levels[i].iid, lcid, more.out()))) return last;
    last = more->GetIDsOfNames(names, count, ids);
  }
  return last;
}

template <class I>
const IID& ChartObject<I>::LevelOf(DISPID id) const {
  for (std::size_t i = traits_.levelCount; i-- > 1;) {
    if (id >= traits_.levels[i].firstDispId) return *traits_.levels[i].iid;
  }
  return *traits_.levels[0].iid;
}

template <class I>
STDMETHODIMP ChartObject<I>::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                    DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                    UINT* argErr) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ComRef<ITypeInfo> info;
  RETURN_IF_FAILED(lock_.host().GetTypeInfo(*traits_.levels[0].iid, lcid, info.out()));
  // Each interface's members go through its own type information (ICorvaneEx's keep their
  // old road). Every interface's vtable begins with its base's, so one pointer serves all.
  const IID& level = LevelOf(id);
  if (!IsEqualIID(level, *traits_.levels[0].iid)) {
    RETURN_IF_FAILED(lock_.host().GetTypeInfo(level, lcid, info.out()));
  }
  return info->Invoke(static_cast<I*>(this), id, flags, params, result, excepInfo, argErr);
}

}  // namespace corvane
