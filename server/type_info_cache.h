// The type information of ICorvaneEx and of ICorvaneEx2, each loaded once from the
// registered type library and shared by every object of the module, with the cache of
// member names they fill.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <unordered_map>

namespace corvane::server {

class TypeInfoCache {
 public:
  // AddRef'ed type information of IID_ICorvaneEx or IID_ICorvaneEx2 (E_NOINTERFACE for any
  // other). A load failure is returned unchanged and tried again on the next call (the
  // library may have been registered in between); each interface loads on its own, so a
  // library registered by an older module still serves ICorvaneEx.
  HRESULT Get(REFIID iid, LCID lcid, ITypeInfo** info);
  // Equal length and identical code units, among the members of the interfaces loaded.
  bool FindDispId(const OLECHAR* name, DISPID* id) const;
  void Release();

 private:
  struct Slot {
    ITypeInfo* info = nullptr;
    std::unordered_map<std::wstring, DISPID> names;
  };
  HRESULT Load(REFIID iid, LCID lcid, Slot* slot);

  Slot base_;     // ICorvaneEx
  Slot derived_;  // ICorvaneEx2
};

TypeInfoCache& ModuleTypeInfo();

}  // namespace corvane::server
