#include "platform/raster/raster_polygon_scan.h"

#include <algorithm>

#include "platform/raster/floor_div_product.h"
#include "platform/raster/raster_bitmap.h"

namespace corvane {

namespace {

std::int32_t Clamp32(std::int64_t v, std::int32_t lo, std::int32_t hi) {
  return static_cast<std::int32_t>(std::min<std::int64_t>(std::max<std::int64_t>(v, lo), hi));
}

}  // namespace

void PolygonScanner::Scan(const IPoint* pts, std::int32_t n, const IRect& limit, SpanSink& sink) {
  if (!pts || n < 3) return;
  points_.resize(static_cast<std::size_t>(n));
  for (std::int32_t i = 0; i < n; ++i) points_[static_cast<std::size_t>(i)] = {pts[i].x, pts[i].y};
  std::vector<LPoint> local;
  local.swap(points_);
  Scan(local.data(), n, limit, sink);
  local.swap(points_);
}

void PolygonScanner::Scan(const LPoint* pts, std::int32_t n, const IRect& limit, SpanSink& sink) {
  if (!pts || n < 3 || limit.left >= limit.right || limit.top >= limit.bottom) return;
  edges_.clear();
  std::int64_t ymin = INT64_MAX, ymax = INT64_MIN;
  for (std::int32_t i = 0; i < n; ++i) {
    const LPoint& a = pts[i];
    const LPoint& b = pts[(i + 1) % n];
    if (a.y == b.y) continue;
    const LPoint& lo = a.y < b.y ? a : b;
    const LPoint& hi = a.y < b.y ? b : a;
    Edge e{};
    e.top = lo.y;
    e.bottom = hi.y;
    e.x0 = lo.x;
    e.y0 = lo.y;
    e.dx = hi.x - lo.x;
    e.dy = hi.y - lo.y;
    edges_.push_back(e);
    ymin = std::min<std::int64_t>(ymin, e.top);
    ymax = std::max<std::int64_t>(ymax, e.bottom);
  }
  if (edges_.empty()) return;
  const std::int64_t y_begin = std::max<std::int64_t>(ymin, limit.top);
  const std::int64_t y_end = std::min<std::int64_t>(ymax, limit.bottom);
  std::sort(edges_.begin(), edges_.end(), [](const Edge& a, const Edge& b) { return a.top < b.top; });
  std::size_t next = 0;
  std::vector<Edge*>& active = active_;
  active.clear();
  for (std::int64_t y = y_begin; y < y_end; ++y) {
    while (next < edges_.size() && edges_[next].top <= y) {
      // (y - y0) * dx = q * dy + r with 0 <= r < dy, kept row by row from here on without
      // dividing; 128 bits for the far coordinates of wide-pen outlines.
      Edge& e = edges_[next++];
      const FloorQuotient start = FloorDivProduct(y - e.y0, e.dx, e.dy);
      e.q = start.q;
      e.r = start.r;
      const FloorQuotient step = FloorDivProduct(1, e.dx, e.dy);
      e.dq = step.q;
      e.dr = step.r;
      active.push_back(&e);
    }
    xs_.clear();
    std::size_t keep = 0;
    for (std::size_t k = 0; k < active.size(); ++k) {
      Edge* e = active[k];
      if (e->bottom <= y) continue;
      active[keep++] = e;
      // The first pixel whose corner point is at or right of the edge at this row:
      // x0 + ceil((y - y0) * dx / dy).
      const std::int64_t x = e->x0 + e->q + (e->r > 0 ? 1 : 0);
      xs_.push_back(Clamp32(x, limit.left, limit.right));
      e->q += e->dq;
      e->r += e->dr;
      if (e->r >= e->dy) {
        e->r -= e->dy;
        ++e->q;
      }
    }
    active.resize(keep);
    std::sort(xs_.begin(), xs_.end());
    row_.clear();
    for (std::size_t k = 0; k + 1 < xs_.size(); k += 2) {
      if (xs_[k] < xs_[k + 1]) row_.push_back({xs_[k], xs_[k + 1]});
    }
    if (!row_.empty()) sink.Row(static_cast<std::int32_t>(y), row_.data(), row_.size());
  }
}

RasterRegion PolygonRegion(const IPoint* pts, std::int32_t n) {
  if (!pts || n < 3) return RasterRegion();
  std::int64_t ymin = pts[0].y, ymax = pts[0].y;
  for (std::int32_t i = 1; i < n; ++i) {
    ymin = std::min<std::int64_t>(ymin, pts[i].y);
    ymax = std::max<std::int64_t>(ymax, pts[i].y);
  }
  IRect limit{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
  if (ymax - ymin > kMaxExactRegionRows) {
    limit.top = -kRegionMargin;
    limit.bottom = kMaxBitmapSide + kRegionMargin;
  }
  // One scanner per thread keeps its buffers: regions are made once per translucent fill.
  thread_local PolygonScanner scanner;
  RegionSpanSink sink;
  sink.Reserve(static_cast<std::size_t>(std::min<std::int64_t>(ymax - ymin, 1024)));
  scanner.Scan(pts, n, limit, sink);
  return sink.Finish();
}

}  // namespace corvane
