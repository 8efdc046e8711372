#include "server/class_factory.h"

#include <new>

#include "control/chart_control/chart_control_win.h"
#include "control/corvane_ex_win.h"
#include "server/module.h"
#include "server/type_info_cache.h"

namespace corvane::server {
namespace {

// Connects objects to the module: lock count and shared type information.
class ModuleObjectHost final : public ComObjectHost {
 public:
  void ObjectCreated() override { LockModule(); }
  void ObjectDestroyed() override { UnlockModule(); }
  HRESULT GetTypeInfo(REFGUID guid, LCID lcid, ITypeInfo** info) override {
    return ModuleTypeInfo().Get(guid, lcid, info);
  }
  bool FindDispId(REFIID iid, const OLECHAR* name, DISPID* id) override {
    return ModuleTypeInfo().FindDispId(iid, name, id);
  }
};

ModuleObjectHost g_host;
LONG g_serverLocks = 0;

using CreateFunction = HRESULT (*)(ComObjectHost& host, IUnknown* outer, REFIID riid, void** ppv);

// One factory per creatable class.
class CClassFactory final : public IClassFactory {
 public:
  explicit CClassFactory(CreateFunction create) : create_(create) {}

  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
    if (!ppv) return E_POINTER;
    if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
      *ppv = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *ppv = nullptr;
    return E_NOINTERFACE;
  }

  // The module's cache holds the first reference; any reference beyond it keeps the
  // module loaded.
  STDMETHODIMP_(ULONG) AddRef() override {
    const LONG now = InterlockedIncrement(&refs_);
    if (now == 2) LockModule();
    return static_cast<ULONG>(now);
  }

  STDMETHODIMP_(ULONG) Release() override {
    const LONG now = InterlockedDecrement(&refs_);
    if (now == 1) UnlockModule();
    if (now == 0) delete this;
    return static_cast<ULONG>(now);
  }

  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID riid, void** ppv) override {
    return create_(g_host, outer, riid, ppv);
  }

  // An unlock without a matching lock is refused: it would let the module unload under a
  // live object.
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&g_serverLocks);
      LockModule();
      return S_OK;
    }
    for (;;) {
      const LONG held = InterlockedCompareExchange(&g_serverLocks, 0, 0);
      if (held <= 0) return E_UNEXPECTED;
      if (InterlockedCompareExchange(&g_serverLocks, held - 1, held) == held) break;
    }
    UnlockModule();
    return S_OK;
  }

 private:
  CreateFunction create_;
  LONG refs_ = 1;
};

struct FactorySlot {
  const CLSID* clsid;
  CreateFunction create;
  CClassFactory* factory;
};
FactorySlot g_factories[] = {{&CLSID_CorvaneEx, &CCorvaneEx::Create, nullptr},
                             {&CLSID_ChartControl, &CChartControl::Create, nullptr}};

}  // namespace

HRESULT GetClassFactory(REFCLSID clsid, REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  *ppv = nullptr;
  for (FactorySlot& slot : g_factories) {
    if (!IsEqualCLSID(*slot.clsid, clsid)) continue;
    CClassFactory* factory = nullptr;
    {
      ModuleGuard guard;
      if (!slot.factory) slot.factory = new (std::nothrow) CClassFactory(slot.create);
      factory = slot.factory;
    }
    if (!factory) return E_OUTOFMEMORY;
    return factory->QueryInterface(riid, ppv);
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

void ReleaseClassFactories() {
  ModuleGuard guard;
  for (FactorySlot& slot : g_factories) {
    if (slot.factory) slot.factory->Release();
    slot.factory = nullptr;
  }
}

}  // namespace corvane::server
