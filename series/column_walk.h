// The polyline and the markers of a plot's points, worked out from the points and their
// mapping with no device position stored. A point whose X or Y is not finite is a gap: no
// segment reaches it and it has no marker.
//
// Plots whose X never decreases are walked a pixel column at a time: the points of a column
// are found by searching X, and the column is drawn from its first, lowest, highest and last
// point (the extremes from the summary). Every segment inside a column is vertical (their
// ends truncate to the same x), so their pixels are the run between the lowest and the
// highest point -- save, for a 1-pixel pen, the very end of a chain, which LineTo leaves out
// and which is worked out exactly. The segments into and out of a column are the real ones.
#pragma once
#include <cstdint>

#include "overlays/polyline_stroker.h"
#include "platform/geometry.h"
#include "series/plot_mapping.h"
#include "series/plot_points.h"

namespace corvane {

// Feeds the stroker the chains through points first..last (0 <= first <= last < count).
// onePixel: the stroker's pen is 1 pixel wide (its chains leave their last pixel out).
void StrokePlotPoints(const PlotPoints& points, const PlotMapping& m, std::int32_t first,
                      std::int32_t last, bool onePixel, PolylineStroker& stroker);

// Receives marker centres.
class MarkerSink {
 public:
  virtual void Marker(IPoint centre) = 0;

 protected:
  ~MarkerSink() = default;
};

// The centres of the markers of points first..last whose device x lies in [left, right]
// (compared unrounded): each centre at least once, gaps left out. Ordered plots cost about
// the number of distinct centres.
void CollectPlotMarkers(const PlotPoints& points, const PlotMapping& m, std::int32_t first,
                        std::int32_t last, double left, double right, MarkerSink& sink);

}  // namespace corvane
