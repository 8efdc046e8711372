#include "overlays/fill_outline.h"

#include <algorithm>

namespace corvane {
namespace {

// Whether b lies more than 2 pixels from a. Coordinates span the whole int32 range, so the
// differences are 64-bit and the square is formed only once both are small.
bool FarEnough(IPoint a, IPoint b) {
  const std::int64_t dx = std::int64_t{b.x} - a.x;
  const std::int64_t dy = std::int64_t{b.y} - a.y;
  if (dx > 2 || dx < -2 || dy > 2 || dy < -2) return true;
  return dx * dx + dy * dy > 4;
}

}  // namespace

bool FillOutline::Reserve(std::int32_t n) {
  if (n <= kInline) {
    data_ = inline_;
    return true;
  }
  if (!heap_.Reserve(n)) return false;
  data_ = heap_.data();
  return true;
}

void FillOutline::Take(const DPoint* pts, std::int32_t n, bool thin) {
  count_ = 0;
  for (std::int32_t i = 0; i < n; ++i) {
    const IPoint p{TruncToInt32(pts[i].X), TruncToInt32(pts[i].Y)};
    if (thin && count_ > 0 && !FarEnough(data_[count_ - 1], p)) continue;
    data_[count_++] = p;
  }
  minX_ = maxX_ = data_[0].x;
  minY_ = maxY_ = data_[0].y;
  for (std::int32_t i = 1; i < count_; ++i) {
    minX_ = std::min(minX_, data_[i].x);
    maxX_ = std::max(maxX_, data_[i].x);
    minY_ = std::min(minY_, data_[i].y);
    maxY_ = std::max(maxY_, data_[i].y);
  }
}

bool FillOutline::Build(const DPoint* pts, std::int32_t n) {
  count_ = 0;
  if (!pts || n <= 0) return false;
  for (std::int32_t i = 0; i < n; ++i)
    if (pts[i].X != pts[i].X || pts[i].Y != pts[i].Y) return false;
  if (!Reserve(n)) return false;
  Take(pts, n, true);
  if (count_ < 3 && n >= 3) Take(pts, n, false);
  return true;
}

}  // namespace corvane
