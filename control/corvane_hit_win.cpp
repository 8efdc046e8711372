#include "control/corvane_hit_win.h"

#include <new>

#include "control/com_util_win.h"

namespace corvane {
namespace {

template <class T>
HRESULT Put(T* out, T value) {
  if (!out) return E_POINTER;
  *out = value;
  return S_OK;
}

}  // namespace

CCorvaneHit::CCorvaneHit(ComObjectHost& host, const ChartHit& hit) : host_(host), hit_(hit) {
  host_.ObjectCreated();
}

CCorvaneHit::~CCorvaneHit() { host_.ObjectDestroyed(); }

HRESULT CCorvaneHit::Create(ComObjectHost& host, const ChartHit& hit, ICorvaneHit** out) {
  if (!out) return E_POINTER;
  *out = new (std::nothrow) CCorvaneHit(host, hit);
  return *out ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CCorvaneHit::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_ICorvaneHit)) {
    *ppv = static_cast<ICorvaneHit*>(this);
    AddRef();
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CCorvaneHit::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&refs_));
}

STDMETHODIMP_(ULONG) CCorvaneHit::Release() {
  const LONG left = InterlockedDecrement(&refs_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

STDMETHODIMP CCorvaneHit::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

STDMETHODIMP CCorvaneHit::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_POINTER;
  *ppTInfo = nullptr;
  if (iTInfo != 0) return DISP_E_BADINDEX;
  return host_.GetTypeInfo(IID_ICorvaneHit, lcid, ppTInfo);
}

STDMETHODIMP CCorvaneHit::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                        DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  ComRef<ITypeInfo> info;
  RETURN_IF_FAILED(host_.GetTypeInfo(IID_ICorvaneHit, lcid, info.out()));
  return info->GetIDsOfNames(names, count, ids);
}

STDMETHODIMP CCorvaneHit::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                 DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                 UINT* argErr) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ComRef<ITypeInfo> info;
  RETURN_IF_FAILED(host_.GetTypeInfo(IID_ICorvaneHit, lcid, info.out()));
  return info->Invoke(static_cast<ICorvaneHit*>(this), id, flags, params, result, excepInfo,
                      argErr);
}

STDMETHODIMP CCorvaneHit::get_Kind(CorvaneHitKind* pVal) {
  return Put(pVal, static_cast<CorvaneHitKind>(hit_.kind));
}
STDMETHODIMP CCorvaneHit::get_Plot(LONG* pVal) { return Put<LONG>(pVal, hit_.plot); }
STDMETHODIMP CCorvaneHit::get_Index(LONG* pVal) { return Put<LONG>(pVal, hit_.index); }
STDMETHODIMP CCorvaneHit::get_X(DOUBLE* pVal) { return Put<DOUBLE>(pVal, hit_.x); }
STDMETHODIMP CCorvaneHit::get_Y(DOUBLE* pVal) { return Put<DOUBLE>(pVal, hit_.y); }
STDMETHODIMP CCorvaneHit::get_Distance(DOUBLE* pVal) { return Put<DOUBLE>(pVal, hit_.distance); }

}  // namespace corvane
