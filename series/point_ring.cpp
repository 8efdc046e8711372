#include "series/point_ring.h"

#include <algorithm>
#include <cstring>

namespace corvane {

bool PointRing::ReserveFor(std::int64_t n) {
  if (n < 0) return false;
  std::int64_t total = std::int64_t{slots_.count()} + n;
  if (limit_ > 0 && total > limit_) total = limit_;
  if (total > kMaxPoints) return false;
  if (total <= slots_.capacity()) return true;
  // Doubling as single appends grow, or exactly the total when a bulk append needs more; never
  // beyond the limit, which the ring then fills before it wraps.
  std::int64_t wanted = std::max<std::int64_t>(std::int64_t{slots_.capacity()} * 2, 1);
  if (wanted < total || wanted > kMaxPoints) wanted = total;
  if (limit_ > 0 && wanted > limit_) wanted = limit_;
  return slots_.Reserve(static_cast<std::int32_t>(wanted));
}

void PointRing::Unwrap() {
  if (head_ == 0) return;
  DPoint* p = slots_.data();
  std::rotate(p, p + head_, p + slots_.count());
  head_ = 0;
}

std::int32_t PointRing::SetLimit(std::int32_t n) {
  if (n < 0) n = 0;
  Unwrap();
  limit_ = n;
  std::int32_t dropped = 0;
  if (n > 0 && slots_.count() > n) {
    dropped = slots_.count() - n;
    DPoint* p = slots_.data();
    std::memmove(static_cast<void*>(p), p + dropped, sizeof(DPoint) * static_cast<std::size_t>(n));
    slots_.SetCount(n);
  }
  // A failed shrink keeps the larger block, which holds everything still.
  if (n > 0 && slots_.capacity() > n) slots_.ShrinkTo(n);
  return dropped;
}

void PointRing::Clear() {
  slots_.Clear();
  head_ = 0;
}

}  // namespace corvane
