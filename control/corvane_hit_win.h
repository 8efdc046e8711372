// CCorvaneHit: the object ICorvaneEx3::HitTest hands out, describing one ChartHit. Read-only,
// not creatable, not aggregatable; IDispatch through ICorvaneHit's type information. It
// counts in the module's lock count while it lives, as every object of the module does.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include "control/chart_hit.h"
#include "control/corvane_ex_win.h"
#include "corvane_idl.h"

namespace corvane {

class CCorvaneHit final : public ICorvaneHit {
 public:
  // A new object holding `hit`, with one reference for *out; E_OUTOFMEMORY when none can be
  // made (*out is then null).
  static HRESULT Create(ComObjectHost& host, const ChartHit& hit, ICorvaneHit** out);

  CCorvaneHit(const CCorvaneHit&) = delete;
  CCorvaneHit& operator=(const CCorvaneHit&) = delete;

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;

  STDMETHODIMP GetTypeInfoCount(UINT* pctinfo) override;
  STDMETHODIMP GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  STDMETHODIMP GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                             DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags, DISPPARAMS* params,
                      VARIANT* result, EXCEPINFO* excepInfo, UINT* argErr) override;

  STDMETHODIMP get_Kind(CorvaneHitKind* pVal) override;
  STDMETHODIMP get_Plot(LONG* pVal) override;
  STDMETHODIMP get_Index(LONG* pVal) override;
  STDMETHODIMP get_X(DOUBLE* pVal) override;
  STDMETHODIMP get_Y(DOUBLE* pVal) override;
  STDMETHODIMP get_Distance(DOUBLE* pVal) override;

 private:
  CCorvaneHit(ComObjectHost& host, const ChartHit& hit);
  ~CCorvaneHit();

  ComObjectHost& host_;
  const ChartHit hit_;
  LONG refs_ = 1;
};

}  // namespace corvane
