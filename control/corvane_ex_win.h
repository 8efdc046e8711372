// CCorvaneEx: the COM object behind ICorvaneEx, ICorvaneEx2 and ICorvaneEx3 (one vtable: each
// interface's begins with its base's). Every member comes from ChartObject; this class only
// says which interfaces it answers and that GetTypeInfo describes ICorvaneEx.
#pragma once
#include "control/chart_object_win.h"

namespace corvane {

class CCorvaneEx final : public ChartObject<ICorvaneEx3> {
 public:
  // Creates an object and asks it for riid. With an outer object only IID_IUnknown may be
  // requested (CLASS_E_NOAGGREGATION otherwise); *ppv then receives the inner unknown.
  static HRESULT Create(ComObjectHost& host, IUnknown* outer, REFIID riid, void** ppv);

 private:
  CCorvaneEx(ComObjectHost& host, IUnknown* outer);
  ~CCorvaneEx() override = default;
  void* FindInterface(REFIID riid) override;
};

}  // namespace corvane
