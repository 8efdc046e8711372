// Argument readers shared by the call table: the bounded choices (picture sizes, counts) that
// keep an input fast without narrowing what the product is asked to handle, and the helpers
// that pass texts and out-pointers the ways a caller can.
#pragma once
#include <cstdint>
#include <string>

#include "control/automation.h"
#include "tests/fuzz/fuzz_calls.h"
#include "tests/fuzz/fuzz_values.h"

namespace corvane::fuzz {

// The most pixels a picture of the fuzz target has (strips aside, see BoundArea).
constexpr std::int64_t kMaxFuzzPixels = 160 * 160;

// Picture sides: small ones, and extremes the product must refuse or handle; a picture of
// many pixels is kept to a strip, so no render is slow. (Every allowed shape stays possible:
// 32767 x 3 exercises the widest rows.)
inline std::int32_t SideOf(Reader& in) {
  const std::uint8_t s = in.Byte();
  if (s < 0xF0) return static_cast<std::int32_t>(s) - 8;
  static const std::int32_t kExtreme[] = {0, -1, INT32_MIN, INT32_MAX, 32767, 32768, 65536,
                                          -32768, 8192, 16384, 1, 2, INT32_MIN + 1, 4096,
                                          1 << 20, 3};
  return kExtreme[s - 0xF0];
}

inline void BoundArea(std::int32_t& w, std::int32_t& h) {
  constexpr std::int64_t kMaxPixels = kMaxFuzzPixels;
  if (w > 0 && h > 0 && w <= 32767 && h <= 32767 && std::int64_t{w} * h > kMaxPixels) {
    if (w >= h) h = 1 + h % 3; else w = 1 + w % 3;
  }
}

// Polygon counts: any sign, but at most 64 records (a count near 2^31 is capped by the
// product at a million empty polygons, which only makes an input slow).
inline std::int32_t PolygonCountOf(Reader& in) {
  const std::int32_t n = in.Int();
  return n > 64 ? n % 65 : n;
}

// Calls a string member with the text the input gives: a null pointer, or the code units
// with their length (embedded NULs and unpaired surrogates included).
template <typename Call>
HResult WithText(Reader& in, Call&& call) {
  bool isNull = false;
  const std::u16string t = in.Text(&isNull);
  return call(isNull ? nullptr : t.data(), static_cast<std::uint32_t>(t.size()));
}

// Calls a getter with a real out-pointer, or now and then a null one (E_POINTER).
template <typename T, typename Call>
HResult WithOut(Reader& in, Call&& call) {
  T value{};
  return call(in.Below(8) == 0 ? nullptr : &value);
}

// A file name for SaveToFile/SaveToPng, always inside the session's directory or naming
// nothing: a plain name, a hostile text (a '/' becomes '_', so no name leaves the directory),
// the directory itself, a missing subdirectory, or no name at all.
std::u16string FileNameOf(Reader& in, const Session& s, bool* isNull);

}  // namespace corvane::fuzz
