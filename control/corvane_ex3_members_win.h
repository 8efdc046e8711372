// The members of ICorvaneEx3: the layout read back, the mapping both ways, the stored points
// and the hit test, each forwarded to the automation layer. Included only through
// chart_object_members_win.h.
#pragma once
#include <functional>
#include "control/chart_object_win.h"
#include "control/com_util_win.h"
#include "control/corvane_ex_members_win.h"
#include "control/corvane_hit_win.h"

namespace corvane {
namespace chart_members {

// Runs `call` into a value of the automation layer's type; *out is written only on success.
template <class In, class Out, class Call>
HRESULT Answer(Out* out, Call call) {
  if (!out) return E_POINTER;
  return Guard([&]() -> HRESULT {
    In v{};
    const HRESULT hr = call(&v);
    if (SUCCEEDED(hr)) *out = static_cast<Out>(v);
    return hr;
  });
}

// Runs a member that may change the picture; the control hears of it whatever it answers.
template <class Call>
HRESULT Change(Call call, const std::function<void()>& changed) {
  const HRESULT hr = Guard([&]() -> HRESULT { return call(); });
  changed();
  return hr;
}

}  // namespace chart_members

template <class I>
STDMETHODIMP ChartObject<I>::get_WorldXMin(DOUBLE* pVal) {
  return chart_members::Answer<double>(pVal, [&](double* v) { return automation_.get_WorldXMin(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_WorldXMax(DOUBLE* pVal) {
  return chart_members::Answer<double>(pVal, [&](double* v) { return automation_.get_WorldXMax(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_WorldYMin(DOUBLE* pVal) {
  return chart_members::Answer<double>(pVal, [&](double* v) { return automation_.get_WorldYMin(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_WorldYMax(DOUBLE* pVal) {
  return chart_members::Answer<double>(pVal, [&](double* v) { return automation_.get_WorldYMax(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PlotAreaLeft(LONG* pVal) {
  return chart_members::Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaLeft(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PlotAreaTop(LONG* pVal) {
  return chart_members::Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaTop(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PlotAreaRight(LONG* pVal) {
  return chart_members::Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaRight(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PlotAreaBottom(LONG* pVal) {
  return chart_members::Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaBottom(v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::WorldToPixelX(DOUBLE x, DOUBLE* px) {
  return chart_members::Answer<double>(px, [&](double* v) { return automation_.WorldToPixelX(x, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::WorldToPixelY(DOUBLE y, DOUBLE* py) {
  return chart_members::Answer<double>(py, [&](double* v) { return automation_.WorldToPixelY(y, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::PixelToWorldX(DOUBLE px, DOUBLE* x) {
  return chart_members::Answer<double>(x, [&](double* v) { return automation_.PixelToWorldX(px, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::PixelToWorldY(DOUBLE py, DOUBLE* y) {
  return chart_members::Answer<double>(y, [&](double* v) { return automation_.PixelToWorldY(py, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PointX(LONG plot, LONG index, DOUBLE* pVal) {
  return chart_members::Answer<double>(pVal, [&](double* v) { return automation_.get_PointX(plot, index, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PointY(LONG plot, LONG index, DOUBLE* pVal) {
  return chart_members::Answer<double>(pVal, [&](double* v) { return automation_.get_PointY(plot, index, v); });
}

template <class I>
STDMETHODIMP ChartObject<I>::HitTest(DOUBLE x, DOUBLE y, DOUBLE radius, ICorvaneHit** hit) {
  if (!hit) return E_POINTER;
  *hit = nullptr;
  return Guard([&]() -> HRESULT {
    ChartHit found;
    RETURN_IF_FAILED(automation_.HitTest(x, y, radius, &found));
    return CCorvaneHit::Create(host(), found, hit);
  });
}

template <class I>
STDMETHODIMP ChartObject<I>::get_PlotCapacity(LONG plot, LONG* pVal) {
  return chart_members::Answer<std::int32_t>(
      pVal, [&](std::int32_t* v) { return automation_.get_PlotCapacity(plot, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::put_PlotCapacity(LONG plot, LONG newVal) {
  return Guard([&]() -> HRESULT {
    const HRESULT hr = automation_.put_PlotCapacity(plot, newVal);
    Changed();  // lowering it drops points at once
    return hr;
  });
}

template <class I>
STDMETHODIMP ChartObject<I>::get_XAxisType(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_XAxisType, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_XAxisType(LONG newVal) {
  return chart_members::Change([&] { return automation_.put_XAxisType(newVal); },
                               [&] { Changed(); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_YAxisType(LONG* pVal) {
  return chart_members::Get(automation_, &CorvaneAutomation::get_YAxisType, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_YAxisType(LONG newVal) {
  return chart_members::Change([&] { return automation_.put_YAxisType(newVal); },
                               [&] { Changed(); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_XLabelFormat(BSTR* pVal) {
  return chart_members::GetText(automation_, &CorvaneAutomation::get_XLabelFormat, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_XLabelFormat(BSTR newVal) {
  return chart_members::Change(
      [&] { return automation_.put_XLabelFormat(Text(newVal), Length(newVal)); },
      [&] { Changed(); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_YLabelFormat(BSTR* pVal) {
  return chart_members::GetText(automation_, &CorvaneAutomation::get_YLabelFormat, pVal);
}
template <class I>
STDMETHODIMP ChartObject<I>::put_YLabelFormat(BSTR newVal) {
  return chart_members::Change(
      [&] { return automation_.put_YLabelFormat(Text(newVal), Length(newVal)); },
      [&] { Changed(); });
}
template <class I>
STDMETHODIMP ChartObject<I>::FitSegmentToData() {
  const std::uint64_t before = automation_.engine().segmentsSet;
  const HRESULT hr = Guard([&]() -> HRESULT { return automation_.FitSegmentToData(); });
  // As after SetSegment: the control's zoom and pan start from the new window.
  const CChartEngine& e = automation_.engine();
  if (SUCCEEDED(hr) && e.segmentsSet != before) SegmentSet(e.world.xmin, e.world.xmax);
  Changed();
  return hr;
}
template <class I>
STDMETHODIMP ChartObject<I>::get_TickCount(LONG axis, LONG* pVal) {
  return chart_members::Answer<std::int32_t>(
      pVal, [&](std::int32_t* v) { return automation_.get_TickCount(axis, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_TickValue(LONG axis, LONG index, DOUBLE* pVal) {
  return chart_members::Answer<double>(
      pVal, [&](double* v) { return automation_.get_TickValue(axis, index, v); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_TickLabel(LONG axis, LONG index, BSTR* pVal) {
  if (!pVal) return E_POINTER;
  *pVal = nullptr;
  return Guard([&]() -> HRESULT {
    std::u16string s;
    RETURN_IF_FAILED(automation_.get_TickLabel(axis, index, &s));
    return chart_members::ToBstr(s, pVal);
  });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_Antialias(VARIANT_BOOL* pVal) {
  if (!pVal) return E_POINTER;
  return Guard([&]() -> HRESULT {
    bool on = false;
    const HRESULT hr = automation_.get_Antialias(&on);
    if (SUCCEEDED(hr)) *pVal = on ? VARIANT_TRUE : VARIANT_FALSE;
    return hr;
  });
}
template <class I>
STDMETHODIMP ChartObject<I>::put_Antialias(VARIANT_BOOL newVal) {
  return Guard([&]() -> HRESULT {
    const HRESULT hr = automation_.put_Antialias(newVal != VARIANT_FALSE);
    Changed();  // the picture is drawn again
    return hr;
  });
}
template <class I>
STDMETHODIMP ChartObject<I>::SaveToSvg(BSTR fileName) {
  return Guard([&]() -> HRESULT { return automation_.SaveToSvg(Text(fileName), Length(fileName)); });
}
template <class I>
STDMETHODIMP ChartObject<I>::get_PixelScale(double* pVal) {
  if (!pVal) return E_POINTER;
  return Guard([&]() -> HRESULT { return automation_.get_PixelScale(pVal); });
}
template <class I>
STDMETHODIMP ChartObject<I>::put_PixelScale(double newVal) {
  return Guard([&]() -> HRESULT {
    const HRESULT hr = automation_.put_PixelScale(newVal);
    if (SUCCEEDED(hr)) Changed();
    return hr;
  });
}

}  // namespace corvane
