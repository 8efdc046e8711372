#include "platform/raster/antialias_stroke.h"

#include <algorithm>
#include <cmath>

namespace corvane {

namespace {

constexpr double kPi = 3.14159265358979323846;

double Cross(DPoint a, DPoint b) { return a.X * b.Y - a.Y * b.X; }
double Dot(DPoint a, DPoint b) { return a.X * b.X + a.Y * b.Y; }

// The direction from p to q, scaled to unit length.
DPoint UnitFrom(DPoint p, DPoint q) {
  const double dx = q.X - p.X, dy = q.Y - p.Y, len = std::sqrt(dx * dx + dy * dy);
  return DPoint{dx / len, dy / len};
}

}  // namespace

AntialiasStroke::AntialiasStroke(double width) { Reset(width); }

void AntialiasStroke::Reset(double width) {
  half_ = std::max(1.0, width) / 2;
  filled_ = next_ = 0;
  // The chord of an arc step of angle s leaves r (1 - cos(s / 2)) between chord and circle.
  const double tolerance = 0.05;
  step_ = tolerance >= half_ ? kPi / 2 : 2 * std::acos(1 - tolerance / half_);
  step_ = std::clamp(step_, 2 * kPi / 256, kPi / 4);
  half_turn_steps_ = std::max(1, static_cast<int>(std::ceil(kPi / step_ - 1e-9)));
  half_turn_cos_ = std::cos(kPi / half_turn_steps_);
  half_turn_sin_ = std::sin(kPi / half_turn_steps_);
}

void AntialiasStroke::Reserve(std::size_t n) {
  points_.reserve(n);
  folded_.reserve(n);
  // The largest piece: a wedge of half a turn in steps of at least step_, its centre and
  // both ends.
  piece_.reserve(static_cast<std::size_t>(std::ceil(kPi / step_)) + 3);
}

bool AntialiasStroke::PackPoint(DPoint p, std::uint64_t* out) const {
  // Stroke centres are whole numbers or halves: twice them are whole numbers, exact in 32
  // bits here.
  const double x = p.X * 2, y = p.Y * 2;
  if (!(std::fabs(x) < 2147483647.0 && std::fabs(y) < 2147483647.0)) return false;
  const auto xi = static_cast<std::int32_t>(x), yi = static_cast<std::int32_t>(y);
  if (xi != x || yi != y) return false;
  *out = (std::uint64_t{static_cast<std::uint32_t>(xi)} << 32) | static_cast<std::uint32_t>(yi);
  return true;
}

bool AntialiasStroke::Insert(Key k) {
  for (int i = 0; i < filled_; ++i)
    if (recent_[i] == k) return false;
  recent_[next_] = k;
  next_ = (next_ + 1) % kRecent;
  filled_ = std::min(filled_ + 1, kRecent);
  return true;
}

bool AntialiasStroke::OutsideBox(DPoint a, DPoint b, const IRect& box) const {
  const double m = half_ + 1;
  return std::max(a.X, b.X) + m < box.left || std::min(a.X, b.X) - m > box.right ||
         std::max(a.Y, b.Y) + m < box.top || std::min(a.Y, b.Y) - m > box.bottom;
}

void AntialiasStroke::AddBody(DPoint a, DPoint b, CoverageRaster& raster) {
  const double dx = b.X - a.X, dy = b.Y - a.Y;
  const double len = std::sqrt(dx * dx + dy * dy);
  const double nx = -dy / len * half_, ny = dx / len * half_;
  // Counter-clockwise whatever the direction: the side left of a -> b first.
  piece_.assign({{a.X - nx, a.Y - ny}, {b.X - nx, b.Y - ny}, {b.X + nx, b.Y + ny}, {a.X + nx, a.Y + ny}});
  raster.AddPolygon(piece_.data(), piece_.size());
}

// `from` is a unit vector; the arc's points are it turned step by step (one rotation per
// step rather than a sine and cosine per point).
void AntialiasStroke::AddWedge(DPoint c, DPoint from, double angle, CoverageRaster& raster) {
  int steps;
  double cs, sn;
  if (std::fabs(angle) == kPi) {
    // Caps and discs, most of the wedges: their rotation is worked out once per pen.
    steps = half_turn_steps_;
    cs = half_turn_cos_;
    sn = angle > 0 ? half_turn_sin_ : -half_turn_sin_;
  } else {
    steps = std::max(1, static_cast<int>(std::ceil(std::fabs(angle) / step_ - 1e-9)));
    const double turn = angle / steps;
    cs = std::cos(turn);
    sn = std::sin(turn);
  }
  piece_.clear();
  piece_.push_back(c);
  DPoint u = from;
  for (int i = 0; i <= steps; ++i) {
    piece_.push_back({c.X + half_ * u.X, c.Y + half_ * u.Y});
    u = {u.X * cs - u.Y * sn, u.X * sn + u.Y * cs};
  }
  // Wound the way the arc turns: counter-clockwise pieces for a positive angle.
  if (angle < 0) std::reverse(piece_.begin(), piece_.end());
  raster.AddPolygon(piece_.data(), piece_.size());
}

// Whether the pen's disc at p is still to be made complete here (false once it is).
bool AntialiasStroke::FirstCover(DPoint p) {
  std::uint64_t k = 0;
  return !PackPoint(p, &k) || Insert(Key{k, 0});
}

bool AntialiasStroke::FirstSegment(DPoint a, DPoint b) {
  std::uint64_t ka = 0, kb = 0;
  if (!PackPoint(a, &ka) || !PackPoint(b, &kb)) return true;
  return Insert(Key{std::min(ka, kb), std::max(ka, kb)});
}

// The half disc around c from the normal `from` through `out`, the direction away from the
// segment it ends (both unit vectors).
void AntialiasStroke::AddCap(DPoint c, DPoint from, DPoint out, CoverageRaster& raster) {
  if (OutsideBox(c, c, raster.box()) || !FirstCover(c)) return;
  AddWedge(c, from, Cross(from, out) > 0 ? kPi : -kPi, raster);
}

// A dense plot goes up and down one pixel column many times before it moves on: three or
// more points on one vertical line that turn back along it. Their stroke is the capsule from
// the lowest to the highest of them, which holds the pen's whole disc at each; it is added
// once, and folded_ marks the points (each run with its own number) whose segments and
// joins it replaces. Retracing the column piece by piece would count the pixels at its ends
// more than once.
void AntialiasStroke::AddFoldedColumns(CoverageRaster& raster) {
  const std::size_t m = points_.size();
  folded_.assign(m, 0);
  std::uint32_t run = 0;
  for (std::size_t i = 0; i < m;) {
    std::size_t j = i;
    bool up = false, down = false;
    double lo = points_[i].Y, hi = points_[i].Y;
    for (; j + 1 < m && points_[j + 1].X == points_[i].X; ++j) {
      (points_[j + 1].Y > points_[j].Y ? up : down) = true;
      lo = std::min(lo, points_[j + 1].Y);
      hi = std::max(hi, points_[j + 1].Y);
    }
    if (up && down) {
      ++run;
      std::fill(folded_.begin() + static_cast<std::ptrdiff_t>(i),
                folded_.begin() + static_cast<std::ptrdiff_t>(j + 1), run);
      const DPoint top{points_[i].X, lo}, bottom{points_[i].X, hi};
      if (!OutsideBox(top, bottom, raster.box()) && FirstSegment(top, bottom)) AddBody(top, bottom, raster);
      AddCap(top, {-1, 0}, {0, -1}, raster);
      AddCap(bottom, {-1, 0}, {0, 1}, raster);
    }
    i = j + 1;
  }
}

void AntialiasStroke::AddChain(const DPoint* pts, std::size_t n, bool closed, CoverageRaster& raster) {
  points_.clear();
  for (std::size_t i = 0; i < n; ++i) {
    if (!std::isfinite(pts[i].X) || !std::isfinite(pts[i].Y)) continue;
    if (!points_.empty() && points_.back().X == pts[i].X && points_.back().Y == pts[i].Y) continue;
    points_.push_back(pts[i]);
  }
  if (closed && points_.size() > 1 && points_.front().X == points_.back().X &&
      points_.front().Y == points_.back().Y)
    points_.pop_back();
  const std::size_t m = points_.size();
  if (m == 0) return;
  const IRect& box = raster.box();
  if (m == 1) {
    // A point: the pen's disc, for pens wider than a pixel (a cosmetic pen draws nothing).
    if (half_ > 0.5 && !OutsideBox(points_[0], points_[0], box) && FirstCover(points_[0])) {
      AddWedge(points_[0], {1, 0}, kPi, raster);
      AddWedge(points_[0], {-1, 0}, kPi, raster);
    }
    return;
  }
  if (m == 2) closed = false;  // there and back: one segment with two caps
  AddFoldedColumns(raster);
  const std::size_t segments = closed ? m : m - 1;
  for (std::size_t i = 0; i < segments; ++i) {
    const std::size_t k = (i + 1) % m;
    if (folded_[i] && folded_[i] == folded_[k]) continue;  // inside its column's capsule
    const DPoint a = points_[i], b = points_[k];
    if (!OutsideBox(a, b, box) && FirstSegment(a, b)) AddBody(a, b, raster);
  }
  // Joins: the wedge between the two segments' normals on the side the turn opens. With
  // the two segments' halves of the disc it completes the disc at the join.
  const std::size_t firstJoin = closed ? 0 : 1, lastJoin = closed ? m : m - 1;
  for (std::size_t j = firstJoin; j < lastJoin; ++j) {
    if (folded_[j]) continue;  // the capsule holds the disc
    const DPoint p = points_[(j + m - 1) % m], c = points_[j], q = points_[(j + 1) % m];
    if (OutsideBox(c, c, box) || !FirstCover(c)) continue;
    const DPoint d1 = UnitFrom(p, c), d2 = UnitFrom(c, q);
    const double turn = std::atan2(Cross(d1, d2), Dot(d1, d2));  // (-pi, pi]
    if (turn == 0) continue;
    // Normal on the outer side: opposite to where the path turns; the arc runs from it
    // through the forward direction to the next segment's normal on the same side.
    const double side = turn > 0 ? -1 : 1;
    const DPoint from{-d1.Y * side, d1.X * side};
    const double sweep = Cross(from, d1) > 0 ? std::fabs(turn) : -std::fabs(turn);
    AddWedge(c, from, sweep, raster);
  }
  if (!closed) {
    // Caps: half discs beyond both ends.
    const DPoint ds = UnitFrom(points_[0], points_[1]), de = UnitFrom(points_[m - 2], points_[m - 1]);
    if (!folded_[0]) AddCap(points_[0], {-ds.Y, ds.X}, {-ds.X, -ds.Y}, raster);
    if (!folded_[m - 1]) AddCap(points_[m - 1], {-de.Y, de.X}, de, raster);
  }
}

}  // namespace corvane
