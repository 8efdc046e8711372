#include "server/type_info_cache.h"

#include <new>

#include "corvane_idl.h"
#include "server/module.h"

namespace corvane::server {

HRESULT TypeInfoCache::Get(LCID lcid, ITypeInfo** info) {
  if (!info) return E_POINTER;
  *info = nullptr;
  ModuleGuard guard;
  if (!info_) {
    const HRESULT hr = Load(lcid);
    if (FAILED(hr)) return hr;
  }
  info_->AddRef();
  *info = info_;
  return S_OK;
}

HRESULT TypeInfoCache::Load(LCID lcid) {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadRegTypeLib(LIBID_CorvaneLib, 1, 0, lcid, &lib);
  if (FAILED(hr)) return hr;
  ITypeInfo* info = nullptr;
  hr = lib->GetTypeInfoOfGuid(IID_ICorvaneEx, &info);
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
  names_.swap(names);
  info_ = info;
  return S_OK;
}

bool TypeInfoCache::FindDispId(const OLECHAR* name, DISPID* id) const {
  if (!info_ || !name || !id) return false;
  auto it = names_.find(std::wstring(name));
  if (it == names_.end()) return false;
  *id = it->second;
  return true;
}

void TypeInfoCache::Release() {
  ModuleGuard guard;
  if (info_) info_->Release();
  info_ = nullptr;
  names_.clear();
}

TypeInfoCache& ModuleTypeInfo() {
  static TypeInfoCache cache;
  return cache;
}

}  // namespace corvane::server
