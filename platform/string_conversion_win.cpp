// Windows build: the engine's narrow strings are in the ANSI code page of the calling
// thread's locale.
#include "platform/string_conversion.h"

#include <windows.h>

#include <climits>

namespace corvane {

namespace {

// The thread locale's default ANSI code page; the system one when the locale names none
// (Unicode-only locales answer 0).
UINT ThreadAnsiCodePage() {
  DWORD cp = 0;
  if (GetLocaleInfoW(GetThreadLocale(), LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                     reinterpret_cast<LPWSTR>(&cp), sizeof(cp) / sizeof(WCHAR)) > 0 &&
      cp != 0 && IsValidCodePage(cp)) {
    return cp;
  }
  return CP_ACP;
}

}  // namespace

std::string NarrowFromUtf16(const char16_t* text, std::uint32_t len) {
  std::string out;
  if (text == nullptr) return out;
  std::uint32_t n = 0;
  while (n < len && n < static_cast<std::uint32_t>(INT_MAX) && text[n] != 0) ++n;
  if (n == 0) return out;
  const auto* wide = reinterpret_cast<const WCHAR*>(text);
  const UINT cp = ThreadAnsiCodePage();
  const int bytes = WideCharToMultiByte(cp, 0, wide, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return out;
  out.resize(static_cast<std::size_t>(bytes));
  const int written = WideCharToMultiByte(cp, 0, wide, static_cast<int>(n), &out[0], bytes,
                                          nullptr, nullptr);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

std::u16string WidenToUtf16(const std::string& narrow) {
  std::u16string out;
  std::size_t n = 0;
  while (n < narrow.size() && n < static_cast<std::size_t>(INT_MAX) && narrow[n] != 0) ++n;
  if (n == 0) return out;
  const UINT cp = ThreadAnsiCodePage();
  const int units = MultiByteToWideChar(cp, 0, narrow.data(), static_cast<int>(n), nullptr, 0);
  if (units <= 0) return out;
  out.resize(static_cast<std::size_t>(units));
  const int written = MultiByteToWideChar(cp, 0, narrow.data(), static_cast<int>(n),
                                          reinterpret_cast<WCHAR*>(&out[0]), units);
  out.resize(written > 0 ? static_cast<std::size_t>(written) : 0);
  return out;
}

}  // namespace corvane
