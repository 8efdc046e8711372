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

// guard: left, top, right, bottom.
bool Beyond(const DPoint& p, const double (&guard)[4]) {
  return p.X < guard[0] || p.Y < guard[1] || p.X > guard[2] || p.Y > guard[3];
}

// One Sutherland-Hodgman step: keeps the side of the line coord(axis) = limit where
// sign * (coord - limit) <= 0. Cutting a polygon by a half-plane keeps the even-odd count
// of every point inside it, so the ALTERNATE fill there is unchanged.
bool CutHalfPlane(const GrowableArray<DPoint>& in, bool xAxis, double limit, double sign,
                  GrowableArray<DPoint>* out) {
  out->Clear();
  const std::int32_t n = in.count();
  if (n == 0) return true;
  if (!out->Reserve(2 * n)) return false;
  auto coord = [xAxis](const DPoint& p) { return xAxis ? p.X : p.Y; };
  auto inside = [&](const DPoint& p) { return sign * (coord(p) - limit) <= 0; };
  for (std::int32_t i = 0; i < n; ++i) {
    const DPoint& a = in[i];
    const DPoint& b = in[i + 1 == n ? 0 : i + 1];
    if (inside(a)) out->Append(a);
    if (inside(a) != inside(b)) {
      const double t = (limit - coord(a)) / (coord(b) - coord(a));
      out->Append(xAxis ? DPoint{limit, a.Y + t * (b.Y - a.Y)} : DPoint{a.X + t * (b.X - a.X), limit});
    }
  }
  return true;
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
  if (count_ == 0) return;
  minX_ = maxX_ = data_[0].x;
  minY_ = maxY_ = data_[0].y;
  for (std::int32_t i = 1; i < count_; ++i) {
    minX_ = std::min(minX_, data_[i].x);
    maxX_ = std::max(maxX_, data_[i].x);
    minY_ = std::min(minY_, data_[i].y);
    maxY_ = std::max(maxY_, data_[i].y);
  }
}

bool FillOutline::CutToGuard(const DPoint* pts, std::int32_t n, const double (&guard)[4]) {
  // Infinities become the largest finite values first, so that every cut point is a number.
  constexpr double kBig = 1e300;
  cut_.Clear();
  if (!cut_.Reserve(n)) return false;
  for (std::int32_t i = 0; i < n; ++i)
    cut_.Append(DPoint{std::clamp(pts[i].X, -kBig, kBig), std::clamp(pts[i].Y, -kBig, kBig)});
  GrowableArray<DPoint> other;
  return CutHalfPlane(cut_, true, guard[0], -1, &other) && CutHalfPlane(other, false, guard[1], -1, &cut_) &&
         CutHalfPlane(cut_, true, guard[2], 1, &other) && CutHalfPlane(other, false, guard[3], 1, &cut_);
}

bool FillOutline::Build(const DPoint* pts, std::int32_t n, const IRect& clipBox) {
  count_ = 0;
  if (!pts || n <= 0) return false;
  const double guard[4] = {clipBox.left - kGuardMargin, clipBox.top - kGuardMargin,
                           clipBox.right + kGuardMargin, clipBox.bottom + kGuardMargin};
  bool far = false;
  for (std::int32_t i = 0; i < n; ++i) {
    if (pts[i].X != pts[i].X || pts[i].Y != pts[i].Y) return false;
    far = far || Beyond(pts[i], guard);
  }
  if (far) {
    if (!CutToGuard(pts, n, guard)) return false;
    pts = cut_.data();
    n = cut_.count();
  }
  if (!Reserve(n)) return false;
  Take(pts, n, true);
  if (count_ < 3 && n >= 3) Take(pts, n, false);
  return true;
}

}  // namespace corvane
