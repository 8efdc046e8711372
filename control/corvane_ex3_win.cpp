// The members of ICorvaneEx3: the layout read back, the mapping both ways, the stored points,
// the hit test and the plots' capacities, each forwarded to the automation layer.
#include "control/com_util_win.h"
#include "control/corvane_ex_win.h"
#include "control/corvane_hit_win.h"

namespace corvane {
namespace {

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

}  // namespace

STDMETHODIMP CCorvaneEx::get_WorldXMin(DOUBLE* pVal) {
  return Answer<double>(pVal, [&](double* v) { return automation_.get_WorldXMin(v); });
}
STDMETHODIMP CCorvaneEx::get_WorldXMax(DOUBLE* pVal) {
  return Answer<double>(pVal, [&](double* v) { return automation_.get_WorldXMax(v); });
}
STDMETHODIMP CCorvaneEx::get_WorldYMin(DOUBLE* pVal) {
  return Answer<double>(pVal, [&](double* v) { return automation_.get_WorldYMin(v); });
}
STDMETHODIMP CCorvaneEx::get_WorldYMax(DOUBLE* pVal) {
  return Answer<double>(pVal, [&](double* v) { return automation_.get_WorldYMax(v); });
}
STDMETHODIMP CCorvaneEx::get_PlotAreaLeft(LONG* pVal) {
  return Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaLeft(v); });
}
STDMETHODIMP CCorvaneEx::get_PlotAreaTop(LONG* pVal) {
  return Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaTop(v); });
}
STDMETHODIMP CCorvaneEx::get_PlotAreaRight(LONG* pVal) {
  return Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaRight(v); });
}
STDMETHODIMP CCorvaneEx::get_PlotAreaBottom(LONG* pVal) {
  return Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotAreaBottom(v); });
}
STDMETHODIMP CCorvaneEx::WorldToPixelX(DOUBLE x, DOUBLE* px) {
  return Answer<double>(px, [&](double* v) { return automation_.WorldToPixelX(x, v); });
}
STDMETHODIMP CCorvaneEx::WorldToPixelY(DOUBLE y, DOUBLE* py) {
  return Answer<double>(py, [&](double* v) { return automation_.WorldToPixelY(y, v); });
}
STDMETHODIMP CCorvaneEx::PixelToWorldX(DOUBLE px, DOUBLE* x) {
  return Answer<double>(x, [&](double* v) { return automation_.PixelToWorldX(px, v); });
}
STDMETHODIMP CCorvaneEx::PixelToWorldY(DOUBLE py, DOUBLE* y) {
  return Answer<double>(y, [&](double* v) { return automation_.PixelToWorldY(py, v); });
}
STDMETHODIMP CCorvaneEx::get_PointX(LONG plot, LONG index, DOUBLE* pVal) {
  return Answer<double>(pVal, [&](double* v) { return automation_.get_PointX(plot, index, v); });
}
STDMETHODIMP CCorvaneEx::get_PointY(LONG plot, LONG index, DOUBLE* pVal) {
  return Answer<double>(pVal, [&](double* v) { return automation_.get_PointY(plot, index, v); });
}

STDMETHODIMP CCorvaneEx::get_PlotCapacity(LONG plot, LONG* pVal) {
  return Answer<std::int32_t>(pVal, [&](std::int32_t* v) { return automation_.get_PlotCapacity(plot, v); });
}
STDMETHODIMP CCorvaneEx::put_PlotCapacity(LONG plot, LONG newVal) {
  return Guard([&]() -> HRESULT { return automation_.put_PlotCapacity(plot, newVal); });
}

STDMETHODIMP CCorvaneEx::HitTest(DOUBLE x, DOUBLE y, DOUBLE radius, ICorvaneHit** hit) {
  if (!hit) return E_POINTER;
  *hit = nullptr;
  return Guard([&]() -> HRESULT {
    ChartHit found;
    RETURN_IF_FAILED(automation_.HitTest(x, y, radius, &found));
    return CCorvaneHit::Create(lock_.host(), found, hit);
  });
}

}  // namespace corvane
