#include "tests/win/ex2_support.h"

namespace corvane::wintest {

ICorvaneEx2* CreateChart2(ServerModule& module) {
  ComPtr<ICorvaneEx> first(module.CreateObject());
  ICorvaneEx2* chart = nullptr;
  if (!first || FAILED(first->QueryInterface(IID_ICorvaneEx2, reinterpret_cast<void**>(&chart))))
    return nullptr;
  return chart;
}

Pixels SavedPixels(ICorvaneEx2* chart, const std::wstring& dir) {
  Pixels pixels;
  const std::wstring path = dir + L"\\saved.bmp";
  Bstr name(path.c_str());
  if (SUCCEEDED(chart->SaveToFile(name.get()))) ReadBmp(path, &pixels);
  DeleteFileW(path.c_str());
  return pixels;
}

void MakeArray(VARTYPE vt, LONG lb, const std::vector<double>& values, VARIANT* v) {
  VariantClear(v);
  SAFEARRAYBOUND bound{static_cast<ULONG>(values.size()), lb};
  SAFEARRAY* array = SafeArrayCreate(vt, 1, &bound);
  for (std::size_t i = 0; i < values.size(); ++i) {
    LONG at = lb + static_cast<LONG>(i);
    VARIANT e;
    VariantInit(&e);
    V_VT(&e) = VT_R8;
    V_R8(&e) = values[i];
    if (vt == VT_VARIANT) {
      SafeArrayPutElement(array, &at, &e);
    } else {
      VariantChangeType(&e, &e, 0, vt);
      SafeArrayPutElement(array, &at, vt == VT_DECIMAL ? static_cast<void*>(&V_DECIMAL(&e))
                                                       : static_cast<void*>(&V_UI1(&e)));
    }
  }
  V_VT(v) = VT_ARRAY | vt;
  V_ARRAY(v) = array;
}

}  // namespace corvane::wintest
