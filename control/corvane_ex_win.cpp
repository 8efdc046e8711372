#include "control/corvane_ex_win.h"

#include <cstdint>
#include <new>
#include <string>

#include "control/com_util_win.h"

namespace corvane {
namespace {

HRESULT ToBstr(const std::u16string& s, BSTR* out) {
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

HRESULT GetText(CorvaneAutomation& a, HResult (CorvaneAutomation::*getter)(std::u16string*),
                BSTR* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return Guard([&]() -> HRESULT {
    std::u16string s;
    RETURN_IF_FAILED((a.*getter)(&s));
    return ToBstr(s, out);
  });
}

}  // namespace

// ---- lifetime ---------------------------------------------------------------------------

CCorvaneEx::CCorvaneEx(ComObjectHost& host, IUnknown* outer)
    : lock_(host), inner_(this), controlling_(outer ? outer : &inner_), automation_(graphics_) {}

HRESULT CCorvaneEx::Create(ComObjectHost& host, IUnknown* outer, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  if (outer && !IsEqualIID(riid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  CCorvaneEx* obj = nullptr;
  try {
    obj = new CCorvaneEx(host, outer);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
  // Hold one reference across the query so a refused interface destroys the object.
  obj->inner_.AddRef();
  const HRESULT hr = obj->inner_.QueryInterface(riid, ppv);
  obj->inner_.Release();
  return hr;
}

STDMETHODIMP CCorvaneEx::InnerUnknown::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  const bool aggregated = self_->controlling_ != this;
  if (IsEqualIID(riid, IID_IUnknown) && aggregated) {
    // Only the outer object asks the inner unknown for itself.
    *ppv = static_cast<IUnknown*>(this);
  } else if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
             IsEqualIID(riid, IID_ICorvaneEx) || IsEqualIID(riid, IID_ICorvaneEx2) ||
             IsEqualIID(riid, IID_ICorvaneEx3)) {
    // Standing alone the object has one pointer for all five interfaces: each interface's
    // vtable begins with its base's.
    *ppv = static_cast<ICorvaneEx3*>(self_);
  } else {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  static_cast<IUnknown*>(*ppv)->AddRef();
  return S_OK;
}

STDMETHODIMP_(ULONG) CCorvaneEx::InnerUnknown::AddRef() {
  return static_cast<ULONG>(InterlockedIncrement(&self_->refs_));
}

STDMETHODIMP_(ULONG) CCorvaneEx::InnerUnknown::Release() {
  const LONG left = InterlockedDecrement(&self_->refs_);
  if (left == 0) delete self_;
  return static_cast<ULONG>(left);
}

STDMETHODIMP CCorvaneEx::QueryInterface(REFIID riid, void** ppv) {
  return controlling_->QueryInterface(riid, ppv);
}
STDMETHODIMP_(ULONG) CCorvaneEx::AddRef() { return controlling_->AddRef(); }
STDMETHODIMP_(ULONG) CCorvaneEx::Release() { return controlling_->Release(); }

// ---- IDispatch ----------------------------------------------------------------------------

STDMETHODIMP CCorvaneEx::GetTypeInfoCount(UINT* pctinfo) {
  if (!pctinfo) return E_POINTER;
  *pctinfo = 1;
  return S_OK;
}

STDMETHODIMP CCorvaneEx::GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) {
  if (!ppTInfo) return E_POINTER;
  *ppTInfo = nullptr;
  if (iTInfo != 0) return DISP_E_BADINDEX;
  return lock_.host().GetTypeInfo(IID_ICorvaneEx, lcid, ppTInfo);
}

STDMETHODIMP CCorvaneEx::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT count, LCID lcid,
                                       DISPID* ids) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  if (count == 0) return S_OK;
  if (!names || !ids) return E_POINTER;
  ComRef<ITypeInfo> info;
  RETURN_IF_FAILED(lock_.host().GetTypeInfo(IID_ICorvaneEx, lcid, info.out()));
  // Named arguments need the type information to resolve them against the member.
  if (count == 1 && names[0] && lock_.host().FindDispId(names[0], &ids[0])) return S_OK;
  const HRESULT hr = info->GetIDsOfNames(names, count, ids);
  if (hr != DISP_E_UNKNOWNNAME) return hr;
  // Not a name of ICorvaneEx: perhaps one of a later interface's own members. Each one's
  // type information lists its bases' members too, so the last one loaded answers them all.
  HRESULT last = hr;
  for (REFIID later : {IID_ICorvaneEx2, IID_ICorvaneEx3}) {
    ComRef<ITypeInfo> more;
    if (FAILED(lock_.host().GetTypeInfo(later, lcid, more.out()))) return last;
    last = more->GetIDsOfNames(names, count, ids);
    if (last != DISP_E_UNKNOWNNAME) return last;
  }
  return last;
}

STDMETHODIMP CCorvaneEx::Invoke(DISPID id, REFIID riid, LCID lcid, WORD flags,
                                DISPPARAMS* params, VARIANT* result, EXCEPINFO* excepInfo,
                                UINT* argErr) {
  if (!IsEqualIID(riid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
  ComRef<ITypeInfo> info;
  RETURN_IF_FAILED(lock_.host().GetTypeInfo(IID_ICorvaneEx, lcid, info.out()));
  // ICorvaneEx's members keep their old road; ICorvaneEx2 numbers its own from 0x200,
  // ICorvaneEx3 from 0x300.
  if (id >= kFirstEx3DispId) {
    ComRef<ITypeInfo> info3;
    RETURN_IF_FAILED(lock_.host().GetTypeInfo(IID_ICorvaneEx3, lcid, info3.out()));
    return info3->Invoke(static_cast<ICorvaneEx3*>(this), id, flags, params, result, excepInfo,
                         argErr);
  }
  if (id >= kFirstEx2DispId) {
    ComRef<ITypeInfo> info2;
    RETURN_IF_FAILED(lock_.host().GetTypeInfo(IID_ICorvaneEx2, lcid, info2.out()));
    return info2->Invoke(static_cast<ICorvaneEx2*>(this), id, flags, params, result, excepInfo,
                         argErr);
  }
  return info->Invoke(static_cast<ICorvaneEx*>(this), id, flags, params, result, excepInfo,
                      argErr);
}

// ---- ICorvaneEx ---------------------------------------------------------------------------

#define FORWARD(call) return Guard([&]() -> HRESULT { return automation_.call; })

STDMETHODIMP CCorvaneEx::SaveToFile(BSTR FileName) {
  FORWARD(SaveToFile(Text(FileName), Length(FileName)));
}
STDMETHODIMP CCorvaneEx::get_hWnd(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_hWnd, pVal);
}
STDMETHODIMP CCorvaneEx::put_hWnd(LONG newVal) { FORWARD(put_hWnd(newVal)); }
STDMETHODIMP CCorvaneEx::SetSize(LONG Width, LONG Height) { FORWARD(SetSize(Width, Height)); }
STDMETHODIMP CCorvaneEx::get_Width(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_Width, pVal);
}
STDMETHODIMP CCorvaneEx::get_Height(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_Height, pVal);
}
STDMETHODIMP CCorvaneEx::Show() { FORWARD(Show()); }
STDMETHODIMP CCorvaneEx::Dispose() { FORWARD(Dispose()); }
STDMETHODIMP CCorvaneEx::ScrollLeft() { FORWARD(ScrollLeft()); }
STDMETHODIMP CCorvaneEx::ScrollRight() { FORWARD(ScrollRight()); }
STDMETHODIMP CCorvaneEx::get_caption(BSTR* pVal) {
  return GetText(automation_, &CorvaneAutomation::get_caption, pVal);
}
STDMETHODIMP CCorvaneEx::put_caption(BSTR newVal) {
  FORWARD(put_caption(Text(newVal), Length(newVal)));
}
STDMETHODIMP CCorvaneEx::SetSegment(DOUBLE A, DOUBLE B) { FORWARD(SetSegment(A, B)); }
STDMETHODIMP CCorvaneEx::get_captionVisible(VARIANT_BOOL* pVal) {
  return Get(automation_, &CorvaneAutomation::get_captionVisible, pVal);
}
STDMETHODIMP CCorvaneEx::put_captionVisible(VARIANT_BOOL newVal) {
  FORWARD(put_captionVisible(newVal));
}
STDMETHODIMP CCorvaneEx::get_arrowR(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_arrowR, pVal);
}
STDMETHODIMP CCorvaneEx::put_arrowR(LONG newVal) { FORWARD(put_arrowR(newVal)); }
STDMETHODIMP CCorvaneEx::get_arrowH(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_arrowH, pVal);
}
STDMETHODIMP CCorvaneEx::put_arrowH(LONG newVal) { FORWARD(put_arrowH(newVal)); }
STDMETHODIMP CCorvaneEx::get_arrowLineWidth(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_arrowLineWidth, pVal);
}
STDMETHODIMP CCorvaneEx::put_arrowLineWidth(LONG newVal) { FORWARD(put_arrowLineWidth(newVal)); }
STDMETHODIMP CCorvaneEx::get_arrowVisible(VARIANT_BOOL* pVal) {
  return Get(automation_, &CorvaneAutomation::get_arrowVisible, pVal);
}
STDMETHODIMP CCorvaneEx::put_arrowVisible(VARIANT_BOOL newVal) {
  FORWARD(put_arrowVisible(newVal));
}
STDMETHODIMP CCorvaneEx::get_arrowCaptionX(BSTR* pVal) {
  return GetText(automation_, &CorvaneAutomation::get_arrowCaptionX, pVal);
}
STDMETHODIMP CCorvaneEx::put_arrowCaptionX(BSTR newVal) {
  FORWARD(put_arrowCaptionX(Text(newVal), Length(newVal)));
}
STDMETHODIMP CCorvaneEx::get_arrowCaptionY(BSTR* pVal) {
  return GetText(automation_, &CorvaneAutomation::get_arrowCaptionY, pVal);
}
STDMETHODIMP CCorvaneEx::put_arrowCaptionY(BSTR newVal) {
  FORWARD(put_arrowCaptionY(Text(newVal), Length(newVal)));
}
STDMETHODIMP CCorvaneEx::SetPlotVisible(LONG index, VARIANT_BOOL Visible) {
  FORWARD(SetPlotVisible(index, Visible));
}
STDMETHODIMP CCorvaneEx::GetPlotVisible(LONG index, VARIANT_BOOL* Visible) {
  return GetAt(automation_, &CorvaneAutomation::GetPlotVisible, index, Visible);
}
STDMETHODIMP CCorvaneEx::SetSimplePlot(LONG index) { FORWARD(SetSimplePlot(index)); }
STDMETHODIMP CCorvaneEx::SetLinearApproximate(LONG index) {
  FORWARD(SetLinearApproximate(index));
}
STDMETHODIMP CCorvaneEx::SetSquareApproximate(LONG index) {
  FORWARD(SetSquareApproximate(index));
}
STDMETHODIMP CCorvaneEx::AddPointToPlot(LONG index, DOUBLE X, DOUBLE Y) {
  FORWARD(AddPointToPlot(index, X, Y));
}
STDMETHODIMP CCorvaneEx::DisposePlot(LONG index) { FORWARD(DisposePlot(index)); }
STDMETHODIMP CCorvaneEx::SetPlotColor(LONG index, OLE_COLOR color) {
  FORWARD(SetPlotColor(index, color));
}
STDMETHODIMP CCorvaneEx::GetPlotColor(LONG index, OLE_COLOR* color) {
  return GetAt(automation_, &CorvaneAutomation::GetPlotColor, index, color);
}
STDMETHODIMP CCorvaneEx::SetPointVisible(LONG index, VARIANT_BOOL Visible) {
  FORWARD(SetPointVisible(index, Visible));
}
STDMETHODIMP CCorvaneEx::GetPointVisible(LONG index, VARIANT_BOOL* Visible) {
  return GetAt(automation_, &CorvaneAutomation::GetPointVisible, index, Visible);
}
STDMETHODIMP CCorvaneEx::SetPlotWidth(LONG index, LONG Width) {
  FORWARD(SetPlotWidth(index, Width));
}
STDMETHODIMP CCorvaneEx::GetPlotWidth(LONG index, LONG* Width) {
  return GetAt(automation_, &CorvaneAutomation::GetPlotWidth, index, Width);
}
STDMETHODIMP CCorvaneEx::AddPointToPlot2(LONG index, DOUBLE Y) {
  FORWARD(AddPointToPlot2(index, Y));
}
STDMETHODIMP CCorvaneEx::SetPointColor(LONG index, OLE_COLOR color) {
  FORWARD(SetPointColor(index, color));
}
STDMETHODIMP CCorvaneEx::GetPointColor(LONG index, OLE_COLOR* color) {
  return GetAt(automation_, &CorvaneAutomation::GetPointColor, index, color);
}
STDMETHODIMP CCorvaneEx::get_plotsCount(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_plotsCount, pVal);
}
STDMETHODIMP CCorvaneEx::put_plotsCount(LONG newVal) { FORWARD(put_plotsCount(newVal)); }
STDMETHODIMP CCorvaneEx::GetA(LONG index, DOUBLE* val) {
  return GetAt(automation_, &CorvaneAutomation::GetA, index, val);
}
STDMETHODIMP CCorvaneEx::GetB(LONG index, DOUBLE* pVal) {
  return GetAt(automation_, &CorvaneAutomation::GetB, index, pVal);
}
STDMETHODIMP CCorvaneEx::GetC(LONG index, DOUBLE* pVal) {
  return GetAt(automation_, &CorvaneAutomation::GetC, index, pVal);
}
STDMETHODIMP CCorvaneEx::AddLabelToGrid(BSTR Label) {
  FORWARD(AddLabelToGrid(Text(Label), Length(Label)));
}
STDMETHODIMP CCorvaneEx::SetDefaultGrid() { FORWARD(SetDefaultGrid()); }
STDMETHODIMP CCorvaneEx::SetUserTypeGrid() { FORWARD(SetUserTypeGrid()); }
STDMETHODIMP CCorvaneEx::get_isDefaultGrid(VARIANT_BOOL* pVal) {
  return Get(automation_, &CorvaneAutomation::get_isDefaultGrid, pVal);
}
STDMETHODIMP CCorvaneEx::get_isUserTypeGrid(VARIANT_BOOL* pVal) {
  return Get(automation_, &CorvaneAutomation::get_isUserTypeGrid, pVal);
}
STDMETHODIMP CCorvaneEx::get_gridVisible(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_gridVisible, pVal);
}
STDMETHODIMP CCorvaneEx::put_gridVisible(LONG newVal) { FORWARD(put_gridVisible(newVal)); }
STDMETHODIMP CCorvaneEx::get_gridVerticalLines(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_gridVerticalLines, pVal);
}
STDMETHODIMP CCorvaneEx::put_gridVerticalLines(LONG newVal) {
  FORWARD(put_gridVerticalLines(newVal));
}
STDMETHODIMP CCorvaneEx::get_gridHorizontalLines(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_gridHorizontalLines, pVal);
}
STDMETHODIMP CCorvaneEx::put_gridHorizontalLines(LONG newVal) {
  FORWARD(put_gridHorizontalLines(newVal));
}
STDMETHODIMP CCorvaneEx::get_gridDigitsAfterPoint(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_gridDigitsAfterPoint, pVal);
}
STDMETHODIMP CCorvaneEx::put_gridDigitsAfterPoint(LONG newVal) {
  FORWARD(put_gridDigitsAfterPoint(newVal));
}
STDMETHODIMP CCorvaneEx::get_polygonsCount(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_polygonsCount, pVal);
}
STDMETHODIMP CCorvaneEx::put_polygonsCount(LONG n) { FORWARD(put_polygonsCount(n)); }
STDMETHODIMP CCorvaneEx::AddPointToPolygon(LONG index, DOUBLE X, DOUBLE Y) {
  FORWARD(AddPointToPolygon(index, X, Y));
}
STDMETHODIMP CCorvaneEx::SetPolygonProperties(LONG index, OLE_COLOR color, DOUBLE Transparency) {
  FORWARD(SetPolygonProperties(index, color, Transparency));
}
STDMETHODIMP CCorvaneEx::SetPolygonProperties2(LONG index, OLE_COLOR color, DOUBLE Transparency,
                                               LONG borderWidth, LONG borderStyle,
                                               OLE_COLOR borderColor) {
  FORWARD(SetPolygonProperties2(index, color, Transparency, borderWidth, borderStyle,
                                borderColor));
}
STDMETHODIMP CCorvaneEx::SetPolygonVisible(LONG index, VARIANT_BOOL Visible) {
  FORWARD(SetPolygonVisible(index, Visible));
}
STDMETHODIMP CCorvaneEx::GetPolygonVisible(LONG index, VARIANT_BOOL* Visible) {
  return GetAt(automation_, &CorvaneAutomation::GetPolygonVisible, index, Visible);
}
STDMETHODIMP CCorvaneEx::AddMark(DOUBLE X, DOUBLE Y) { FORWARD(AddMark(X, Y)); }
STDMETHODIMP CCorvaneEx::AddMark2(DOUBLE X, DOUBLE Y, BSTR Label) {
  FORWARD(AddMark2(X, Y, Text(Label), Length(Label)));
}
STDMETHODIMP CCorvaneEx::RemoveAllMarks() { FORWARD(RemoveAllMarks()); }
STDMETHODIMP CCorvaneEx::SetMarkVisible(LONG index, VARIANT_BOOL Visible) {
  FORWARD(SetMarkVisible(index, Visible));
}
STDMETHODIMP CCorvaneEx::GetMarkVisible(LONG index, VARIANT_BOOL* Visible) {
  return GetAt(automation_, &CorvaneAutomation::GetMarkVisible, index, Visible);
}
STDMETHODIMP CCorvaneEx::AddRectangle(DOUBLE L, DOUBLE T, DOUBLE R, DOUBLE B, OLE_COLOR bkColor,
                                      DOUBLE Transparency) {
  FORWARD(AddRectangle(L, T, R, B, bkColor, Transparency));
}
STDMETHODIMP CCorvaneEx::AddRectangle2(DOUBLE L, DOUBLE T, DOUBLE R, DOUBLE B, OLE_COLOR bkColor,
                                       DOUBLE Transparency, LONG borderWidth, LONG borderStyle,
                                       OLE_COLOR borderColor) {
  FORWARD(AddRectangle2(L, T, R, B, bkColor, Transparency, borderWidth, borderStyle,
                        borderColor));
}
STDMETHODIMP CCorvaneEx::RemoveAllRectangles() { FORWARD(RemoveAllRectangles()); }
STDMETHODIMP CCorvaneEx::SetRectVisible(LONG index, VARIANT_BOOL Visible) {
  FORWARD(SetRectVisible(index, Visible));
}
STDMETHODIMP CCorvaneEx::GetRectVisible(LONG index, VARIANT_BOOL* Visible) {
  return GetAt(automation_, &CorvaneAutomation::GetRectVisible, index, Visible);
}
STDMETHODIMP CCorvaneEx::AddLine(DOUBLE x1, DOUBLE y1, DOUBLE x2, DOUBLE y2, LONG Width,
                                 LONG style, OLE_COLOR color) {
  FORWARD(AddLine(x1, y1, x2, y2, Width, style, color));
}
STDMETHODIMP CCorvaneEx::RemoveAllLines() { FORWARD(RemoveAllLines()); }
STDMETHODIMP CCorvaneEx::SetLineVisible(LONG index, VARIANT_BOOL Visible) {
  FORWARD(SetLineVisible(index, Visible));
}
STDMETHODIMP CCorvaneEx::GetLineVisible(LONG index, VARIANT_BOOL* Visible) {
  return GetAt(automation_, &CorvaneAutomation::GetLineVisible, index, Visible);
}
STDMETHODIMP CCorvaneEx::AddCandleStick(DOUBLE X, DOUBLE Open, DOUBLE Close, DOUBLE High,
                                        DOUBLE Low) {
  FORWARD(AddCandleStick(X, Open, Close, High, Low));
}
STDMETHODIMP CCorvaneEx::RemoveAllCandleSticks() { FORWARD(RemoveAllCandleSticks()); }
STDMETHODIMP CCorvaneEx::get_candlesticsVisible(VARIANT_BOOL* pVal) {
  return Get(automation_, &CorvaneAutomation::get_candlesticsVisible, pVal);
}
STDMETHODIMP CCorvaneEx::put_candlesticsVisible(VARIANT_BOOL newVal) {
  FORWARD(put_candlesticsVisible(newVal));
}
STDMETHODIMP CCorvaneEx::get_preset(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_preset, pVal);
}
STDMETHODIMP CCorvaneEx::put_preset(LONG p) { FORWARD(put_preset(p)); }
STDMETHODIMP CCorvaneEx::get_presetName(BSTR* pVal) {
  return GetText(automation_, &CorvaneAutomation::get_presetName, pVal);
}
STDMETHODIMP CCorvaneEx::get_presetCount(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_presetCount, pVal);
}
STDMETHODIMP CCorvaneEx::AddLabelToLegend(OLE_COLOR color, BSTR Label) {
  FORWARD(AddLabelToLegend(color, Text(Label), Length(Label)));
}
STDMETHODIMP CCorvaneEx::get_legendVisible(VARIANT_BOOL* pVal) {
  return Get(automation_, &CorvaneAutomation::get_legendVisible, pVal);
}
STDMETHODIMP CCorvaneEx::put_legendVisible(VARIANT_BOOL newVal) {
  FORWARD(put_legendVisible(newVal));
}
STDMETHODIMP CCorvaneEx::get_legendPosition(LONG* pVal) {
  return Get(automation_, &CorvaneAutomation::get_legendPosition, pVal);
}
STDMETHODIMP CCorvaneEx::put_legendPosition(LONG newVal) { FORWARD(put_legendPosition(newVal)); }

#undef FORWARD

}  // namespace corvane
