#include "server/registration.h"

#include <oleauto.h>

#include <new>

#include "control/com_util_win.h"
#include "corvane_idl.h"
#include "server/module.h"
#include "server/registry_script.h"
#include "server/registry_writer.h"
#include "server/resource_ids.h"

namespace corvane::server {
namespace {

#ifdef _WIN64
constexpr SYSKIND kSysKind = SYS_WIN64;
#else
constexpr SYSKIND kSysKind = SYS_WIN32;
#endif

constexpr wchar_t kAppId[] = L"{0BF8C75D-8D6C-4E16-9141-F83C1FC926D4}";

HRESULT LastErrorResult() {
  const DWORD err = GetLastError();
  return err == 0 ? E_FAIL : HRESULT_FROM_WIN32(err);
}

// The REGISTRY resource `id` (UTF-8 text), parsed with %MODULE% and %APPID% filled in.
HRESULT LoadScript(UINT id, const std::wstring& modulePath, RegistryScript* script) {
  HMODULE module = ModuleHandle();
  HRSRC res = FindResourceW(module, MAKEINTRESOURCEW(id), L"REGISTRY");
  if (!res) return LastErrorResult();
  HGLOBAL data = LoadResource(module, res);
  const DWORD size = SizeofResource(module, res);
  const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
  if (!bytes) return LastErrorResult();

  std::wstring text;
  if (size > 0) {
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes,
                                      static_cast<int>(size), nullptr, 0);
    if (n <= 0) return LastErrorResult();
    text.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, static_cast<int>(size), &text[0],
                        n);
  }
  ScriptParseResult parsed =
      ParseRegistryScript(text, Substitutions{{L"MODULE", modulePath}, {L"APPID", kAppId}});
  if (!parsed.ok) return HRESULT_FROM_WIN32(ERROR_INVALID_DATA);
  *script = std::move(parsed.script);
  return S_OK;
}

HRESULT RunScript(UINT id, const std::wstring& modulePath, ScriptMode mode) {
  RegistryScript script;
  const HRESULT hr = LoadScript(id, modulePath, &script);
  if (FAILED(hr)) return hr;
  return RunRegistryScript(script, mode);
}

HRESULT RegisterTypeLibrary(const std::wstring& modulePath) {
  ITypeLib* lib = nullptr;
  HRESULT hr = LoadTypeLibEx(modulePath.c_str(), REGKIND_NONE, &lib);
  if (FAILED(hr)) return hr;
  // The path buffer is passed writable, as the declaration asks.
  std::wstring path = modulePath;
  hr = RegisterTypeLib(lib, &path[0], nullptr);
  lib->Release();
  return hr;
}

// UnRegisterTypeLib fails for a library that is not registered, which is already the state
// unregistration wants.
bool TypeLibraryRegistered() {
  wchar_t libid[40];
  if (StringFromGUID2(LIBID_CorvaneLib, libid, 40) == 0) return true;
  const std::wstring path = std::wstring(L"TypeLib\\") + libid + L"\\1.0";
  HKEY key = nullptr;
  const LSTATUS status = RegOpenKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key);
  if (status == ERROR_SUCCESS) RegCloseKey(key);
  return status != ERROR_FILE_NOT_FOUND;
}

}  // namespace

HRESULT ModulePath(HMODULE module, std::wstring* path) {
  wchar_t buffer[MAX_PATH];
  SetLastError(0);
  const DWORD n = GetModuleFileNameW(module, buffer, MAX_PATH);
  if (n == 0) return LastErrorResult();
  // A truncated name fills the whole buffer.
  if (n >= MAX_PATH) return HRESULT_FROM_WIN32(ERROR_INSUFFICIENT_BUFFER);
  path->assign(buffer, n);
  return S_OK;
}

HRESULT RegisterServer() {
  return Guard([]() -> HRESULT {
    std::wstring module;
    HRESULT hr = ModulePath(ModuleHandle(), &module);
    if (FAILED(hr)) return hr;
    hr = RunScript(IDR_CORVANE_APP, module, ScriptMode::kRegister);
    if (FAILED(hr)) return hr;
    hr = RunScript(IDR_CORVANE_EX, module, ScriptMode::kRegister);
    if (FAILED(hr)) return hr;
    hr = RunScript(IDR_CHART_CONTROL, module, ScriptMode::kRegister);
    if (FAILED(hr)) return hr;
    return RegisterTypeLibrary(module);
  });
}

HRESULT UnregisterServer() {
  return Guard([]() -> HRESULT {
    std::wstring module;
    HRESULT hr = ModulePath(ModuleHandle(), &module);
    if (FAILED(hr)) return hr;
    HRESULT first = RunScript(IDR_CHART_CONTROL, module, ScriptMode::kUnregister);
    hr = RunScript(IDR_CORVANE_EX, module, ScriptMode::kUnregister);
    if (SUCCEEDED(first)) first = hr;
    hr = S_OK;
    if (TypeLibraryRegistered()) {
      hr = UnRegisterTypeLib(LIBID_CorvaneLib, 1, 0, LOCALE_NEUTRAL, kSysKind);
    }
    if (SUCCEEDED(first)) first = hr;
    hr = RunScript(IDR_CORVANE_APP, module, ScriptMode::kUnregister);
    if (SUCCEEDED(first)) first = hr;
    return first;
  });
}

}  // namespace corvane::server
