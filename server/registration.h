// What DllRegisterServer and DllUnregisterServer do: the two REGISTRY scripts of the module
// and its embedded type library.
#pragma once
#include <windows.h>

#include <string>

namespace corvane::server {

HRESULT RegisterServer();
HRESULT UnregisterServer();

// Full path of the module file; a path that does not fit MAX_PATH characters fails with
// HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER).
HRESULT ModulePath(HMODULE module, std::wstring* path);

}  // namespace corvane::server
