#include "server/module.h"

#include "control/chart_control/control_window_win.h"
#include "server/class_factory.h"
#include "server/type_info_cache.h"

namespace corvane::server {
namespace {

HMODULE g_module = nullptr;
LONG g_locks = 0;
CRITICAL_SECTION g_section;

}  // namespace

HMODULE ModuleHandle() { return g_module; }

void LockModule() { InterlockedIncrement(&g_locks); }
void UnlockModule() { InterlockedDecrement(&g_locks); }
LONG ModuleLockCount() { return InterlockedCompareExchange(&g_locks, 0, 0); }

ModuleGuard::ModuleGuard() { EnterCriticalSection(&g_section); }
ModuleGuard::~ModuleGuard() { LeaveCriticalSection(&g_section); }

}  // namespace corvane::server

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  using namespace corvane::server;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_module = instance;
      DisableThreadLibraryCalls(instance);
      InitializeCriticalSection(&g_section);
      break;
    case DLL_PROCESS_DETACH:
      // On process exit (reserved != null) other DLLs may already be gone: touch nothing.
      if (reserved == nullptr) {
        ReleaseClassFactories();
        ModuleTypeInfo().Release();
        corvane::UnregisterChartControlWindowClass();
      }
      DeleteCriticalSection(&g_section);
      break;
    default:
      break;
  }
  return TRUE;
}
