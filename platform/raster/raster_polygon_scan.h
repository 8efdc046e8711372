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
    // While active: (row - y0) * dx = q * dy + r, 0 <= r < dy; each row adds dq, dr.
    std::int64_t q, r, dq, dr;
  };
  std::vector<Edge> edges_;
  std::vector<Edge*> active_;
  std::vector<LPoint> points_;
  std::vector<std::int32_t> xs_;
  std::vector<RegionSpan> row_;
};

// The region CreatePolygonRgn(ALTERNATE) makes. Exact when the polygon spans at most
// kMaxExactRegionRows rows; a taller one keeps only the rows within kRegionMargin of any
// possible surface, so a script cannot make it walk billions of rows (regions are only
// observed through a surface, so its pixels stay exact; only its bounding box shrinks).
constexpr std::int64_t kMaxExactRegionRows = std::int64_t{1} << 17;
constexpr std::int32_t kRegionMargin = 1 << 16;
RasterRegion PolygonRegion(const IPoint* pts, std::int32_t n);

}  // namespace corvane
