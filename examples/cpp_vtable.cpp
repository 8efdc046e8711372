// Corvane from C++ on Windows through the interface's vtable. corvane_idl.h is the header
// widl (or midl) writes from server/corvane.idl: it declares ICorvaneEx, ICorvaneEx2 and
// the class and interface GUIDs (corvane_idl_i.c defines them).
// Register the DLL once (regsvr32 Corvane.dll), then: cpp_vtable.exe chart.png
#include <windows.h>

#include <cstdio>

#include "corvane_idl.h"

// A BSTR for the length of one call.
struct Text {
  explicit Text(const wchar_t* s) : bstr(SysAllocString(s)) {}
  ~Text() { SysFreeString(bstr); }
  BSTR bstr;
};

int wmain(int argc, wchar_t** argv) {
  const wchar_t* path = argc > 1 ? argv[1] : L"chart.png";
  CoInitialize(nullptr);  // the object lives in the calling thread's apartment

  ICorvaneEx2* chart = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_CorvaneEx, nullptr, CLSCTX_INPROC_SERVER, IID_ICorvaneEx2,
                                reinterpret_cast<void**>(&chart));
  if (FAILED(hr)) {
    std::fprintf(stderr, "Corvane.CorvaneEx cannot be created (0x%08lX): is it registered?\n", hr);
    return 1;
  }
  chart->SetSize(400, 300);
  chart->put_caption(Text(L"Hello, Corvane").bstr);  // property puts are put_<name>
  chart->put_plotsCount(2);
  for (int i = 1; i <= 20; ++i) {
    const double y = (i * 7) % 11 + i / 2.0;
    chart->AddPointToPlot(1, i, y);
    chart->AddPointToPlot(2, i, y);
  }
  chart->SetSimplePlot(1);
  chart->SetPlotColor(1, RGB(200, 0, 0));
  chart->SetPointVisible(1, VARIANT_TRUE);
  chart->SetLinearApproximate(2);
  chart->SetPlotColor(2, RGB(0, 0, 200));
  chart->SetPlotWidth(2, 2);
  chart->SetSegment(1, 20);
  chart->AddLabelToLegend(RGB(200, 0, 0), Text(L"measured").bstr);
  chart->AddLabelToLegend(RGB(0, 0, 200), Text(L"trend").bstr);

  hr = chart->SaveToPng(Text(path).bstr);  // the members of ICorvaneEx2 report failures
  double slope = 0;
  chart->GetA(2, &slope);                  // [out, retval] parameters are plain pointers here
  std::printf("%s %ls; trend slope %g\n", SUCCEEDED(hr) ? "wrote" : "could not write", path, slope);
  chart->Release();
  CoUninitialize();
  return SUCCEEDED(hr) ? 0 : 1;
}
