// The values a gallery script passes, and their conversion to a member's parameter types
// with VBScript's rules for the cases the gallery uses (a failed conversion throws
// ScriptError, which the runner reports with the line).
#pragma once
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "control/automation.h"

namespace corvane::gallery {

struct ScriptError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct Value {
  enum Kind { kNumber, kText, kArray } kind = kNumber;
  double number = 0;          // kNumber (True is -1, False 0, as in VBScript)
  std::string text;           // kText: ASCII
  std::vector<double> items;  // kArray
};

// A member's arguments, read as the types of its parameters.
class Args {
 public:
  explicit Args(const std::vector<Value>& values) : values_(values) {}
  std::size_t size() const { return values_.size(); }
  std::int32_t Long(std::size_t i) const;    // a whole number in the Long range
  double Double(std::size_t i) const;
  Color Colour(std::size_t i) const;         // an OLE_COLOR: a Long, taken as its 32 bits
  VariantBool Bool(std::size_t i) const;     // nonzero is True
  std::u16string Text(std::size_t i) const;
  const std::vector<double>& Numbers(std::size_t i) const;

 private:
  double Number(std::size_t i) const;
  const std::vector<Value>& values_;
};

}  // namespace corvane::gallery
