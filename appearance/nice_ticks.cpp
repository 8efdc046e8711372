#include "appearance/nice_ticks.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace corvane {
namespace {

// A value this close to a multiple (in steps) counts as on it: k * step is rounded once.
constexpr double kSlack = 1e-9;
// Multiples are told apart only while the step is at least this share of the values.
constexpr double kFinestShare = 0x1p-50;

}  // namespace

double PowerOfTen(int e) {
  constexpr int kLow = -323, kHigh = 308;
  if (e < kLow) return 0.0;
  if (e > kHigh) return HUGE_VAL;
  // Read from their decimal text once: each is the double nearest the power.
  static const std::array<double, kHigh - kLow + 1> kPowers = [] {
    std::array<double, kHigh - kLow + 1> p{};
    for (int k = kLow; k <= kHigh; ++k) {
      char text[16];
      const int n = std::snprintf(text, sizeof text, "1e%d", k);
      std::from_chars(text, text + n, p[static_cast<std::size_t>(k - kLow)]);
    }
    return p;
  }();
  return kPowers[static_cast<std::size_t>(e - kLow)];
}

bool NiceStep::AtLeast(double at_least, NiceStep* out) {
  if (!(at_least > 0) || !std::isfinite(at_least)) return false;
  int e = static_cast<int>(std::floor(std::log10(at_least)));
  if (e < kMinExponent) e = kMinExponent;
  if (e > kMaxExponent) return false;
  // log10 may land one off for values next to a power of ten: start below, walk up.
  NiceStep s{1, e > kMinExponent ? e - 1 : e};
  while (s.Value() < at_least)
    if (!s.Next()) return false;
  *out = s;
  return true;
}

bool NiceStep::Next() {
  if (mantissa == 1) {
    mantissa = 2;
  } else if (mantissa == 2) {
    mantissa = 5;
  } else {
    if (exponent >= kMaxExponent) return false;
    mantissa = 1;
    ++exponent;
  }
  return true;
}

double NiceStep::Value() const { return Multiple(1); }

double NiceStep::Multiple(std::int64_t k) const {
  const double units = static_cast<double>(k) * mantissa;
  return exponent >= 0 ? units * PowerOfTen(exponent) : units / PowerOfTen(-exponent);
}

bool NiceMultiples(const NiceStep& step, double lo, double hi, std::size_t most,
                   std::vector<double>* out) {
  out->clear();
  const double s = step.Value();
  const double magnitude = std::fmax(std::fabs(lo), std::fabs(hi));
  if (!std::isfinite(lo) || !std::isfinite(hi) || !(s >= magnitude * kFinestShare)) return false;
  const double first = std::ceil(lo / s - kSlack);
  const double last = std::floor(hi / s + kSlack);
  if (last < first) return true;
  if (last - first + 1 > static_cast<double>(most)) return false;
  const std::int64_t kFirst = static_cast<std::int64_t>(first);
  const std::int64_t kLast = static_cast<std::int64_t>(last);
  out->reserve(static_cast<std::size_t>(kLast - kFirst + 1));
  for (std::int64_t k = kFirst; k <= kLast; ++k) out->push_back(step.Multiple(k));
  return true;
}

double FloorToStep(const NiceStep& step, double v) {
  return step.Multiple(static_cast<std::int64_t>(std::floor(v / step.Value() + kSlack)));
}

double CeilToStep(const NiceStep& step, double v) {
  return step.Multiple(static_cast<std::int64_t>(std::ceil(v / step.Value() - kSlack)));
}

NiceLabels::NiceLabels(const NiceStep& step, double largest_magnitude) {
  scientific_ = !(largest_magnitude < 1e15) || step.exponent < -10;
  if (!scientific_) {
    digits_ = step.Decimals();
    return;
  }
  // The mantissa shows the step's digit beside the largest value's first one.
  const int top = largest_magnitude > 0
                      ? static_cast<int>(std::floor(std::log10(largest_magnitude)))
                      : step.exponent;
  digits_ = top > step.exponent ? top - step.exponent : 0;
  if (digits_ > 16) digits_ = 16;
}

std::string NiceLabels::operator()(double v) const {
  char buf[400];  // 309 digits of the largest double in fixed form, a sign, the decimals
  const std::to_chars_result r =
      std::to_chars(buf, buf + sizeof buf, v,
                    scientific_ ? std::chars_format::scientific : std::chars_format::fixed,
                    digits_);
  if (r.ec != std::errc()) return std::string();
  std::string text(buf, r.ptr);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

}  // namespace corvane
