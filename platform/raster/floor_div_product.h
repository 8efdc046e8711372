// floor(a * b / d) and its remainder for 64-bit a and b and d > 0, exactly, where a * b may
// need up to 128 bits (the far coordinates of wide-pen outlines). The product is taken in 64
// bits when it fits; otherwise in two 64-bit halves with a long division, since 32-bit
// targets have no 128-bit integer. The quotient must fit 64 bits.
#pragma once
#include <cstdint>

namespace corvane {

struct FloorQuotient {
  std::int64_t q;  // floor(a * b / d)
  std::int64_t r;  // a * b - q * d, in 0 .. d - 1
};

inline FloorQuotient FloorDivProduct(std::int64_t a, std::int64_t b, std::int64_t d) {
  std::int64_t p;
  if (!__builtin_mul_overflow(a, b, &p)) {
    std::int64_t q = p / d, r = p % d;
    if (r < 0) {
      --q;
      r += d;
    }
    return {q, r};
  }
  // |a| * |b| as 128 unsigned bits from 32-bit pieces.
  const bool negative = (a < 0) != (b < 0);
  const std::uint64_t ua = a < 0 ? 0 - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
  const std::uint64_t ub = b < 0 ? 0 - static_cast<std::uint64_t>(b) : static_cast<std::uint64_t>(b);
  const std::uint64_t a0 = ua & 0xFFFFFFFFu, a1 = ua >> 32, b0 = ub & 0xFFFFFFFFu, b1 = ub >> 32;
  const std::uint64_t p00 = a0 * b0, p01 = a0 * b1, p10 = a1 * b0, p11 = a1 * b1;
  const std::uint64_t mid = (p00 >> 32) + (p01 & 0xFFFFFFFFu) + (p10 & 0xFFFFFFFFu);
  std::uint64_t lo = (p00 & 0xFFFFFFFFu) | (mid << 32);
  std::uint64_t hi = p11 + (p01 >> 32) + (p10 >> 32) + (mid >> 32);
  // Unsigned long division of hi:lo by d, a bit at a time.
  const std::uint64_t ud = static_cast<std::uint64_t>(d);
  std::uint64_t uq = 0, ur = 0;
  for (int i = 127; i >= 0; --i) {
    const std::uint64_t bit = i >= 64 ? (hi >> (i - 64)) & 1u : (lo >> i) & 1u;
    const bool carry = (ur >> 63) != 0;
    ur = (ur << 1) | bit;
    uq <<= 1;
    if (carry || ur >= ud) {
      ur -= ud;
      uq |= 1u;
    }
  }
  std::int64_t q = static_cast<std::int64_t>(uq), r = static_cast<std::int64_t>(ur);
  if (negative) {
    q = -q;
    if (r != 0) {
      --q;
      r = d - r;
    }
  }
  return {q, r};
}

}  // namespace corvane
