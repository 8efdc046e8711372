#include "appearance/log_ticks.h"

#include <cmath>
#include <cstdlib>

#include "appearance/calendar.h"
#include "appearance/nice_ticks.h"

namespace corvane {
namespace {

constexpr int kLowestPower = -323, kHighestPower = 308;  // 1e-323 is still a (subnormal) double

int Clamped(double p) {
  if (!(p > kLowestPower)) return kLowestPower;
  if (!(p < kHighestPower)) return kHighestPower;
  return static_cast<int>(p);
}

// The lowest power of ten >= v and the highest <= v, settled on the doubles themselves
// (log10 may be off by one next to a power); clamped to the powers a double holds.
int PowerAtOrAbove(double v) {
  int p = Clamped(std::ceil(std::log10(v)));
  while (p < kHighestPower && PowerOfTen(p) < v) ++p;
  while (p > kLowestPower && PowerOfTen(p - 1) >= v) --p;
  return p;
}

int PowerAtOrBelow(double v) {
  int p = Clamped(std::floor(std::log10(v)));
  while (p > kLowestPower && PowerOfTen(p) > v) --p;
  while (p < kHighestPower && PowerOfTen(p + 1) <= v) ++p;
  return p;
}

int PowerOf(double power) { return Clamped(std::round(std::log10(power))); }

std::string PlainPower(int p) {
  if (p >= 0) return "1" + std::string(static_cast<std::size_t>(p), '0');
  return "0." + std::string(static_cast<std::size_t>(-p - 1), '0') + "1";
}

std::string ExponentPower(int p) {
  std::string digits = std::to_string(std::abs(p));
  if (digits.size() < 2) digits.insert(0, 1, '0');
  return std::string(p < 0 ? "1E-" : "1E+") + digits;
}

}  // namespace

int DecadeStep(std::size_t index) {
  static const int kSteps[] = {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000};
  return index < sizeof kSteps / sizeof kSteps[0] ? kSteps[index] : 0;
}

int PowersOfTenWithin(double lo, double hi) {
  if (!(lo > 0) || !(hi >= lo)) return 0;
  const int n = PowerAtOrBelow(hi) - PowerAtOrAbove(lo) + 1;
  return n > 0 && PowerOfTen(PowerAtOrAbove(lo)) <= hi ? n : 0;
}

bool DecadeTicks(int step, double lo, double hi, std::size_t most, std::vector<double>* out) {
  out->clear();
  if (step < 1 || !(lo > 0) || !(hi >= lo)) return false;
  const std::int64_t first = -FloorDiv(-PowerAtOrAbove(lo), step);
  const std::int64_t last = FloorDiv(PowerAtOrBelow(hi), step);
  for (std::int64_t k = first; k <= last; ++k) {
    const double v = PowerOfTen(static_cast<int>(k * step));
    if (v < lo || v > hi) continue;
    if (out->size() >= most) {
      out->clear();
      return false;
    }
    out->push_back(v);
  }
  return true;
}

void DecadeMinorTicks(int step, double lo, double hi, double pixelsPerDecade,
                      std::vector<double>* out) {
  out->clear();
  if (step < 1 || !(lo > 0) || !(hi >= lo) || !(pixelsPerDecade >= 3)) return;
  const int first = PowerAtOrBelow(lo), last = PowerAtOrAbove(hi);
  if (step > 1) {
    for (int p = first; p <= last; ++p) {
      const double v = PowerOfTen(p);
      if (p % step != 0 && v >= lo && v <= hi) out->push_back(v);
    }
    return;
  }
  static const int kAll[] = {2, 3, 4, 5, 6, 7, 8, 9};
  static const int kSome[] = {2, 5};
  const bool all = pixelsPerDecade * std::log10(10.0 / 9.0) >= 3;
  if (!all && !(pixelsPerDecade * std::log10(2.0) >= 3)) return;
  const int* multiples = all ? kAll : kSome;
  const int count = all ? 8 : 2;
  for (int p = first; p <= last; ++p) {
    for (int k = 0; k < count; ++k) {
      // j x 10^p with one rounding, as the labels read it.
      const double v = p >= 0 ? multiples[k] * PowerOfTen(p) : multiples[k] / PowerOfTen(-p);
      if (v >= lo && v <= hi && std::isfinite(v)) out->push_back(v);
    }
  }
}

std::vector<std::string> DecadeLabels(const std::vector<double>& powers,
                                      const LabelFormat* format) {
  std::vector<std::string> labels;
  labels.reserve(powers.size());
  bool plain = true;
  for (double v : powers) {
    const int p = PowerOf(v);
    if (p < -4 || p > 6) plain = false;
  }
  for (double v : powers) {
    if (format)
      labels.push_back(FormatAxisValue(*format, v, DateEpoch::kOle));
    else
      labels.push_back(plain ? PlainPower(PowerOf(v)) : ExponentPower(PowerOf(v)));
  }
  return labels;
}

void WidenToDecades(int step, double* lo, double* hi) {
  if (step < 1 || !(*lo > 0) || !(*hi >= *lo)) return;
  const int low = static_cast<int>(FloorDiv(PowerAtOrBelow(*lo), step) * step);
  const int high = static_cast<int>(-FloorDiv(-PowerAtOrAbove(*hi), step) * step);
  // A multiple beyond the doubles' powers leaves that end as it is.
  if (low >= kLowestPower && PowerOfTen(low) <= *lo) *lo = PowerOfTen(low);
  if (high <= kHighestPower && PowerOfTen(high) >= *hi) *hi = PowerOfTen(high);
}

}  // namespace corvane
