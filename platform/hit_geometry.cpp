#include "platform/hit_geometry.h"

namespace corvane {

bool ClipSegmentToBox(const DBox& box, double* ax, double* ay, double* bx, double* by) {
  if (!std::isfinite(*ax) || !std::isfinite(*ay) || !std::isfinite(*bx) || !std::isfinite(*by) ||
      box.Empty())
    return false;
  const double dx = *bx - *ax, dy = *by - *ay;
  double t0 = 0, t1 = 1;
  // Each edge as p * t <= q.
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {*ax - box.left, box.right - *ax, *ay - box.top, box.bottom - *ay};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) {
      if (t > t1) return false;
      if (t > t0) t0 = t;
    } else {
      if (t < t0) return false;
      if (t < t1) t1 = t;
    }
  }
  const double x0 = *ax + t0 * dx, y0 = *ay + t0 * dy;
  *bx = *ax + t1 * dx;
  *by = *ay + t1 * dy;
  *ax = x0;
  *ay = y0;
  return true;
}

bool InsideEvenOdd(const DPoint* pts, std::int32_t n, double x, double y) {
  bool inside = false;
  for (std::int32_t i = 0, j = n - 1; i < n; j = i++) {
    const DPoint& a = pts[i];
    const DPoint& b = pts[j];
    // Half-open in y, so a vertex on the ray's height is counted once.
    if ((a.Y > y) != (b.Y > y)) {
      const double xCross = a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y);
      if (x < xCross) inside = !inside;
    }
  }
  return inside;
}

namespace {

// One step of Sutherland-Hodgman: keeps what lies on the inner side of one box edge.
template <typename Inside, typename Cross>
std::vector<DPoint> ClipAgainst(const std::vector<DPoint>& in, Inside inside, Cross cross) {
  std::vector<DPoint> out;
  if (in.empty()) return out;
  out.reserve(in.size() + 4);
  DPoint prev = in.back();
  bool prevIn = inside(prev);
  for (const DPoint& cur : in) {
    const bool curIn = inside(cur);
    if (curIn != prevIn) out.push_back(cross(prev, cur));
    if (curIn) out.push_back(cur);
    prev = cur;
    prevIn = curIn;
  }
  return out;
}

DPoint AtX(const DPoint& a, const DPoint& b, double x) {
  return DPoint{x, a.Y + (x - a.X) * (b.Y - a.Y) / (b.X - a.X)};
}
DPoint AtY(const DPoint& a, const DPoint& b, double y) {
  return DPoint{a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y), y};
}

}  // namespace

std::vector<DPoint> ClipPolygonToBox(const DPoint* pts, std::int32_t n, const DBox& box) {
  std::vector<DPoint> poly(pts, pts + (n > 0 ? n : 0));
  poly = ClipAgainst(poly, [&](const DPoint& p) { return p.X >= box.left; },
                     [&](const DPoint& a, const DPoint& b) { return AtX(a, b, box.left); });
  poly = ClipAgainst(poly, [&](const DPoint& p) { return p.X <= box.right; },
                     [&](const DPoint& a, const DPoint& b) { return AtX(a, b, box.right); });
  poly = ClipAgainst(poly, [&](const DPoint& p) { return p.Y >= box.top; },
                     [&](const DPoint& a, const DPoint& b) { return AtY(a, b, box.top); });
  poly = ClipAgainst(poly, [&](const DPoint& p) { return p.Y <= box.bottom; },
                     [&](const DPoint& a, const DPoint& b) { return AtY(a, b, box.bottom); });
  if (poly.size() < 3) poly.clear();
  return poly;
}

NearestPosition NearestOnFilledPolygon(const DPoint* pts, std::int32_t n, double px, double py) {
  NearestPosition best;
  if (n < 3) return best;
  if (InsideEvenOdd(pts, n, px, py)) {
    best.distance = 0;
    best.x = px;
    best.y = py;
    return best;
  }
  for (std::int32_t i = 0, j = n - 1; i < n; j = i++) {
    const NearestPosition e = NearestOnSegment(px, py, pts[j].X, pts[j].Y, pts[i].X, pts[i].Y);
    if (e.distance < best.distance) best = e;
  }
  return best;
}

}  // namespace corvane
