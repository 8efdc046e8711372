// The control's events: the connection point container with its one point, the class
// information that names the source interface (VB's WithEvents and VBA read it), and the
// firing of each event with VB's argument types.
#include <olectl.h>

#include <vector>

#include "control/chart_control/chart_control_win.h"
#include "control/chart_control/com_enumerator_win.h"
#include "control/com_util_win.h"

namespace corvane {
namespace {

VARIANT Short(std::int16_t v) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_I2;
  V_I2(&r) = v;
  return r;
}
VARIANT Long(std::int32_t v) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_I4;
  V_I4(&r) = v;
  return r;
}
VARIANT Single(float v) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_R4;
  V_R4(&r) = v;
  return r;
}
VARIANT Double(double v) {
  VARIANT r;
  VariantInit(&r);
  V_VT(&r) = VT_R8;
  V_R8(&r) = v;
  return r;
}

}  // namespace

STDMETHODIMP CChartControl::EnumConnectionPoints(IEnumConnectionPoints** points) {
  if (!points) return E_POINTER;
  *points = nullptr;
  try {
    return ConnectionPointEnumerator::Create({&events_}, points);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  }
}

STDMETHODIMP CChartControl::FindConnectionPoint(REFIID iid, IConnectionPoint** point) {
  if (!point) return E_POINTER;
  *point = nullptr;
  if (!IsEqualIID(iid, DIID__IChartControlEvents)) return CONNECT_E_NOCONNECTION;
  *point = &events_;
  events_.AddRef();
  return S_OK;
}

STDMETHODIMP CChartControl::GetClassInfo(ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  return host().GetTypeInfo(CLSID_ChartControl, LOCALE_USER_DEFAULT, info);
}

STDMETHODIMP CChartControl::GetGUID(DWORD kind, GUID* guid) {
  if (!guid) return E_POINTER;
  if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) {
    *guid = GUID_NULL;
    return E_INVALIDARG;
  }
  *guid = DIID__IChartControlEvents;
  return S_OK;
}

void CChartControl::Fire(DISPID id, VARIANT* argsReversed, UINT count) {
  if (frozenEvents_ > 0 || !events_.HasSinks()) return;
  // A handler may release the control: it lives to the end of the event.
  AddRef();
  events_.Fire(id, argsReversed, count);
  Release();
}

void CChartControl::FireMouse(DISPID id, std::int32_t buttons, std::int16_t shift, LONG x, LONG y) {
  if (frozenEvents_ > 0 || !events_.HasSinks()) return;
  const POINTF p = ContainerPoint(x, y);
  VARIANT args[] = {Single(p.y), Single(p.x), Short(shift), Short(static_cast<std::int16_t>(buttons))};
  Fire(id, args, 4);
}

void CChartControl::FireClick(DISPID id, std::int32_t button, std::int16_t shift, LONG x, LONG y) {
  if (frozenEvents_ > 0 || !events_.HasSinks()) return;
  const POINTF p = ContainerPoint(x, y);
  double worldX = 0, worldY = 0;
  // Outside a mappable picture the world position is 0.
  if (FAILED(automation().PixelToWorldX(x, &worldX))) worldX = 0;
  if (FAILED(automation().PixelToWorldY(y, &worldY))) worldY = 0;
  VARIANT args[] = {Double(worldY), Double(worldX), Single(p.y), Single(p.x), Short(shift),
                    Short(static_cast<std::int16_t>(button))};
  Fire(id, args, 6);
}

void CChartControl::FirePointClick(std::int32_t plot, std::int32_t index, LONG x, LONG y) {
  if (frozenEvents_ > 0 || !events_.HasSinks()) return;
  const POINTF p = ContainerPoint(x, y);
  VARIANT args[] = {Single(p.y), Single(p.x), Long(index), Long(plot)};
  Fire(kEventPointClick, args, 4);
}

void CChartControl::FireZoomed(double xMin, double xMax) {
  VARIANT args[] = {Double(xMax), Double(xMin)};
  Fire(kEventZoomed, args, 2);
}

}  // namespace corvane
