#include "platform/raster/raster_wide_stroke.h"

#include <algorithm>
#include <cmath>

#include "platform/raster/raster_ellipse.h"

namespace corvane {

namespace {

// Above this width the cap is not tabulated; its rows come from the circle equation.
constexpr std::int32_t kMaxTabulatedCap = 1 << 16;

std::int64_t RoundHalfUp(double v) { return static_cast<std::int64_t>(std::floor(v + 0.5)); }

std::int32_t Clamp32(std::int64_t v) {
  return static_cast<std::int32_t>(std::min<std::int64_t>(std::max<std::int64_t>(v, INT32_MIN), INT32_MAX));
}

}  // namespace

WideStroke::WideStroke(std::int32_t width) : width_(width < 1 ? 1 : width) {
  cap_size_ = width_;
  cap_offset_ = -(width_ / 2);
  reach_ = static_cast<std::int64_t>(width_) / 2 + 2;
  if (cap_size_ <= kMaxTabulatedCap) cap_rows_ = EllipseRows(cap_size_, cap_size_);
}

void WideStroke::Segment(IPoint a, IPoint b, const IRect& limit, SpanSink& sink) {
  Body(a, b, limit, sink);
  Cap(a, limit, sink);
  Cap(b, limit, sink);
}

void WideStroke::Body(IPoint a, IPoint b, const IRect& limit, SpanSink& sink) {
  const std::int64_t dx = static_cast<std::int64_t>(b.x) - a.x;
  const std::int64_t dy = static_cast<std::int64_t>(b.y) - a.y;
  if (dx == 0 && dy == 0) return;
  const std::int64_t half = width_ / 2;
  if (dy == 0) {
    const std::int64_t top = std::max<std::int64_t>(a.y - half, limit.top);
    const std::int64_t bottom = std::min<std::int64_t>(static_cast<std::int64_t>(a.y) - half + width_, limit.bottom);
    const RegionSpan span{std::max(std::min(a.x, b.x), limit.left), std::min(std::max(a.x, b.x), limit.right)};
    if (span.left >= span.right) return;
    for (std::int64_t y = top; y < bottom; ++y) sink.Row(static_cast<std::int32_t>(y), &span, 1);
    return;
  }
  if (dx == 0) {
    const std::int64_t top = std::max<std::int64_t>(std::min(a.y, b.y), limit.top);
    const std::int64_t bottom = std::min<std::int64_t>(std::max(a.y, b.y), limit.bottom);
    const RegionSpan span{Clamp32(std::max<std::int64_t>(a.x - half, limit.left)),
                          Clamp32(std::min<std::int64_t>(static_cast<std::int64_t>(a.x) - half + width_, limit.right))};
    if (span.left >= span.right) return;
    for (std::int64_t y = top; y < bottom; ++y) sink.Row(static_cast<std::int32_t>(y), &span, 1);
    return;
  }
  const double len = std::hypot(static_cast<double>(dx), static_cast<double>(dy));
  const double width_x = width_ * static_cast<double>(dy < 0 ? -dy : dy) / len;
  const double width_y = width_ * static_cast<double>(dx < 0 ? -dx : dx) / len;
  LPoint narrow{RoundHalfUp(width_x / 2), RoundHalfUp(width_y / 2)};
  LPoint wide{RoundHalfUp((width_x + 1) / 2), RoundHalfUp((width_y + 1) / 2)};
  if (dx < 0) {
    wide.y = -wide.y;
    narrow.y = -narrow.y;
  }
  if (dy < 0) {
    std::swap(narrow, wide);
    wide.x = -wide.x;
    narrow.x = -narrow.x;
  }
  const LPoint quad[4] = {{a.x - narrow.x, a.y + narrow.y},
                          {a.x + wide.x, a.y - wide.y},
                          {b.x + wide.x, b.y - wide.y},
                          {b.x - narrow.x, b.y + narrow.y}};
  scanner_.Scan(quad, 4, limit, sink);
}

void WideStroke::Cap(IPoint p, const IRect& limit, SpanSink& sink) {
  const std::int64_t left = static_cast<std::int64_t>(p.x) + cap_offset_;
  const std::int64_t top = static_cast<std::int64_t>(p.y) + cap_offset_;
  const std::int64_t y0 = std::max<std::int64_t>(top, limit.top);
  const std::int64_t y1 = std::min<std::int64_t>(top + cap_size_, limit.bottom);
  for (std::int64_t y = y0; y < y1; ++y) {
    std::int64_t l, r;
    const std::int64_t row = y - top;
    if (!cap_rows_.empty()) {
      l = left + cap_rows_[static_cast<std::size_t>(row)].left;
      r = left + cap_rows_[static_cast<std::size_t>(row)].right;
    } else {
      const double radius = cap_size_ / 2.0;
      const double cy = row + 0.5 - radius;
      const double half = std::sqrt(std::max(0.0, radius * radius - cy * cy));
      l = left + static_cast<std::int64_t>(std::floor(radius - half + 0.5));
      r = left + cap_size_ - (l - left);
    }
    const RegionSpan span{Clamp32(std::max<std::int64_t>(l, limit.left)),
                          Clamp32(std::min<std::int64_t>(r, limit.right))};
    if (span.left < span.right) sink.Row(static_cast<std::int32_t>(y), &span, 1);
  }
}

}  // namespace corvane
