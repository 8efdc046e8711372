#include "platform/svg/svg_geometry.h"

#include <cmath>

namespace corvane {
namespace {

struct DP {
  double x, y;
};

IPoint Round(DP p) {
  return IPoint{static_cast<std::int32_t>(std::llround(p.x)), static_cast<std::int32_t>(std::llround(p.y))};
}

// One Sutherland-Hodgman pass against the half plane `inside`, with `cut` the crossing.
template <typename Inside, typename Cut>
std::vector<DP> Pass(const std::vector<DP>& in, Inside inside, Cut cut) {
  std::vector<DP> out;
  if (in.empty()) return out;
  out.reserve(in.size() + 4);
  DP prev = in.back();
  bool prevIn = inside(prev);
  for (const DP& p : in) {
    const bool pIn = inside(p);
    if (pIn != prevIn) out.push_back(cut(prev, p));
    if (pIn) out.push_back(p);
    prev = p;
    prevIn = pIn;
  }
  return out;
}

}  // namespace

SvgBox SvgBoxAround(std::int32_t w, std::int32_t h, std::int32_t margin) {
  return SvgBox{-std::int64_t{margin}, -std::int64_t{margin}, std::int64_t{w} + margin,
                std::int64_t{h} + margin};
}

bool ClipSegment(const SvgBox& box, IPoint* a, IPoint* b) {
  const auto inside = [&](const IPoint& p) {
    return p.x >= box.left && p.x <= box.right && p.y >= box.top && p.y <= box.bottom;
  };
  if (inside(*a) && inside(*b)) return true;
  // Liang-Barsky on doubles: the int32 inputs are exact, the cut points rounded once.
  const double x0 = a->x, y0 = a->y;
  const double dx = static_cast<double>(b->x) - a->x, dy = static_cast<double>(b->y) - a->y;
  double t0 = 0, t1 = 1;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {x0 - box.left, box.right - x0, y0 - box.top, box.bottom - y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
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
  const IPoint na = Round(DP{x0 + t0 * dx, y0 + t0 * dy});
  const IPoint nb = Round(DP{x0 + t1 * dx, y0 + t1 * dy});
  *a = na;
  *b = nb;
  return true;
}

std::vector<IPoint> ClipPolygon(const SvgBox& box, const IPoint* pts, std::int32_t n) {
  std::vector<DP> poly;
  if (!pts || n <= 0) return {};
  poly.reserve(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) poly.push_back(DP{double(pts[i].x), double(pts[i].y)});
  const double l = box.left, t = box.top, r = box.right, b = box.bottom;
  auto atX = [](DP p, DP q, double x) { return DP{x, p.y + (q.y - p.y) * (x - p.x) / (q.x - p.x)}; };
  auto atY = [](DP p, DP q, double y) { return DP{p.x + (q.x - p.x) * (y - p.y) / (q.y - p.y), y}; };
  poly = Pass(poly, [&](DP p) { return p.x >= l; }, [&](DP p, DP q) { return atX(p, q, l); });
  poly = Pass(poly, [&](DP p) { return p.x <= r; }, [&](DP p, DP q) { return atX(p, q, r); });
  poly = Pass(poly, [&](DP p) { return p.y >= t; }, [&](DP p, DP q) { return atY(p, q, t); });
  poly = Pass(poly, [&](DP p) { return p.y <= b; }, [&](DP p, DP q) { return atY(p, q, b); });
  std::vector<IPoint> out;
  out.reserve(poly.size());
  for (const DP& p : poly) out.push_back(Round(p));
  return out;
}

}  // namespace corvane
