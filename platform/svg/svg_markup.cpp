#include "platform/svg/svg_markup.h"

#include "platform/utf8_append.h"

#include <charconv>
#include <cmath>

namespace corvane {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool XmlAllows(char32_t cp) {
  if (cp < 0x20) return cp == 0x09 || cp == 0x0A || cp == 0x0D;
  return cp != 0xFFFE && cp != 0xFFFF;
}

}  // namespace

void AppendInt(std::string& out, std::int64_t v) {
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  out.append(buf, r.ptr);
}

void AppendFixed(std::string& out, double v, int decimals) {
  if (!std::isfinite(v)) v = 0;
  std::int64_t scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  const double scaled = std::round(v * static_cast<double>(scale));
  if (std::fabs(scaled) > 9e15) {
    AppendInt(out, static_cast<std::int64_t>(v > 0 ? 9e15 : -9e15));
    return;
  }
  std::int64_t n = static_cast<std::int64_t>(scaled);
  if (n < 0) {
    out.push_back('-');
    n = -n;
  }
  AppendInt(out, n / scale);
  std::int64_t frac = n % scale;
  if (frac == 0) return;
  int digits = decimals;
  while (frac % 10 == 0) {
    frac /= 10;
    --digits;
  }
  char buf[24];
  const auto r = std::to_chars(buf, buf + sizeof buf, frac);
  out.push_back('.');
  out.append(static_cast<std::size_t>(digits - (r.ptr - buf)), '0');
  out.append(buf, r.ptr);
}

void AppendColor(std::string& out, Color c) {
  static const char kHex[] = "0123456789abcdef";
  out.push_back('#');
  for (int channel : {RedOf(c), GreenOf(c), BlueOf(c)}) {
    out.push_back(kHex[channel >> 4]);
    out.push_back(kHex[channel & 15]);
  }
}

void AppendXmlText(std::string& out, const char16_t* text, std::size_t len) {
  if (!text) return;
  for (std::size_t i = 0; i < len; ++i) {
    const char16_t u = text[i];
    char32_t cp = u;
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 1 < len && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
        cp = 0x10000 + ((static_cast<char32_t>(u) - 0xD800) << 10) +
             (static_cast<char32_t>(text[i + 1]) - 0xDC00);
        ++i;
      } else {
        cp = kReplacement;
      }
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      cp = kReplacement;
    }
    switch (cp) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&apos;"; break;
      default: AppendUtf8(out, XmlAllows(cp) ? cp : kReplacement); break;
    }
  }
}

void AppendBase64(std::string& out, const std::uint8_t* data, std::size_t len) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  out.reserve(out.size() + (len + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= len; i += 3) {
    const std::uint32_t v = (std::uint32_t{data[i]} << 16) | (std::uint32_t{data[i + 1]} << 8) | data[i + 2];
    out.push_back(kAlphabet[(v >> 18) & 63]);
    out.push_back(kAlphabet[(v >> 12) & 63]);
    out.push_back(kAlphabet[(v >> 6) & 63]);
    out.push_back(kAlphabet[v & 63]);
  }
  const std::size_t rest = len - i;
  if (rest == 0) return;
  std::uint32_t v = std::uint32_t{data[i]} << 16;
  if (rest == 2) v |= std::uint32_t{data[i + 1]} << 8;
  out.push_back(kAlphabet[(v >> 18) & 63]);
  out.push_back(kAlphabet[(v >> 12) & 63]);
  out.push_back(rest == 2 ? kAlphabet[(v >> 6) & 63] : '=');
  out.push_back('=');
}

}  // namespace corvane
