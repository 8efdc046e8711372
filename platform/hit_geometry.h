// The geometry of hit testing: how far a device position lies from the shapes the drawers
// paint (segments, boxes, filled polygons), and where on them the nearest position is. All in
// unrounded device pixels; nothing here draws.
#pragma once
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace corvane {

// The position asked about and how far from it a shape may lie and still count.
struct HitProbe {
  double x = 0, y = 0;
  double radius = 0;
};

// A closed device box [left, right] x [top, bottom].
struct DBox {
  double left, top, right, bottom;
  bool Empty() const { return !(left <= right && top <= bottom); }  // NaN edges too
};

inline DBox BoxOf(const IRect& r) {
  return DBox{static_cast<double>(r.left), static_cast<double>(r.top),
              static_cast<double>(r.right), static_cast<double>(r.bottom)};
}

inline DBox Intersection(const DBox& a, const DBox& b) {
  return DBox{std::fmax(a.left, b.left), std::fmax(a.top, b.top), std::fmin(a.right, b.right),
              std::fmin(a.bottom, b.bottom)};
}

inline bool Contains(const DBox& b, double x, double y) {
  return b.left <= x && x <= b.right && b.top <= y && y <= b.bottom;
}

// What one record answers a probe: whether something of it lies within the radius, how far,
// and the world position of the nearest place on it.
struct RecordHit {
  bool found = false;
  double distance = 0;
  double x = 0, y = 0;
};

// The nearest position on a shape and its distance from the probe.
struct NearestPosition {
  double distance = INFINITY;
  double x = 0, y = 0;
};

// On the segment a-b (a point when both ends coincide).
inline NearestPosition NearestOnSegment(double px, double py, double ax, double ay, double bx,
                                        double by) {
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
  t = t < 0 ? 0 : (t > 1 ? 1 : t);
  NearestPosition n;
  n.x = ax + t * dx;
  n.y = ay + t * dy;
  n.distance = std::hypot(px - n.x, py - n.y);
  return n;
}

// In the box (the probe's own position when it lies inside).
inline NearestPosition NearestInBox(double px, double py, const DBox& b) {
  NearestPosition n;
  n.x = px < b.left ? b.left : (px > b.right ? b.right : px);
  n.y = py < b.top ? b.top : (py > b.bottom ? b.bottom : py);
  n.distance = std::hypot(px - n.x, py - n.y);
  return n;
}

// Cuts the segment a-b to the box (Liang-Barsky); false when nothing of it lies inside, or an
// end is not a finite number.
bool ClipSegmentToBox(const DBox& box, double* ax, double* ay, double* bx, double* by);

// Even-odd (ALTERNATE) fill: whether (x, y) lies inside the closed polygon.
bool InsideEvenOdd(const DPoint* pts, std::int32_t n, double x, double y);

// The polygon cut to the box (each edge of the box in turn): the even-odd fill of the result
// is the fill of the original within the box. Empty when nothing is left.
std::vector<DPoint> ClipPolygonToBox(const DPoint* pts, std::int32_t n, const DBox& box);

// Nearest position on the outline or in the even-odd fill of a closed polygon.
NearestPosition NearestOnFilledPolygon(const DPoint* pts, std::int32_t n, double px, double py);

}  // namespace corvane
