#include "server/registry_writer.h"

namespace corvane::server {
namespace {

constexpr REGSAM kAccess = KEY_READ | KEY_WRITE | DELETE;

HRESULT FromStatus(LSTATUS status) {
  return status == ERROR_SUCCESS ? S_OK : HRESULT_FROM_WIN32(static_cast<DWORD>(status));
}

bool IsGone(LSTATUS status) {
  return status == ERROR_FILE_NOT_FOUND || status == ERROR_PATH_NOT_FOUND;
}

void Remember(HRESULT* first, HRESULT hr) {
  if (SUCCEEDED(*first) && FAILED(hr)) *first = hr;
}

const wchar_t* ValueName(const RegistryValue& v) {
  return v.name.empty() ? nullptr : v.name.c_str();
}

HKEY RootHandle(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::kClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::kCurrentUser: return HKEY_CURRENT_USER;
    case RegistryRoot::kLocalMachine: return HKEY_LOCAL_MACHINE;
  }
  return nullptr;
}

class KeyHandle {
 public:
  KeyHandle() = default;
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  ~KeyHandle() {
    if (h_) RegCloseKey(h_);
  }
  HKEY get() const { return h_; }
  HKEY* out() { return &h_; }
  void Close() {
    if (h_) RegCloseKey(h_);
    h_ = nullptr;
  }

 private:
  HKEY h_ = nullptr;
};

HRESULT RegisterKey(HKEY parent, const RegistryKey& key) {
  if (key.removal == KeyRemoval::kForceRemove) {
    LSTATUS status = RegDeleteTreeW(parent, key.name.c_str());
    if (status != ERROR_SUCCESS && !IsGone(status)) return FromStatus(status);
  }
  KeyHandle h;
  LSTATUS status = RegCreateKeyExW(parent, key.name.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   kAccess, nullptr, h.out(), nullptr);
  if (status != ERROR_SUCCESS) return FromStatus(status);
  for (const RegistryValue& v : key.values) {
    const DWORD bytes = static_cast<DWORD>((v.data.size() + 1) * sizeof(wchar_t));
    status = RegSetValueExW(h.get(), ValueName(v), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(v.data.c_str()), bytes);
    if (status != ERROR_SUCCESS) return FromStatus(status);
  }
  for (const RegistryKey& sub : key.subkeys) {
    HRESULT hr = RegisterKey(h.get(), sub);
    if (FAILED(hr)) return hr;
  }
  return S_OK;
}

HRESULT UnregisterKey(HKEY parent, const RegistryKey& key) {
  if (key.removal == KeyRemoval::kForceRemove) {
    LSTATUS status = RegDeleteTreeW(parent, key.name.c_str());
    return IsGone(status) ? S_OK : FromStatus(status);
  }
  KeyHandle h;
  LSTATUS status = RegOpenKeyExW(parent, key.name.c_str(), 0, kAccess, h.out());
  if (IsGone(status)) return S_OK;
  if (status != ERROR_SUCCESS) return FromStatus(status);

  HRESULT first = S_OK;
  for (const RegistryKey& sub : key.subkeys) Remember(&first, UnregisterKey(h.get(), sub));

  if (key.removal == KeyRemoval::kNormal) {
    DWORD subkeys = 0;
    status = RegQueryInfoKeyW(h.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS && subkeys == 0) {
      h.Close();
      status = RegDeleteKeyW(parent, key.name.c_str());
      if (!IsGone(status)) Remember(&first, FromStatus(status));
      return first;
    }
    Remember(&first, FromStatus(status));
  }
  // The key stays (NoRemove, or something foreign lives below it): take back our values.
  for (const RegistryValue& v : key.values) {
    if (key.removal == KeyRemoval::kNoRemove && v.name.empty()) continue;
    status = RegDeleteValueW(h.get(), ValueName(v));
    if (status != ERROR_SUCCESS && !IsGone(status)) Remember(&first, FromStatus(status));
  }
  return first;
}

}  // namespace

HRESULT RunRegistryScript(const RegistryScript& script, ScriptMode mode, HKEY rootOverride) {
  HRESULT first = S_OK;
  for (const RegistryRootBlock& block : script.roots) {
    HKEY root = rootOverride ? rootOverride : RootHandle(block.root);
    for (const RegistryKey& key : block.keys) {
      if (mode == ScriptMode::kRegister) {
        HRESULT hr = RegisterKey(root, key);
        if (FAILED(hr)) return hr;
      } else {
        Remember(&first, UnregisterKey(root, key));
      }
    }
  }
  return first;
}

}  // namespace corvane::server
