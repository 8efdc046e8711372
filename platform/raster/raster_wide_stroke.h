// Geometric solid pens wider than one pixel: each segment is its body (the rectangle or
// quadrilateral of the pen width around the centre line) plus a round cap at each end.
// Round joins of a polyline are the same discs, so a chain has the pixels of its separate
// segments.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/raster/raster_polygon_scan.h"
#include "platform/raster/raster_span_sink.h"

namespace corvane {

class WideStroke {
 public:
  explicit WideStroke(std::int32_t width);

  std::int32_t width() const { return width_; }
  // How far any pixel of a piece can lie from the centre line; segments whose bounding box
  // is farther than this from the clip box cannot touch it.
  std::int64_t reach() const { return reach_; }

  // Body and both caps of the segment a-b, the rows inside `limit`. Pieces may overlap, so
  // the sink must paint (not toggle).
  void Segment(IPoint a, IPoint b, const IRect& limit, SpanSink& sink);
  // Body only.
  void Body(IPoint a, IPoint b, const IRect& limit, SpanSink& sink);
  // The round cap (disc) centred on p.
  void Cap(IPoint p, const IRect& limit, SpanSink& sink);

 private:
  std::int32_t width_;
  std::int64_t reach_;
  std::int32_t cap_size_;     // side of the cap's box
  std::int32_t cap_offset_;   // box left/top relative to the point
  std::vector<RegionSpan> cap_rows_;  // empty for very wide pens (computed per row)
  PolygonScanner scanner_;
  std::vector<RegionSpan> row_;
};

}  // namespace corvane
