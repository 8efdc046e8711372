// Corvane from C++ on Windows through IDispatch alone (late binding), as a script engine
// calls it: members are looked up by name and called with VARIANT arguments. No header of
// Corvane is needed, only the ProgID.
// Register the DLL once (regsvr32 Corvane.dll), then: cpp_dispatch.exe chart.png
#include <windows.h>

#include <cstdio>
#include <initializer_list>
#include <vector>

namespace {

VARIANT Long(LONG v) { VARIANT r; VariantInit(&r); V_VT(&r) = VT_I4; V_I4(&r) = v; return r; }
VARIANT Double(double v) { VARIANT r; VariantInit(&r); V_VT(&r) = VT_R8; V_R8(&r) = v; return r; }
VARIANT Bool(bool v) { VARIANT r; VariantInit(&r); V_VT(&r) = VT_BOOL; V_BOOL(&r) = v ? VARIANT_TRUE : VARIANT_FALSE; return r; }
VARIANT Text(const wchar_t* s) { VARIANT r; VariantInit(&r); V_VT(&r) = VT_BSTR; V_BSTR(&r) = SysAllocString(s); return r; }

// Calls member `name` with `args` (in the order a script writes them) as a method or, with
// put, as a property assignment; the arguments are freed. Returns the member's HRESULT.
HRESULT Call(IDispatch* object, const wchar_t* name, std::initializer_list<VARIANT> args,
             bool put = false, VARIANT* result = nullptr) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  // IDispatch takes the arguments last first.
  std::vector<VARIANT> reversed(args.begin(), args.end());
  for (size_t i = 0, j = reversed.size(); i + 1 < j; ++i, --j) std::swap(reversed[i], reversed[j - 1]);
  if (SUCCEEDED(hr)) {
    DISPID named = DISPID_PROPERTYPUT;  // a property put names its one argument so
    DISPPARAMS params = {reversed.data(), put ? &named : nullptr, static_cast<UINT>(reversed.size()),
                         put ? 1u : 0u};
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, put ? DISPATCH_PROPERTYPUT : DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                        &params, result, nullptr, nullptr);
  }
  for (VARIANT& v : reversed) VariantClear(&v);
  return hr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const wchar_t* path = argc > 1 ? argv[1] : L"chart.png";
  CoInitialize(nullptr);
  CLSID clsid;
  IDispatch* chart = nullptr;
  HRESULT hr = CLSIDFromProgID(L"Corvane.CorvaneEx", &clsid);
  if (SUCCEEDED(hr))
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&chart));
  if (FAILED(hr)) {
    std::fprintf(stderr, "Corvane.CorvaneEx cannot be created (0x%08lX): is it registered?\n", hr);
    return 1;
  }
  Call(chart, L"SetSize", {Long(400), Long(300)});
  Call(chart, L"caption", {Text(L"Hello, Corvane")}, true);
  Call(chart, L"plotsCount", {Long(2)}, true);
  for (int i = 1; i <= 20; ++i) {
    const double y = (i * 7) % 11 + i / 2.0;
    Call(chart, L"AddPointToPlot", {Long(1), Double(i), Double(y)});
    Call(chart, L"AddPointToPlot", {Long(2), Double(i), Double(y)});
  }
  Call(chart, L"SetSimplePlot", {Long(1)});
  Call(chart, L"SetPlotColor", {Long(1), Long(RGB(200, 0, 0))});
  Call(chart, L"SetPointVisible", {Long(1), Bool(true)});
  Call(chart, L"SetLinearApproximate", {Long(2)});
  Call(chart, L"SetPlotColor", {Long(2), Long(RGB(0, 0, 200))});
  Call(chart, L"SetPlotWidth", {Long(2), Long(2)});
  Call(chart, L"SetSegment", {Double(1), Double(20)});
  Call(chart, L"AddLabelToLegend", {Long(RGB(200, 0, 0)), Text(L"measured")});
  Call(chart, L"AddLabelToLegend", {Long(RGB(0, 0, 200)), Text(L"trend")});

  hr = Call(chart, L"SaveToPng", {Text(path)});  // a name of ICorvaneEx2, on the same IDispatch
  VARIANT count;
  VariantInit(&count);
  Call(chart, L"PointCount", {Long(1)}, false, &count);  // a property with an argument
  std::printf("%s %ls; %ld points in plot 1\n", SUCCEEDED(hr) ? "wrote" : "could not write", path,
              V_VT(&count) == VT_I4 ? V_I4(&count) : -1L);
  chart->Release();
  CoUninitialize();
  return SUCCEEDED(hr) ? 0 : 1;
}
