// Helpers shared by the Windows tests: the DLL under test loaded by path, owning wrappers
// for interface pointers and BSTRs, and registry reads.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

#include "corvane_idl.h"

namespace corvane::wintest {

// Full Windows path of the Corvane.dll under test (CORVANE_DLL, else the build output).
std::wstring DllPath();

// The DLL loaded with LoadLibrary and its four exports.
class ServerModule {
 public:
  explicit ServerModule(const std::wstring& path = DllPath());
  ~ServerModule();
  ServerModule(const ServerModule&) = delete;
  ServerModule& operator=(const ServerModule&) = delete;

  bool loaded() const { return module_ != nullptr; }
  HMODULE handle() const { return module_; }
  std::wstring path() const;

  HRESULT (STDAPICALLTYPE* DllCanUnloadNow)() = nullptr;
  HRESULT (STDAPICALLTYPE* DllGetClassObject)(REFCLSID, REFIID, void**) = nullptr;
  HRESULT (STDAPICALLTYPE* DllRegisterServer)() = nullptr;
  HRESULT (STDAPICALLTYPE* DllUnregisterServer)() = nullptr;

  // A new object through this module's class factory (nullptr on failure).
  ICorvaneEx* CreateObject();

 private:
  HMODULE module_ = nullptr;
};

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  explicit ComPtr(T* p) : p_(p) {}
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }
  void Attach(T* p) {
    Reset();
    p_ = p;
  }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  T** out() {
    Reset();
    return &p_;
  }
  void** out_void() { return reinterpret_cast<void**>(out()); }
  explicit operator bool() const { return p_ != nullptr; }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* s) : s_(SysAllocString(s)) {}
  Bstr(const wchar_t* s, UINT len) : s_(SysAllocStringLen(s, len)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(s_); }
  BSTR get() const { return s_; }
  BSTR* out() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  std::wstring str() const { return s_ ? std::wstring(s_, SysStringLen(s_)) : std::wstring(); }

 private:
  BSTR s_ = nullptr;
};

// A top-down 32-bit DIB section of w x h pixels for dc; *bits receives its pixels.
HBITMAP CreateDib32(HDC dc, int w, int h, void** bits);

bool KeyExists(HKEY root, const std::wstring& path);
// The REG_SZ value (name empty: the default value); false when missing or not REG_SZ.
bool ReadString(HKEY root, const std::wstring& path, const wchar_t* name, std::wstring* out);
std::wstring GuidString(REFGUID guid);
// A fresh empty directory under %TEMP%.
std::wstring MakeTempDir(const wchar_t* tag);
void RemoveTree(const std::wstring& dir);

}  // namespace corvane::wintest
