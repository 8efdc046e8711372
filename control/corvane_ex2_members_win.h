// The members of ICorvaneEx2: VARIANT arrays read whole before a point is added, and the
// picture handed out as a PNG file, a picture object, into a device context or onto the
// clipboard. Everything that renders renders as SaveToFile does. Included only through
// chart_object_members_win.h.
#pragma once
#include <vector>

#include "control/chart_object_win.h"
#include "control/com_util_win.h"
#include "control/dib_handoff_win.h"
#include "control/variant_numbers_win.h"

namespace corvane {

template <class I>
STDMETHODIMP ChartObject<I>::AddPointsToPlot(LONG plot, VARIANT xValues, VARIANT yValues) {
  return Guard([&]() -> HRESULT {
    std::vector<double> x, y;
    RETURN_IF_FAILED(ReadNumbers(xValues, &x));
    RETURN_IF_FAILED(ReadNumbers(yValues, &y));
    if (x.size() != y.size()) return E_INVALIDARG;
    const HRESULT hr = automation_.AddPointsToPlot(plot, x.data(), y.data(), y.size());
    Changed();
    return hr;
  });
}

template <class I>
STDMETHODIMP ChartObject<I>::AddPointsToPlot2(LONG plot, VARIANT yValues) {
  return Guard([&]() -> HRESULT {
    std::vector<double> y;
    RETURN_IF_FAILED(ReadNumbers(yValues, &y));
    const HRESULT hr = automation_.AddPointsToPlot2(plot, y.data(), y.size());
    Changed();
    return hr;
  });
}

template <class I>
STDMETHODIMP ChartObject<I>::get_PointCount(LONG plot, LONG* pVal) {
  if (!pVal) return E_POINTER;
  std::int32_t n = 0;
  const HRESULT hr = automation_.get_PointCount(plot, &n);
  *pVal = n;
  return hr;
}

template <class I>
STDMETHODIMP ChartObject<I>::SaveToPng(BSTR fileName) {
  return Guard([&]() -> HRESULT { return automation_.SaveToPng(Text(fileName), Length(fileName)); });
}

template <class I>
STDMETHODIMP ChartObject<I>::get_Picture(IPictureDisp** pVal) {
  if (!pVal) return E_POINTER;
  *pVal = nullptr;
  return Guard([&]() -> HRESULT {
    DibPicture picture;
    RETURN_IF_FAILED(automation_.get_Picture(&picture));
    return NewPictureDisp(picture, pVal);
  });
}

template <class I>
STDMETHODIMP ChartObject<I>::DrawTo(LONG hdc, LONG x, LONG y) {
  // Device context handles are 32-bit values even on Win64; sign-extend as for hWnd.
  HDC dc = reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc));
  if (!IsDeviceContext(dc)) return E_INVALIDARG;
  return Guard([&]() -> HRESULT {
    DibPicture picture;
    RETURN_IF_FAILED(automation_.get_Picture(&picture));
    return DrawDib(dc, x, y, picture);
  });
}

template <class I>
STDMETHODIMP ChartObject<I>::CopyToClipboard() {
  return Guard([&]() -> HRESULT {
    DibPicture picture;
    RETURN_IF_FAILED(automation_.get_Picture(&picture));
    return CopyDibToClipboard(picture);
  });
}

}  // namespace corvane
