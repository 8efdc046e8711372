// A stack of one-pixel rows of changing colour (how a vertical gradient is painted on a
// raster) written as the few stops of a linear gradient.
#pragma once
#include <cstddef>
#include <vector>

#include "platform/geometry.h"

namespace corvane {

// Indices into `rows` of the stops to keep: the first, the last, and as few in between as
// make straight interpolation between neighbouring stops reproduce every row within one
// level per channel. Empty for no rows.
std::vector<std::size_t> GradientStops(const std::vector<Color>& rows);

}  // namespace corvane
