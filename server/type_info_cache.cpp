#include "server/type_info_cache.h"

#include <new>

#include "corvane_idl.h"
#include "server/module.h"

namespace corvane::server {

HRESULT TypeInfoCache::Get(REFIID iid, LCID lcid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  Slot* slot = IsEqualIID(iid, IID_ICorvaneEx)    ? &base_
               : IsEqualIID(iid, IID_ICorvaneEx2) ? &derived_
               : IsEqualIID(iid, IID_ICorvaneEx3) ? &third_
               : IsEqualIID(iid, IID_ICorvaneHit) ? &hit_
                                                   : nullptr;
  if (!slot) return E_NOINTERFACE;
  ModuleGuard guard;
  if (!slot->info) {
    const HRESULT hr = Load(iid, lcid, slot);
    if (FAILED(hr)) return hr;
  }
  slot->info->AddRef();
  *info = slot->info;
  return S_OK;
}

HRESULT TypeInfoCache::Load(REFIID iid, LCID lcid, Slot* slot) {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadRegTypeLib(LIBID_CorvaneLib, 1, 0, lcid, &lib);
  if (FAILED(hr)) return hr;
  ITypeInfo* info = nullptr;
  hr = lib->GetTypeInfoOfGuid(iid, &info);
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

bool TypeInfoCache::FindDispId(const OLECHAR* name, DISPID* id) const {
  if (!name || !id) return false;
  const std::wstring key(name);
  // Another apartment may be loading a slot at this moment.
  ModuleGuard guard;
  for (const Slot* slot : {&base_, &derived_, &third_}) {
    if (!slot->info) continue;
    auto it = slot->names.find(key);
    if (it == slot->names.end()) continue;
    *id = it->second;
    return true;
  }
  return false;
}

void TypeInfoCache::Release() {
  ModuleGuard guard;
  for (Slot* slot : {&base_, &derived_, &third_, &hit_}) {
    if (slot->info) slot->info->Release();
    slot->info = nullptr;
    slot->names.clear();
  }
}

TypeInfoCache& ModuleTypeInfo() {
  static TypeInfoCache cache;
  return cache;
}

}  // namespace corvane::server
