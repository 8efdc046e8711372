// Scan conversion of polygons with the ALTERNATE rule and GDI's fill convention: a pixel
// belongs to the polygon when its top-left corner point lies inside, left and top edges
// inclusive, right and bottom edges exclusive.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/raster/raster_span_sink.h"

namespace corvane {

// A vertex with room for offsets beyond the int32 range (wide pen outlines).
struct LPoint {
  std::int64_t x, y;
};

class PolygonScanner {
 public:
  // Emits the rows of the polygon that fall inside `limit`, spans cut to it. Only the rows of
  // `limit` are visited, so any coordinates are safe.
  void Scan(const IPoint* pts, std::int32_t n, const IRect& limit, SpanSink& sink);
  void Scan(const LPoint* pts, std::int32_t n, const IRect& limit, SpanSink& sink);

 private:
  struct Edge {
    std::int64_t top, bottom;  // rows [top, bottom)
    std::int64_t x0, y0, dx, dy;  // from (x0, y0), dy > 0
  };
  std::vector<Edge> edges_;
  std::vector<const Edge*> active_;
  std::vector<LPoint> points_;
  std::vector<std::int32_t> xs_;
  std::vector<RegionSpan> row_;
};

// The region CreatePolygonRgn(ALTERNATE) makes, limited to the rows and columns any surface
// can have (regions are only ever observed through a surface).
RasterRegion PolygonRegion(const IPoint* pts, std::int32_t n);

// The largest area any region keeps: every surface lies inside it.
IRect RegionUniverse();

}  // namespace corvane
