// Small COM helpers of the Windows files of control/: one-line HRESULT plumbing and an owning
// interface reference.
#pragma once
#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <cstdint>
#include <new>

// Returns from the enclosing function when the HRESULT expression fails.
#define RETURN_IF_FAILED(expr)   \
  do {                           \
    const HRESULT hr_ = (expr);  \
    if (FAILED(hr_)) return hr_; \
  } while (0)

namespace corvane {

// Runs one member body; a C++ exception must never reach the COM caller.
template <class Body>
HRESULT Guard(Body&& body) noexcept {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

// BSTR is a length-prefixed UTF-16 string; a null BSTR is the empty string.
inline const char16_t* Text(BSTR s) { return reinterpret_cast<const char16_t*>(s); }
inline std::uint32_t Length(BSTR s) { return SysStringLen(s); }

// Holds one reference to a COM interface for the length of a scope.
template <class T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (p_) p_->Release();
  }
  // The slot a creating call fills (whatever was held is released first).
  T** out() {
    if (p_) p_->Release();
    p_ = nullptr;
    return &p_;
  }
  void** out_void() { return reinterpret_cast<void**>(out()); }
  T* get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  // Hands the reference to the caller.
  T* Detach() {
    T* p = p_;
    p_ = nullptr;
    return p;
  }

 private:
  T* p_ = nullptr;
};

}  // namespace corvane
