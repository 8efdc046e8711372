#include "tests/win/test_support.h"

#include <type_traits>
#include <vector>

namespace corvane::wintest {

std::wstring DllPath() {
  wchar_t env[MAX_PATH * 2];
  DWORD n = GetEnvironmentVariableW(L"CORVANE_DLL", env, MAX_PATH * 2);
  if (n > 0 && n < MAX_PATH * 2) return std::wstring(env, n);
  // The build path is a Unix path; under Wine the root is drive Z:.
  std::string unix = CORVANE_DLL_BUILD_PATH;
  std::wstring path = unix.size() > 1 && unix[1] == ':' ? L"" : L"Z:";
  for (char c : unix) {
    path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return path;
}

ServerModule::ServerModule(const std::wstring& path) {
  module_ = LoadLibraryW(path.c_str());
  if (!module_) return;
  auto get = [this](auto& fn, const char* name) {
    fn = reinterpret_cast<std::remove_reference_t<decltype(fn)>>(
        reinterpret_cast<void*>(GetProcAddress(module_, name)));
  };
  get(DllCanUnloadNow, "DllCanUnloadNow");
  get(DllGetClassObject, "DllGetClassObject");
  get(DllRegisterServer, "DllRegisterServer");
  get(DllUnregisterServer, "DllUnregisterServer");
}

ServerModule::~ServerModule() {
  if (module_) FreeLibrary(module_);
}

std::wstring ServerModule::path() const {
  wchar_t buf[MAX_PATH];
  DWORD n = GetModuleFileNameW(module_, buf, MAX_PATH);
  return std::wstring(buf, n < MAX_PATH ? n : 0);
}

ICorvaneEx* ServerModule::CreateObject() {
  ComPtr<IClassFactory> factory;
  if (!DllGetClassObject ||
      FAILED(DllGetClassObject(CLSID_CorvaneEx, IID_IClassFactory, factory.out_void()))) {
    return nullptr;
  }
  ICorvaneEx* obj = nullptr;
  if (FAILED(factory->CreateInstance(nullptr, IID_ICorvaneEx, reinterpret_cast<void**>(&obj)))) {
    return nullptr;
  }
  return obj;
}

HBITMAP CreateDib32(HDC dc, int w, int h, void** bits) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  return CreateDIBSection(dc, &bi, DIB_RGB_COLORS, bits, nullptr, 0);
}

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* out) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  DWORD type = 0;
  DWORD bytes = 0;
  bool ok = RegQueryValueExW(key, name, nullptr, &type, nullptr, &bytes) == ERROR_SUCCESS &&
            type == REG_SZ;
  if (ok) {
    std::vector<wchar_t> buf(bytes / sizeof(wchar_t) + 1, 0);
    ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()),
                          &bytes) == ERROR_SUCCESS;
    if (ok) out->assign(buf.data());
  }
  RegCloseKey(key);
  return ok;
}

std::wstring GuidString(REFGUID guid) {
  wchar_t buf[64];
  int n = StringFromGUID2(guid, buf, 64);
  return n > 0 ? std::wstring(buf) : std::wstring();
}

std::wstring MakeTempDir(const wchar_t* tag) {
  wchar_t base[MAX_PATH];
  GetTempPathW(MAX_PATH, base);
  std::wstring dir = std::wstring(base) + L"corvane_" + tag + L"_" +
                     std::to_wstring(GetCurrentProcessId());
  RemoveTree(dir);
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

void RemoveTree(const std::wstring& dir) {
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((dir + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = fd.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = dir + L"\\" + name;
      if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(full);
      } else {
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  RemoveDirectoryW(dir.c_str());
}

}  // namespace corvane::wintest
