// The four entry points of the in-process server (exported by name through corvane.def).
#include <windows.h>
#include <unknwn.h>

#include "corvane_idl.h"
#include "server/class_factory.h"
#include "server/module.h"
#include "server/registration.h"

extern "C" {

STDAPI DllCanUnloadNow() {
  return corvane::server::ModuleLockCount() == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, LPVOID* ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  return corvane::server::GetClassFactory(rclsid, riid, ppv);
}

STDAPI DllRegisterServer() { return corvane::server::RegisterServer(); }

STDAPI DllUnregisterServer() { return corvane::server::UnregisterServer(); }

}  // extern "C"
