// The type information of the chart's interfaces (ICorvaneEx, ICorvaneEx2, ICorvaneEx3) and
// of the hit object's ICorvaneHit, each loaded once from the registered type library and
// shared by every object of the module, with the cache of member names the chart's fill.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <unordered_map>

namespace corvane::server {

class TypeInfoCache {
 public:
  // AddRef'ed type information of IID_ICorvaneEx, IID_ICorvaneEx2, IID_ICorvaneEx3 or
  // IID_ICorvaneHit (E_NOINTERFACE for any other). A load failure is returned unchanged and
  // tried again on the next call (the library may have been registered in between); each
  // interface loads on its own, so a library registered by an older module still serves
  // the interfaces it has.
  HRESULT Get(REFIID iid, LCID lcid, ITypeInfo** info);
  // Equal length and identical code units, among the members of the chart's interfaces
  // loaded (not the hit object's).
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
  Slot third_;    // ICorvaneEx3
  Slot hit_;      // ICorvaneHit
};

TypeInfoCache& ModuleTypeInfo();

}  // namespace corvane::server
