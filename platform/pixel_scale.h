// How many device pixels one pixel of the chart's fixed lengths takes (margins, fonts, pens,
// markers...), for high-DPI screens and printing. At 1 every length is left exactly as it is.
#pragma once
#include <cmath>
#include <cstdint>

namespace corvane {

class PixelScale {
 public:
  static constexpr double kMin = 1;
  static constexpr double kMax = 4;

  PixelScale() = default;
  explicit PixelScale(double factor) : factor_(factor) {}

  double factor() const { return factor_; }
  bool IsOne() const { return factor_ == 1; }

  // A length in device pixels: rounded to the nearest pixel, a length of one pixel or more
  // never below one, and saturated, since settings are unchecked.
  std::int32_t operator()(std::int32_t length) const {
    if (factor_ == 1) return length;
    const double v = std::round(length * factor_);
    if (v >= 2147483647.0) return INT32_MAX;
    if (v <= -2147483648.0) return INT32_MIN;
    const auto r = static_cast<std::int32_t>(v);
    return (length >= 1 && r < 1) ? 1 : r;
  }
  // An unrounded length (dash walks, offsets kept in doubles).
  double Real(double length) const { return length * factor_; }

 private:
  double factor_ = 1;
};

}  // namespace corvane
