#include "server/type_info_cache.h"

#include <new>

#include "corvane_idl.h"
#include "server/module.h"

namespace corvane::server {

TypeInfoCache::TypeInfoCache() {
  const GUID* guids[kSlots] = {&IID_ICorvaneEx,    &IID_ICorvaneEx2,           &IID_ICorvaneEx3,
                               &IID_ICorvaneHit,   &IID_IChartControl,         &DIID__IChartControlEvents,
                               &CLSID_ChartControl};
  for (int i = 0; i < kSlots; ++i) slots_[i].guid = guids[i];
}

TypeInfoCache::Slot* TypeInfoCache::Find(REFGUID guid) {
  for (Slot& slot : slots_) {
    if (IsEqualGUID(*slot.guid, guid)) return &slot;
  }
  return nullptr;
}

const TypeInfoCache::Slot* TypeInfoCache::Find(REFGUID guid) const {
  return const_cast<TypeInfoCache*>(this)->Find(guid);
}

HRESULT TypeInfoCache::Get(REFGUID guid, LCID lcid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  Slot* slot = Find(guid);
  if (!slot) return E_NOINTERFACE;
  ModuleGuard guard;
  if (!slot->info) {
    const HRESULT hr = Load(guid, lcid, slot);
    if (FAILED(hr)) return hr;
  }
  slot->info->AddRef();
  *info = slot->info;
  return S_OK;
}

HRESULT TypeInfoCache::Load(REFGUID guid, LCID lcid, Slot* slot) {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadRegTypeLib(LIBID_CorvaneLib, 1, 0, lcid, &lib);
  if (FAILED(hr)) return hr;
  ITypeInfo* info = nullptr;
  hr = lib->GetTypeInfoOfGuid(guid, &info);
  lib->Release();
  if (FAILED(hr)) return hr;

  std::unordered_map<std::wstring, DISPID> names;
  TYPEATTR* attr = nullptr;
  hr = info->GetTypeAttr(&attr);
  if (SUCCEEDED(hr)) {
    try {
      for (UINT i = 0; i < attr->cFuncs; ++i) {
        FUNCDESC* func = nullptr;
        if (FAILED(info->GetFuncDesc(i, &func))) continue;
        BSTR name = nullptr;
        UINT got = 0;
        if (SUCCEEDED(info->GetNames(func->memid, &name, 1, &got)) && got == 1 && name) {
          // Accessors share one name and DISPID; the first entry is kept.
          names.emplace(std::wstring(name, SysStringLen(name)), func->memid);
        }
        SysFreeString(name);
        info->ReleaseFuncDesc(func);
      }
    } catch (const std::bad_alloc&) {
      hr = E_OUTOFMEMORY;
    }
    info->ReleaseTypeAttr(attr);
  }
  if (FAILED(hr)) {
    info->Release();
    return hr;
  }
  slot->names.swap(names);
  slot->info = info;
  return S_OK;
}

bool TypeInfoCache::FindDispId(REFIID iid, const OLECHAR* name, DISPID* id) const {
  if (!name || !id) return false;
  // Another apartment may be loading a slot at this moment.
  ModuleGuard guard;
  const Slot* slot = Find(iid);
  if (!slot || !slot->info) return false;
  auto it = slot->names.find(std::wstring(name));
  if (it == slot->names.end()) return false;
  *id = it->second;
  return true;
}

void TypeInfoCache::Release() {
  ModuleGuard guard;
  for (Slot& slot : slots_) {
    if (slot.info) slot.info->Release();
    slot.info = nullptr;
    slot.names.clear();
  }
}

TypeInfoCache& ModuleTypeInfo() {
  static TypeInfoCache cache;
  return cache;
}

}  // namespace corvane::server
