// Carries out a parsed registration script against the registry.
#pragma once
#include <windows.h>

#include "server/registry_script.h"

namespace corvane::server {

enum class ScriptMode { kRegister, kUnregister };

// Registering writes every key and value (a ForceRemove key loses its old subtree first).
// Unregistering deletes what the script names: ForceRemove keys with their subtree, plain
// keys once nothing foreign is left below them, never a NoRemove key. Keys that are already
// gone are not an error. Returns the first failure as an HRESULT; unregistering carries on
// past a failure so it removes as much as it can.
// `rootOverride`, when given, replaces every root of the script (tests use a scratch key).
HRESULT RunRegistryScript(const RegistryScript& script, ScriptMode mode,
                          HKEY rootOverride = nullptr);

}  // namespace corvane::server
