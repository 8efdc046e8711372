// Round numeric ticks: steps of 1, 2 or 5 times a power of ten (Heckbert's nice numbers), the
// multiples of a step inside a range, and the one fixed-point or exponent format that labels
// every tick of such a step alike (1.0 1.5 2.0, never 1 1.5 2).
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace corvane {

// mantissa x 10^exponent, mantissa 1, 2 or 5. Exponents stay within the normal doubles.
struct NiceStep {
  int mantissa = 1;
  int exponent = 0;

  static constexpr int kMinExponent = -307;
  static constexpr int kMaxExponent = 307;

  // The smallest nice step >= `at_least` (> 0, finite); false when that falls outside
  // 1e-307 .. 5e307.
  static bool AtLeast(double at_least, NiceStep* out);
  // The next larger one; false past 5e307.
  bool Next();
  double Value() const;
  // The k-th multiple, computed as (k * mantissa) scaled by the power of ten in one
  // rounding, so that 3 x 0.1 is the double nearest 0.3, as its label says.
  double Multiple(std::int64_t k) const;
  // Decimals of a fixed-point label: 0 for steps of 1 and more, 1 for 0.5, 2 for 0.05, ...
  int Decimals() const { return exponent < 0 ? -exponent : 0; }
};

// Exactly 10^e for e in -323..308, the nearest double, from the decimal text.
double PowerOfTen(int e);

// The multiples of `step` in [lo, hi] (ends included, with a relative slack of 1e-9 of a
// step for rounding), ascending, into *out. False, with *out cleared, when there would be
// more than `most`, or when the multiples cannot be told apart (a step below 2^-50 of the
// values' magnitude).
bool NiceMultiples(const NiceStep& step, double lo, double hi, std::size_t most,
                   std::vector<double>* out);

// The smallest multiple of `step` <= v and the largest >= v (with the same slack): a range
// widened outward to whole ticks.
double FloorToStep(const NiceStep& step, double v);
double CeilToStep(const NiceStep& step, double v);

// How every label of an axis of this step is written: fixed-point with Decimals() for
// values below 1e15 and steps of 1e-10 or more, otherwise d.ddE+XX with as many digits as
// the step needs beside the largest magnitude.
class NiceLabels {
 public:
  NiceLabels(const NiceStep& step, double largest_magnitude);
  std::string operator()(double v) const;

 private:
  bool scientific_ = false;
  int digits_ = 0;  // decimals of the fixed form, or of the mantissa
};

}  // namespace corvane
