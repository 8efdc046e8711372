#include "tests/gallery/script_value.h"

#include <cmath>
#include <cstdlib>

namespace corvane::gallery {

double Args::Number(std::size_t i) const {
  const Value& v = values_.at(i);
  if (v.kind == Value::kNumber) return v.number;
  if (v.kind == Value::kText) {
    // A command-line argument reaches a numeric parameter as a string; the type library
    // converts it, so must we.
    char* end = nullptr;
    const double d = std::strtod(v.text.c_str(), &end);
    if (!v.text.empty() && end && *end == '\0') return d;
    throw ScriptError("argument " + std::to_string(i + 1) + " (\"" + v.text + "\") is not a number");
  }
  throw ScriptError("argument " + std::to_string(i + 1) + " is an array, a number was expected");
}

std::int32_t Args::Long(std::size_t i) const {
  const double d = Number(i);
  // VBScript would round a fraction; the gallery writes whole numbers where a Long goes.
  if (d != std::floor(d) || d < -2147483648.0 || d > 2147483647.0)
    throw ScriptError("argument " + std::to_string(i + 1) + " is not a whole number in the Long range");
  return static_cast<std::int32_t>(d);
}

double Args::Double(std::size_t i) const { return Number(i); }

Color Args::Colour(std::size_t i) const { return static_cast<Color>(static_cast<std::uint32_t>(Long(i))); }

VariantBool Args::Bool(std::size_t i) const { return Number(i) != 0 ? kVariantTrue : kVariantFalse; }

std::u16string Args::Text(std::size_t i) const {
  const Value& v = values_.at(i);
  if (v.kind != Value::kText) throw ScriptError("argument " + std::to_string(i + 1) + " is not a string");
  return std::u16string(v.text.begin(), v.text.end());
}

const std::vector<double>& Args::Numbers(std::size_t i) const {
  const Value& v = values_.at(i);
  if (v.kind != Value::kArray) throw ScriptError("argument " + std::to_string(i + 1) + " is not an Array(...)");
  return v.items;
}

}  // namespace corvane::gallery
