// The type information of the module's interfaces (ICorvaneEx, ICorvaneEx2, ICorvaneEx3, the
// hit object's ICorvaneHit, the control's IChartControl and its event interface) and of the
// control's coclass, each loaded once from the registered type library and shared by every
// object of the module, with the cache of member names the dual interfaces fill.
#pragma once
#include <windows.h>
#include <oaidl.h>

#include <string>
#include <unordered_map>

namespace corvane::server {

class TypeInfoCache {
 public:
  TypeInfoCache();
  // AddRef'ed type information of one of the GUIDs above (E_NOINTERFACE for any other). A
  // load failure is returned unchanged and tried again on the next call (the library may
  // have been registered in between); each loads on its own, so a library registered by an
  // older module still serves the interfaces it has.
  HRESULT Get(REFGUID guid, LCID lcid, ITypeInfo** info);
  // Equal length and identical code units, among the members of interface `iid` if its type
  // information is loaded.
  bool FindDispId(REFIID iid, const OLECHAR* name, DISPID* id) const;
  void Release();

 private:
  struct Slot {
    const GUID* guid = nullptr;
    ITypeInfo* info = nullptr;
    std::unordered_map<std::wstring, DISPID> names;
  };
  static constexpr int kSlots = 7;

  Slot* Find(REFGUID guid);
  const Slot* Find(REFGUID guid) const;
  static HRESULT Load(REFGUID guid, LCID lcid, Slot* slot);

  Slot slots_[kSlots];
};

TypeInfoCache& ModuleTypeInfo();

}  // namespace corvane::server
