// The members of ICorvaneEx on ChartObject: each converts its arguments and forwards to the
// automation layer. Included only through chart_object_members_win.h.
#pragma once
#include <cstdint>
#include <string>

#include "control/chart_object_win.h"
#include "control/com_util_win.h"

namespace corvane {
namespace chart_members {

inline HRESULT ToBstr(const std::u16string& s, BSTR* out) {
  if (s.size() > 0x7FFFFFFFu) return E_OUTOFMEMORY;
  // Exactly the converted length; data() is never null, so "" gives an empty non-null BSTR.
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(s.data()),
                           static_cast<UINT>(s.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

template <class Out, class In>
HRESULT Get(CorvaneAutomation& a, HResult (CorvaneAutomation::*getter)(In*), Out* out) {
  if (!out) return E_POINTER;
  return Guard([&]() -> HRESULT {
    In v{};
    const HRESULT hr = (a.*getter)(&v);
    *out = static_cast<Out>(v);
    return hr;
  });
}

template <class Out, class In>
HRESULT GetAt(CorvaneAutomation& a, HResult (CorvaneAutomation::*getter)(std::int32_t, In*),
              LONG index, Out* out) {
  if (!out) return E_POINTER;
  return Guard([&]() -> HRESULT {
    In v{};
    const HRESULT hr = (a.*getter)(index, &v);
    *out = static_cast<Out>(v);
    return hr;
  });
}

inline HRESULT GetText(CorvaneAutomation& a, HResult (CorvaneAutomation::*getter)(std::u16string*),
                BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guard([&]() -> HRESULT {
    std::u16string s;
    RETURN_IF_FAILED((a.*getter)(&s));
    return ToBstr(s, out);
  });
}

}  // namespace chart_members

// FORWARD runs a member that leaves the picture as it is; CHANGE one that may change it.
#define FORWARD(call) return Guard([&]() -> HRESULT { return automation_.call; })
#define CHANGE(call)                                                         \
  do {                                                                       \
    const HRESULT hr_ = Guard([&]() -> HRESULT { return automation_.call; }); \
    Changed();                                                               \
    return hr_;                                                              \
  } while (0)

// ---- ICorvaneEx ---------------------------------------------------------------------------

template <class I>
STDMETHODIMP ChartObject<I>::SaveToFile(BSTR FileName) {
  FORWARD(SaveToFile(Text(FileName), Length(FileName)));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_hWnd(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_hWnd, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_hWnd(LONG newVal) { FORWARD(put_hWnd(newVal)); }
template <class I>
STDMETHODIMP ChartObject<I>::SetSize(LONG Width, LONG Height) { CHANGE(SetSize(Width, Height)); }
template <class I>
STDMETHODIMP ChartObject<I>::get_Width(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_Width, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::get_Height(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_Height, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::Show() {
  const HRESULT hr = Guard([&]() -> HRESULT { return automation_.Show(); });
  Shown();
  return hr;
}
template <class I>
STDMETHODIMP ChartObject<I>::Dispose() { CHANGE(Dispose()); }
template <class I>
STDMETHODIMP ChartObject<I>::ScrollLeft() { CHANGE(ScrollLeft()); }
template <class I>
STDMETHODIMP ChartObject<I>::ScrollRight() { CHANGE(ScrollRight()); }
template <class I>
STDMETHODIMP ChartObject<I>::get_caption(BSTR* pVal) {
  return chart_members::GetText(automation_, &CorvaneAutomation::get_caption, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_caption(BSTR newVal) {
  CHANGE(put_caption(Text(newVal), Length(newVal)));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetSegment(DOUBLE A, DOUBLE B) {
  const HRESULT hr = Guard([&]() -> HRESULT { return automation_.SetSegment(A, B); });
  if (SUCCEEDED(hr)) SegmentSet(A, B);
  Changed();
  return hr;
}
template <class I>
STDMETHODIMP ChartObject<I>::get_captionVisible(VARIANT_BOOL* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_captionVisible, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_captionVisible(VARIANT_BOOL newVal) {
  CHANGE(put_captionVisible(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_arrowR(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_arrowR, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_arrowR(LONG newVal) { CHANGE(put_arrowR(newVal)); }
template <class I>
STDMETHODIMP ChartObject<I>::get_arrowH(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_arrowH, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_arrowH(LONG newVal) { CHANGE(put_arrowH(newVal)); }
template <class I>
STDMETHODIMP ChartObject<I>::get_arrowLineWidth(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_arrowLineWidth, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_arrowLineWidth(LONG newVal) { CHANGE(put_arrowLineWidth(newVal)); }
template <class I>
STDMETHODIMP ChartObject<I>::get_arrowVisible(VARIANT_BOOL* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_arrowVisible, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_arrowVisible(VARIANT_BOOL newVal) {
  CHANGE(put_arrowVisible(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_arrowCaptionX(BSTR* pVal) {
  return chart_members::GetText(automation_, &CorvaneAutomation::get_arrowCaptionX, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_arrowCaptionX(BSTR newVal) {
  CHANGE(put_arrowCaptionX(Text(newVal), Length(newVal)));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_arrowCaptionY(BSTR* pVal) {
  return chart_members::GetText(automation_, &CorvaneAutomation::get_arrowCaptionY, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_arrowCaptionY(BSTR newVal) {
  CHANGE(put_arrowCaptionY(Text(newVal), Length(newVal)));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPlotVisible(LONG index, VARIANT_BOOL Visible) {
  CHANGE(SetPlotVisible(index, Visible));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetPlotVisible(LONG index, VARIANT_BOOL* Visible) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetPlotVisible, index, Visible);
}
template <class I>
STDMETHODIMP ChartObject<I>::SetSimplePlot(LONG index) { CHANGE(SetSimplePlot(index)); }
template <class I>
STDMETHODIMP ChartObject<I>::SetLinearApproximate(LONG index) {
  CHANGE(SetLinearApproximate(index));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetSquareApproximate(LONG index) {
  CHANGE(SetSquareApproximate(index));
}
template <class I>
STDMETHODIMP ChartObject<I>::AddPointToPlot(LONG index, DOUBLE X, DOUBLE Y) {
  CHANGE(AddPointToPlot(index, X, Y));
}
template <class I>
STDMETHODIMP ChartObject<I>::DisposePlot(LONG index) { CHANGE(DisposePlot(index)); }
template <class I>
STDMETHODIMP ChartObject<I>::SetPlotColor(LONG index, OLE_COLOR color) {
  CHANGE(SetPlotColor(index, color));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetPlotColor(LONG index, OLE_COLOR* color) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetPlotColor, index, color);
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPointVisible(LONG index, VARIANT_BOOL Visible) {
  CHANGE(SetPointVisible(index, Visible));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetPointVisible(LONG index, VARIANT_BOOL* Visible) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetPointVisible, index, Visible);
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPlotWidth(LONG index, LONG Width) {
  CHANGE(SetPlotWidth(index, Width));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetPlotWidth(LONG index, LONG* Width) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetPlotWidth, index, Width);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddPointToPlot2(LONG index, DOUBLE Y) {
  CHANGE(AddPointToPlot2(index, Y));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPointColor(LONG index, OLE_COLOR color) {
  CHANGE(SetPointColor(index, color));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetPointColor(LONG index, OLE_COLOR* color) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetPointColor, index, color);
}
template <class I>
STDMETHODIMP ChartObject<I>::get_plotsCount(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_plotsCount, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_plotsCount(LONG newVal) { CHANGE(put_plotsCount(newVal)); }
template <class I>
STDMETHODIMP ChartObject<I>::GetA(LONG index, DOUBLE* val) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetA, index, val);
}
template <class I>
STDMETHODIMP ChartObject<I>::GetB(LONG index, DOUBLE* pVal) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetB, index, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::GetC(LONG index, DOUBLE* pVal) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetC, index, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddLabelToGrid(BSTR Label) {
  CHANGE(AddLabelToGrid(Text(Label), Length(Label)));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetDefaultGrid() { CHANGE(SetDefaultGrid()); }
template <class I>
STDMETHODIMP ChartObject<I>::SetUserTypeGrid() { CHANGE(SetUserTypeGrid()); }
template <class I>
STDMETHODIMP ChartObject<I>::get_isDefaultGrid(VARIANT_BOOL* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_isDefaultGrid, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::get_isUserTypeGrid(VARIANT_BOOL* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_isUserTypeGrid, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::get_gridVisible(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_gridVisible, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_gridVisible(LONG newVal) { CHANGE(put_gridVisible(newVal)); }
template <class I>
STDMETHODIMP ChartObject<I>::get_gridVerticalLines(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_gridVerticalLines, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_gridVerticalLines(LONG newVal) {
  CHANGE(put_gridVerticalLines(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_gridHorizontalLines(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_gridHorizontalLines, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_gridHorizontalLines(LONG newVal) {
  CHANGE(put_gridHorizontalLines(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_gridDigitsAfterPoint(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_gridDigitsAfterPoint, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_gridDigitsAfterPoint(LONG newVal) {
  CHANGE(put_gridDigitsAfterPoint(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_polygonsCount(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_polygonsCount, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_polygonsCount(LONG n) { CHANGE(put_polygonsCount(n)); }
template <class I>
STDMETHODIMP ChartObject<I>::AddPointToPolygon(LONG index, DOUBLE X, DOUBLE Y) {
  CHANGE(AddPointToPolygon(index, X, Y));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPolygonProperties(LONG index, OLE_COLOR color, DOUBLE Transparency) {
  CHANGE(SetPolygonProperties(index, color, Transparency));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPolygonProperties2(LONG index, OLE_COLOR color, DOUBLE Transparency,
                                               LONG borderWidth, LONG borderStyle,
                                               OLE_COLOR borderColor) {
  CHANGE(SetPolygonProperties2(index, color, Transparency, borderWidth, borderStyle,
                                borderColor));
}
template <class I>
STDMETHODIMP ChartObject<I>::SetPolygonVisible(LONG index, VARIANT_BOOL Visible) {
  CHANGE(SetPolygonVisible(index, Visible));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetPolygonVisible(LONG index, VARIANT_BOOL* Visible) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetPolygonVisible, index, Visible);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddMark(DOUBLE X, DOUBLE Y) { CHANGE(AddMark(X, Y)); }
template <class I>
STDMETHODIMP ChartObject<I>::AddMark2(DOUBLE X, DOUBLE Y, BSTR Label) {
  CHANGE(AddMark2(X, Y, Text(Label), Length(Label)));
}
template <class I>
STDMETHODIMP ChartObject<I>::RemoveAllMarks() { CHANGE(RemoveAllMarks()); }
template <class I>
STDMETHODIMP ChartObject<I>::SetMarkVisible(LONG index, VARIANT_BOOL Visible) {
  CHANGE(SetMarkVisible(index, Visible));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetMarkVisible(LONG index, VARIANT_BOOL* Visible) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetMarkVisible, index, Visible);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddRectangle(DOUBLE L, DOUBLE T, DOUBLE R, DOUBLE B, OLE_COLOR bkColor,
                                      DOUBLE Transparency) {
  CHANGE(AddRectangle(L, T, R, B, bkColor, Transparency));
}
template <class I>
STDMETHODIMP ChartObject<I>::AddRectangle2(DOUBLE L, DOUBLE T, DOUBLE R, DOUBLE B, OLE_COLOR bkColor,
                                       DOUBLE Transparency, LONG borderWidth, LONG borderStyle,
                                       OLE_COLOR borderColor) {
  CHANGE(AddRectangle2(L, T, R, B, bkColor, Transparency, borderWidth, borderStyle,
                        borderColor));
}
template <class I>
STDMETHODIMP ChartObject<I>::RemoveAllRectangles() { CHANGE(RemoveAllRectangles()); }
template <class I>
STDMETHODIMP ChartObject<I>::SetRectVisible(LONG index, VARIANT_BOOL Visible) {
  CHANGE(SetRectVisible(index, Visible));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetRectVisible(LONG index, VARIANT_BOOL* Visible) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetRectVisible, index, Visible);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddLine(DOUBLE x1, DOUBLE y1, DOUBLE x2, DOUBLE y2, LONG Width,
                                 LONG style, OLE_COLOR color) {
  CHANGE(AddLine(x1, y1, x2, y2, Width, style, color));
}
template <class I>
STDMETHODIMP ChartObject<I>::RemoveAllLines() { CHANGE(RemoveAllLines()); }
template <class I>
STDMETHODIMP ChartObject<I>::SetLineVisible(LONG index, VARIANT_BOOL Visible) {
  CHANGE(SetLineVisible(index, Visible));
}
template <class I>
STDMETHODIMP ChartObject<I>::GetLineVisible(LONG index, VARIANT_BOOL* Visible) {
  return chart_members::GetAt(automation_, &CorvaneAutomation::GetLineVisible, index, Visible);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddCandleStick(DOUBLE X, DOUBLE Open, DOUBLE Close, DOUBLE High,
                                        DOUBLE Low) {
  CHANGE(AddCandleStick(X, Open, Close, High, Low));
}
template <class I>
STDMETHODIMP ChartObject<I>::RemoveAllCandleSticks() { CHANGE(RemoveAllCandleSticks()); }
template <class I>
STDMETHODIMP ChartObject<I>::get_candlesticsVisible(VARIANT_BOOL* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_candlesticsVisible, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_candlesticsVisible(VARIANT_BOOL newVal) {
  CHANGE(put_candlesticsVisible(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_preset(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_preset, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_preset(LONG p) {
  PresetSet();
  CHANGE(put_preset(p));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_presetName(BSTR* pVal) {
  return chart_members::GetText(automation_, &CorvaneAutomation::get_presetName, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::get_presetCount(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_presetCount, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::AddLabelToLegend(OLE_COLOR color, BSTR Label) {
  CHANGE(AddLabelToLegend(color, Text(Label), Length(Label)));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_legendVisible(VARIANT_BOOL* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_legendVisible, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_legendVisible(VARIANT_BOOL newVal) {
  CHANGE(put_legendVisible(newVal));
}
template <class I>
STDMETHODIMP ChartObject<I>::get_legendPosition(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_legendPosition, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_legendPosition(LONG newVal) { CHANGE(put_legendPosition(newVal)); }

#undef CHANGE
#undef FORWARD

}  // namespace corvane
