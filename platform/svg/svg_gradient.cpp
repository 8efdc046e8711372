#include "platform/svg/svg_gradient.h"

#include <cmath>

namespace corvane {
namespace {

// Whether every row strictly between a and b lies within one level of the straight line
// from row a to row b.
bool Straight(const std::vector<Color>& rows, std::size_t a, std::size_t b) {
  const double span = static_cast<double>(b - a);
  for (std::size_t i = a + 1; i < b; ++i) {
    const double t = static_cast<double>(i - a) / span;
    const int ra = RedOf(rows[a]), ga = GreenOf(rows[a]), ba = BlueOf(rows[a]);
    const int rb = RedOf(rows[b]), gb = GreenOf(rows[b]), bb = BlueOf(rows[b]);
    if (std::fabs(ra + (rb - ra) * t - RedOf(rows[i])) > 1.0) return false;
    if (std::fabs(ga + (gb - ga) * t - GreenOf(rows[i])) > 1.0) return false;
    if (std::fabs(ba + (bb - ba) * t - BlueOf(rows[i])) > 1.0) return false;
  }
  return true;
}

}  // namespace

std::vector<std::size_t> GradientStops(const std::vector<Color>& rows) {
  std::vector<std::size_t> stops;
  if (rows.empty()) return stops;
  std::size_t anchor = 0;
  stops.push_back(0);
  while (anchor + 1 < rows.size()) {
    // Grow the stretch from the anchor while it stays straight; a painted gradient is one
    // stretch, so this stays linear for it.
    std::size_t end = anchor + 1;
    while (end + 1 < rows.size() && Straight(rows, anchor, end + 1)) ++end;
    stops.push_back(end);
    anchor = end;
  }
  return stops;
}

}  // namespace corvane
