// Result codes of the automation layer: the HRESULT values COM clients see, kept free of
// Windows headers so the portable build speaks the same language.
#pragma once
#include <cstdint>

namespace corvane {

using HResult = std::int32_t;

constexpr HResult kS_OK = 0;
constexpr HResult kS_FALSE = 1;
constexpr HResult kE_NOTIMPL = static_cast<HResult>(0x80004001u);
constexpr HResult kE_NOINTERFACE = static_cast<HResult>(0x80004002u);
constexpr HResult kE_POINTER = static_cast<HResult>(0x80004003u);
constexpr HResult kE_FAIL = static_cast<HResult>(0x80004005u);
constexpr HResult kE_OUTOFMEMORY = static_cast<HResult>(0x8007000Eu);
constexpr HResult kE_INVALIDARG = static_cast<HResult>(0x80070057u);
constexpr HResult kE_ACCESSDENIED = static_cast<HResult>(0x80070005u);

// HRESULT_FROM_WIN32 for a Win32 error code.
constexpr HResult HResultFromWin32(std::uint32_t err) {
  return err == 0 ? kS_OK : static_cast<HResult>((err & 0xFFFFu) | 0x80070000u);
}

constexpr bool Failed(HResult hr) { return hr < 0; }

}  // namespace corvane
