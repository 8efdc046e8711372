// Elliptic regions as CreateEllipticRgn builds them: the ellipse inscribed in a rectangle,
// as one span per row.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/raster/raster_region.h"

namespace corvane {

// Spans of the ellipse inscribed in [0, w) x [0, h), one per row, relative to the box.
// Degenerate sizes (w or h below 2) give the whole box.
std::vector<RegionSpan> EllipseRows(std::int32_t w, std::int32_t h);

}  // namespace corvane
