// The pieces of SVG markup the SVG context writes: numbers, colours, escaped UTF-8 text and
// base64 data. All append to a std::string and throw only std::bad_alloc.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/geometry.h"

namespace corvane {

// A decimal integer.
void AppendInt(std::string& out, std::int64_t v);
// A value with at most `decimals` digits after the point, trailing zeros dropped ("0.5", "3").
void AppendFixed(std::string& out, double v, int decimals);
// "#rrggbb" of a COLORREF (0x00BBGGRR).
void AppendColor(std::string& out, Color c);
// UTF-16 text as XML character data (also safe inside a double-quoted attribute): UTF-8,
// & < > " ' escaped, unpaired surrogates and characters XML 1.0 cannot carry (controls other
// than tab, LF and CR; U+FFFE, U+FFFF) replaced by U+FFFD.
void AppendXmlText(std::string& out, const char16_t* text, std::size_t len);
// Standard base64 with padding.
void AppendBase64(std::string& out, const std::uint8_t* data, std::size_t len);

}  // namespace corvane
