// Portable build: the engine's narrow strings are UTF-8.
#include "platform/string_conversion.h"

#include "platform/utf8_decode.h"
#include "platform/utf8_append.h"

namespace corvane {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsHighSurrogate(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

}  // namespace

std::string NarrowFromUtf16(const char16_t* text, std::uint32_t len) {
  std::string out;
  if (text == nullptr) return out;
  for (std::uint32_t i = 0; i < len && text[i] != 0; ++i) {
    char16_t u = text[i];
    char32_t cp = u;
    if (IsHighSurrogate(u)) {
      if (i + 1 < len && IsLowSurrogate(text[i + 1])) {
        cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
             (static_cast<char32_t>(text[i + 1]) - 0xDC00);
        ++i;
      } else {
        cp = kReplacement;
      }
    } else if (IsLowSurrogate(u)) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

std::u16string WidenToUtf16(const std::string& narrow) {
  std::u16string out;
  const char* p = narrow.data();
  std::size_t len = narrow.size();
  std::size_t pos = 0;
  while (pos < len && p[pos] != 0) {
    char32_t cp = DecodeUtf8(p, len, &pos);
    if (cp == 0) break;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
  }
  return out;
}

}  // namespace corvane
