// Module-wide state of Corvane.dll: its handle, the lock count that DllCanUnloadNow reads,
// and the one critical section that guards the lazily created shared objects.
#pragma once
#include <windows.h>

namespace corvane::server {

HMODULE ModuleHandle();

// Live objects, LockServer(TRUE) and a class factory referenced beyond the module's own
// cache each hold one lock.
void LockModule();
void UnlockModule();
LONG ModuleLockCount();

// Holds the module's critical section for one scope.
class ModuleGuard {
 public:
  ModuleGuard();
  ~ModuleGuard();
  ModuleGuard(const ModuleGuard&) = delete;
  ModuleGuard& operator=(const ModuleGuard&) = delete;
};

}  // namespace corvane::server
