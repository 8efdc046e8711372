// The type information of ICorvaneEx, loaded once from the registered type library and
// shared by every object of the module, with the cache of member names it fills.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <unordered_map>

namespace corvane::server {

class TypeInfoCache {
 public:
  // AddRef'ed type information; a load failure is returned unchanged and tried again on
  // the next call (the library may have been registered in between).
  HRESULT Get(LCID lcid, ITypeInfo** info);
  // Equal length and identical code units; only meaningful after a successful Get.
  bool FindDispId(const OLECHAR* name, DISPID* id) const;
  void Release();

 private:
  HRESULT Load(LCID lcid);

  ITypeInfo* info_ = nullptr;
  std::unordered_map<std::wstring, DISPID> names_;
};

TypeInfoCache& ModuleTypeInfo();

}  // namespace corvane::server
