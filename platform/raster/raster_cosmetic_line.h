// One-pixel (cosmetic) pen lines as GDI draws them: Bresenham along the major axis, ties
// broken per octant, the last pixel left out. The pixel for step i along the major axis is
// found in closed form, so a line is clipped to a box exactly and only its visible steps are
// walked, whatever int32 coordinates it has.
#pragma once
#include <algorithm>
#include <cstdint>

#include "platform/geometry.h"

namespace corvane {

namespace cosmetic_line_detail {

// ceil(a / b) and floor(a / b) for b > 0.
inline __int128 CeilDiv(__int128 a, __int128 b) {
  __int128 q = a / b;
  if (a % b != 0 && a > 0) ++q;
  return q;
}
inline __int128 FloorDiv(__int128 a, __int128 b) {
  __int128 q = a / b;
  if (a % b != 0 && a < 0) --q;
  return q;
}

// 1 when a tie (the exact minor offset ends in .5) rounds toward the start point, 0 when it
// rounds away. Indexed by [y_major][dx < 0][dy < 0].
extern const int kTieBias[2][2][2];

}  // namespace cosmetic_line_detail

// The major-axis steps whose pixels fall inside `box` (right/bottom exclusive); `box` must
// be inside int32 and non-empty. Calls plot(x, y) for each, in drawing order.
template <typename Plot>
void ForEachCosmeticPixel(IPoint p0, IPoint p1, const IRect& box, Plot&& plot) {
  using namespace cosmetic_line_detail;
  const std::int64_t dx = static_cast<std::int64_t>(p1.x) - p0.x;
  const std::int64_t dy = static_cast<std::int64_t>(p1.y) - p0.y;
  if (dx == 0 && dy == 0) return;
  const std::int64_t adx = dx < 0 ? -dx : dx;
  const std::int64_t ady = dy < 0 ? -dy : dy;
  const bool y_major = ady > adx;
  // Major axis a, minor axis b, in a frame where both advance positively.
  const std::int64_t da = y_major ? ady : adx;
  const std::int64_t db = y_major ? adx : ady;
  const int sa = (y_major ? dy : dx) < 0 ? -1 : 1;
  const int sb = (y_major ? dx : dy) < 0 ? -1 : 1;
  const std::int64_t a0 = y_major ? p0.y : p0.x;
  const std::int64_t b0 = y_major ? p0.x : p0.y;
  const std::int64_t a_lo = y_major ? box.top : box.left;
  const std::int64_t a_hi = (y_major ? box.bottom : box.right) - 1;
  const std::int64_t b_lo = y_major ? box.left : box.top;
  const std::int64_t b_hi = (y_major ? box.right : box.bottom) - 1;
  const int bias = kTieBias[y_major ? 1 : 0][dx < 0 ? 1 : 0][dy < 0 ? 1 : 0];

  // Steps i in [0, da) with the major coordinate inside the box.
  std::int64_t i_lo = 0, i_hi = da - 1;
  if (sa > 0) {
    i_lo = std::max(i_lo, a_lo - a0);
    i_hi = std::min(i_hi, a_hi - a0);
  } else {
    i_lo = std::max(i_lo, a0 - a_hi);
    i_hi = std::min(i_hi, a0 - a_lo);
  }
  if (i_lo > i_hi) return;
  // Minor offset k(i) = floor((2*i*db + da - bias) / (2*da)), nondecreasing in i.
  std::int64_t k_lo = sb > 0 ? b_lo - b0 : b0 - b_hi;
  std::int64_t k_hi = sb > 0 ? b_hi - b0 : b0 - b_lo;
  if (db == 0) {
    if (k_lo > 0 || k_hi < 0) return;
  } else {
    const __int128 two_da = static_cast<__int128>(2) * da;
    const __int128 two_db = static_cast<__int128>(2) * db;
    // First i with k(i) >= k_lo, last i with k(i) <= k_hi.
    const __int128 first = CeilDiv(two_da * k_lo - da + bias, two_db);
    const __int128 last = CeilDiv(two_da * (static_cast<__int128>(k_hi) + 1) - da + bias, two_db) - 1;
    if (first > i_lo) i_lo = first > i_hi ? i_hi + 1 : static_cast<std::int64_t>(first);
    if (last < i_hi) i_hi = last < i_lo ? i_lo - 1 : static_cast<std::int64_t>(last);
    if (i_lo > i_hi) return;
  }
  // Walk the visible steps with an incremental error term.
  const __int128 num0 = static_cast<__int128>(2) * i_lo * db + da - bias;
  std::int64_t k = static_cast<std::int64_t>(FloorDiv(num0, static_cast<__int128>(2) * da));
  std::int64_t rem = static_cast<std::int64_t>(num0 - static_cast<__int128>(k) * 2 * da);
  const std::int64_t step = 2 * db;
  const std::int64_t wrap = 2 * da;
  std::int64_t a = a0 + sa * i_lo;
  for (std::int64_t i = i_lo; i <= i_hi; ++i) {
    const std::int64_t b = b0 + sb * k;
    if (y_major) plot(static_cast<std::int32_t>(b), static_cast<std::int32_t>(a));
    else plot(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b));
    a += sa;
    rem += step;
    if (rem >= wrap) {
      rem -= wrap;
      ++k;
    }
  }
}

}  // namespace corvane
