// The members of ICorvaneEx2: VARIANT arrays read whole before a point is added, and the
// picture handed out as a PNG file, a picture object, into a device context or onto the
// clipboard. Everything that renders renders as SaveToFile does.
#include <vector>

#include "control/com_util_win.h"
#include "control/corvane_ex_win.h"
#include "control/dib_handoff_win.h"
#include "control/variant_numbers_win.h"

namespace corvane {

STDMETHODIMP CCorvaneEx::AddPointsToPlot(LONG plot, VARIANT xValues, VARIANT yValues) {
  return Guard([&]() -> HRESULT {
    std::vector<double> x, y;
    RETURN_IF_FAILED(ReadNumbers(xValues, &x));
    RETURN_IF_FAILED(ReadNumbers(yValues, &y));
    if (x.size() != y.size()) return E_INVALIDARG;
    return automation_.AddPointsToPlot(plot, x.data(), y.data(), y.size());
  });
}

STDMETHODIMP CCorvaneEx::AddPointsToPlot2(LONG plot, VARIANT yValues) {
  return Guard([&]() -> HRESULT {
    std::vector<double> y;
    RETURN_IF_FAILED(ReadNumbers(yValues, &y));
    return automation_.AddPointsToPlot2(plot, y.data(), y.size());
  });
}

STDMETHODIMP CCorvaneEx::get_PointCount(LONG plot, LONG* pVal) {
  if (!pVal) return E_POINTER;
  std::int32_t n = 0;
  const HRESULT hr = automation_.get_PointCount(plot, &n);
  *pVal = n;
  return hr;
}

STDMETHODIMP CCorvaneEx::SaveToPng(BSTR fileName) {
  return Guard([&]() -> HRESULT { return automation_.SaveToPng(Text(fileName), Length(fileName)); });
}

STDMETHODIMP CCorvaneEx::get_Picture(IPictureDisp** pVal) {
  if (!pVal) return E_POINTER;
  *pVal = nullptr;
  return Guard([&]() -> HRESULT {
    DibPicture picture;
    RETURN_IF_FAILED(automation_.get_Picture(&picture));
    return NewPictureDisp(picture, pVal);
  });
}

STDMETHODIMP CCorvaneEx::DrawTo(LONG hdc, LONG x, LONG y) {
  // Device context handles are 32-bit values even on Win64; sign-extend as for hWnd.
  HDC dc = reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc));
  if (!IsDeviceContext(dc)) return E_INVALIDARG;
  return Guard([&]() -> HRESULT {
    DibPicture picture;
    RETURN_IF_FAILED(automation_.get_Picture(&picture));
    return DrawDib(dc, x, y, picture);
  });
}

STDMETHODIMP CCorvaneEx::CopyToClipboard() {
  return Guard([&]() -> HRESULT {
    DibPicture picture;
    RETURN_IF_FAILED(automation_.get_Picture(&picture));
    return CopyDibToClipboard(picture);
  });
}

}  // namespace corvane
