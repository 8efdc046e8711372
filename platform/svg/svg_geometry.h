// Geometry cut to a box around the picture before it is written. The engine hands extreme
// coordinates through (a line to a point at INT32_MAX, a rectangle from INT32_MIN); SVG
// renderers keep coordinates in floats or 24.8 fixed point and draw those wrongly, so every
// shape is cut to a box a margin wider than the picture, where the cut cannot be seen.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace corvane {

struct SvgBox {
  std::int64_t left, top, right, bottom;
};

// The box of a w x h picture with `margin` pixels on every side.
SvgBox SvgBoxAround(std::int32_t w, std::int32_t h, std::int32_t margin);

// Cuts the segment a -> b to the box (end points rounded to whole pixels); false when no
// part of it lies inside.
bool ClipSegment(const SvgBox& box, IPoint* a, IPoint* b);

// The polygon cut to the box (Sutherland-Hodgman, so the even-odd inside stays the same
// within the box); empty when nothing of it is inside.
std::vector<IPoint> ClipPolygon(const SvgBox& box, const IPoint* pts, std::int32_t n);

// A coordinate held inside [lo, hi].
inline std::int64_t ClampTo(std::int64_t v, std::int64_t lo, std::int64_t hi) {
  return v < lo ? lo : (v > hi ? hi : v);
}

}  // namespace corvane
