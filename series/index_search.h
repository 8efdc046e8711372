// Binary search over point indices.
#pragma once
#include <cstdint>

namespace corvane {

// The first index in [lo, hi] for which `past` holds, or hi + 1 if none; `past` must hold
// for every index after one it holds for.
template <typename Past>
std::int32_t FirstWhere(std::int32_t lo, std::int32_t hi, Past&& past) {
  std::int32_t n = hi - lo + 1;
  while (n > 0) {
    const std::int32_t half = n / 2;
    if (past(lo + half)) {
      n = half;
    } else {
      lo += half + 1;
      n -= half + 1;
    }
  }
  return lo;
}

}  // namespace corvane
