#include "control/corvane_ex_win.h"

#include <iterator>
#include <new>

#include "control/chart_object_members_win.h"

namespace corvane {

template class ChartObject<ICorvaneEx3>;

namespace {

constexpr DispatchLevel kLevels[] = {
    {&IID_ICorvaneEx, 0}, {&IID_ICorvaneEx2, kFirstEx2DispId}, {&IID_ICorvaneEx3, kFirstEx3DispId}};
const DispatchTraits kTraits{&IID_ICorvaneEx, kLevels, std::size(kLevels)};

}  // namespace

CCorvaneEx::CCorvaneEx(ComObjectHost& host, IUnknown* outer) : ChartObject(host, outer, kTraits) {}

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
  return Hand(obj, riid, ppv);
}

void* CCorvaneEx::FindInterface(REFIID riid) {
  // One pointer for all five interfaces: each interface's vtable begins with its base's.
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch) ||
      IsEqualIID(riid, IID_ICorvaneEx) || IsEqualIID(riid, IID_ICorvaneEx2) ||
      IsEqualIID(riid, IID_ICorvaneEx3)) {
    return static_cast<ICorvaneEx3*>(this);
  }
  return nullptr;
}

}  // namespace corvane
