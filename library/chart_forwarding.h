// How a member of corvane::Chart reaches the automation layer: one line a member,
//   Call(impl_, "SetSize", &Automation::SetSize, width, height);
//   return Get(impl_, "GetPlotColor", &Automation::GetPlotColor, index);
// Call converts the public arguments to the automation layer's (bool -> VARIANT_BOOL, Utf16
// -> pointer and length) and throws Error for a failed HRESULT; Get does the same for a
// member whose last parameter is its out-pointer and converts the value back (VARIANT_BOOL ->
// bool, UTF-16 -> UTF-8).
#pragma once
#include <cstdint>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <tuple>
#include <type_traits>
#include <utility>

#include "control/automation.h"
#include "corvane/chart.h"
#include "platform/raster/raster_system.h"

namespace corvane {
namespace detail {

using Automation = CorvaneAutomation;

// One chart: its own raster objects and fonts, and the automation object drawing with them.
struct ChartImpl {
  RasterGraphicsSystem graphics;
  Automation automation{graphics};
};

// Throws Error(hr) naming `member` when hr is a failure.
void Check(HResult hr, const char* member);

// The automation object behind a chart; Error(E_POINTER) for a chart moved from.
Automation& Target(const std::unique_ptr<ChartImpl>& impl, const char* member);

// A UTF-8 argument, converted to the UTF-16 code units (and their count) the automation
// layer takes when the call runs. A temporary Utf16 lives until the end of the call it is an
// argument of.
struct Utf16 {
  explicit Utf16(const std::string& text) : utf8(text) {}
  const std::string& utf8;
  mutable std::u16string units;
};

inline std::tuple<VariantBool> ToAutomation(bool b) {
  return {b ? kVariantTrue : kVariantFalse};
}
// Throws std::length_error for a text longer than a BSTR can hold.
std::tuple<const char16_t*, std::uint32_t> ToAutomation(const Utf16& s);
template <typename T, typename = std::enable_if_t<std::is_arithmetic_v<T> || std::is_pointer_v<T>>>
std::tuple<T> ToAutomation(T v) {
  return {v};
}

inline bool ToPublic(VariantBool v) { return v != 0; }
std::string ToPublic(const std::u16string& s);
Dib ToPublic(DibPicture&& picture);
Hit ToPublic(ChartHit&& hit);
template <typename T>
T ToPublic(T v) {
  return v;
}

// Runs `body`, turning memory running short in the conversions into Error(E_OUTOFMEMORY).
template <typename Body>
auto Converting(const char* member, Body&& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    throw Error(static_cast<std::uint32_t>(kE_OUTOFMEMORY), member);
  } catch (const std::length_error&) {
    throw Error(static_cast<std::uint32_t>(kE_OUTOFMEMORY), member);
  }
}

template <typename... Params, typename... Args>
void Call(const std::unique_ptr<ChartImpl>& impl, const char* member,
          HResult (Automation::*method)(Params...), const Args&... args) {
  Automation& target = Target(impl, member);
  const HResult hr = Converting(member, [&] {
    return std::apply([&](auto... converted) { return (target.*method)(converted...); },
                      std::tuple_cat(ToAutomation(args)...));
  });
  Check(hr, member);
}

template <typename... Params, typename... Args>
auto Get(const std::unique_ptr<ChartImpl>& impl, const char* member,
         HResult (Automation::*getter)(Params...), const Args&... args) {
  using OutPointer = std::tuple_element_t<sizeof...(Params) - 1, std::tuple<Params...>>;
  std::remove_pointer_t<OutPointer> out{};
  Automation& target = Target(impl, member);
  Check((target.*getter)(args..., &out), member);
  return Converting(member, [&] { return ToPublic(std::move(out)); });
}

}  // namespace detail
}  // namespace corvane
