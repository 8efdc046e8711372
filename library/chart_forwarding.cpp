// The conversions and checks every forwarding line of corvane::Chart uses.
#include "library/chart_forwarding.h"

#include <limits>
#include <stdexcept>

#include "control/bmp_export.h"
#include "platform/string_conversion.h"

namespace corvane {
namespace detail {

void Check(HResult hr, const char* member) {
  if (Failed(hr)) throw Error(static_cast<std::uint32_t>(hr), member);
}

Automation& Target(const std::unique_ptr<ChartImpl>& impl, const char* member) {
  if (!impl) throw Error(static_cast<std::uint32_t>(kE_POINTER), member);
  return impl->automation;
}

std::tuple<const char16_t*, std::uint32_t> ToAutomation(const Utf16& s) {
  s.units = WidenToUtf16(s.utf8);
  if (s.units.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("text longer than a BSTR holds");
  return {s.units.data(), static_cast<std::uint32_t>(s.units.size())};
}

std::string ToPublic(const std::u16string& s) {
  return NarrowFromUtf16(s.data(), static_cast<std::uint32_t>(s.size()));
}

Dib ToPublic(DibPicture&& picture) {
  Dib dib;
  dib.width = picture.width;
  dib.height = picture.height;
  dib.stride = static_cast<std::size_t>(BmpStride(picture.width));
  dib.bits = std::move(picture.bits);
  return dib;
}

Hit ToPublic(ChartHit&& hit) {
  Hit out;
  out.Kind = static_cast<CorvaneHitKind>(hit.kind);
  out.Plot = hit.plot;
  out.Index = hit.index;
  out.X = hit.x;
  out.Y = hit.y;
  out.Distance = hit.distance;
  return out;
}

}  // namespace detail
}  // namespace corvane
