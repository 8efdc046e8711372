#include "platform/raster/coverage_raster.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace corvane {

namespace {

// Integral of clamp(u, 0, 1): the area a unit-wide pixel keeps to the right of an edge
// point u to its left.
double RampIntegral(double u) {
  if (u <= 0) return 0;
  if (u < 1) return 0.5 * u * u;
  return u - 0.5;
}

}  // namespace

void CoverageRaster::Begin(const IRect& box) {
  box_ = box;
  width_ = std::max(0, box.right - box.left);
  height_ = std::max(0, box.bottom - box.top);
  if (width_ == 0 || height_ == 0) {
    width_ = height_ = 0;
    return;
  }
  stride_ = static_cast<std::size_t>(width_) + 2;
  const std::size_t cells = stride_ * static_cast<std::size_t>(height_);
  if (cells_.size() < cells) cells_.resize(cells, 0.0f);
  first_.assign(static_cast<std::size_t>(height_), std::numeric_limits<std::int32_t>::max());
  last_.assign(static_cast<std::size_t>(height_), -1);
  if (alpha_.size() < static_cast<std::size_t>(width_)) alpha_.resize(static_cast<std::size_t>(width_));
}

void CoverageRaster::AddPolygon(const DPoint* pts, std::size_t n) {
  if (n < 3) return;
  for (std::size_t i = 0; i < n; ++i) AddEdge(pts[i], pts[i + 1 == n ? 0 : i + 1]);
}

void CoverageRaster::AddEdge(DPoint a, DPoint b) {
  if (width_ == 0) return;
  double x0 = a.X - box_.left, y0 = a.Y - box_.top, x1 = b.X - box_.left, y1 = b.Y - box_.top;
  if (!(std::isfinite(x0) && std::isfinite(y0) && std::isfinite(x1) && std::isfinite(y1))) return;
  if (y0 == y1) return;
  // Only the rows of the box matter: the parts above and below cover none of its pixels.
  const double h = height_;
  if ((y0 <= 0 && y1 <= 0) || (y0 >= h && y1 >= h)) return;
  auto cutY = [&](double yc) {
    const double t = (yc - y0) / (y1 - y0);
    return x0 + t * (x1 - x0);
  };
  if (y0 < 0 || y0 > h) {
    const double yc = y0 < 0 ? 0 : h;
    x0 = cutY(yc);
    y0 = yc;
  }
  if (y1 < 0 || y1 > h) {
    const double yc = y1 < 0 ? 0 : h;
    x1 = cutY(yc);
    y1 = yc;
  }
  // Across the columns: the parts left of the box become a vertical edge on its left side
  // (they cover its whole row span to the right), the parts right of it one beyond its right
  // side (they cover nothing inside). Cutting at both sides keeps each piece's area exact.
  const double w = width_;
  double ys[4] = {y0, 0, 0, y1};
  double xs[4] = {x0, 0, 0, x1};
  int count = 1;
  if (x0 != x1) {
    double cuts[2];
    int nc = 0;
    for (double xc : {0.0, w}) {
      if ((x0 < xc && x1 > xc) || (x0 > xc && x1 < xc)) cuts[nc++] = (xc - x0) / (x1 - x0);
    }
    if (nc == 2 && cuts[0] > cuts[1]) std::swap(cuts[0], cuts[1]);
    for (int i = 0; i < nc; ++i) {
      xs[count] = x0 + cuts[i] * (x1 - x0);
      ys[count] = y0 + cuts[i] * (y1 - y0);
      ++count;
    }
  }
  xs[count] = x1;
  ys[count] = y1;
  for (int i = 0; i < count; ++i) {
    const double xa = std::clamp(xs[i], 0.0, w), xb = std::clamp(xs[i + 1], 0.0, w);
    AddClippedEdge(xa, ys[i], xb, ys[i + 1]);
  }
}

void CoverageRaster::AddClippedEdge(double x0, double y0, double x1, double y1) {
  if (y0 == y1) return;
  // Downward edges add, upward ones subtract: the running sum is the winding number.
  double dir = 1;
  if (y0 > y1) {
    std::swap(x0, x1);
    std::swap(y0, y1);
    dir = -1;
  }
  const double dxdy = (x1 - x0) / (y1 - y0);
  const std::int32_t rowEnd = std::min<std::int32_t>(height_, static_cast<std::int32_t>(std::ceil(y1)));
  double x = x0;
  for (std::int32_t row = std::max(0, static_cast<std::int32_t>(std::floor(y0))); row < rowEnd; ++row) {
    const double top = std::max<double>(row, y0), bottom = std::min<double>(row + 1, y1);
    if (bottom <= top) continue;
    const double xNext = bottom == y1 ? x1 : x0 + (bottom - y0) * dxdy;
    AddRowPiece(row, x, xNext, dir * (bottom - top));
    x = xNext;
  }
}

// The piece of an edge inside one row, from xa to xb, with signed height d. Pixel i keeps
// d times the mean, over the piece, of how much of [i, i + 1] lies right of the edge; each
// cell receives the difference to the pixel before it, so the row's running sum restores it.
void CoverageRaster::AddRowPiece(std::int32_t row, double xa, double xb, double d) {
  const double lo = std::min(xa, xb), hi = std::max(xa, xb);
  const double span = hi - lo;
  const std::int32_t i0 = static_cast<std::int32_t>(std::floor(lo));
  const std::int32_t i1 = std::min<std::int32_t>(width_, static_cast<std::int32_t>(std::floor(hi)));
  float* cells = cells_.data() + stride_ * static_cast<std::size_t>(row);
  double before = 0;
  for (std::int32_t i = i0; i <= i1; ++i) {
    double covered;
    if (span < 1e-9) {
      covered = std::clamp(i + 1 - 0.5 * (lo + hi), 0.0, 1.0);
    } else {
      covered = (RampIntegral(i + 1 - lo) - RampIntegral(i + 1 - hi)) / span;
    }
    const double value = d * covered;
    cells[i] += static_cast<float>(value - before);
    before = value;
  }
  cells[i1 + 1] += static_cast<float>(d - before);
  const std::size_t r = static_cast<std::size_t>(row);
  first_[r] = std::min(first_[r], i0);
  last_[r] = std::max(last_[r], i1 + 1);
}

void CoverageRaster::Sweep(FillRule rule, CoverageSink& sink) {
  for (std::int32_t row = 0; row < height_; ++row) {
    const std::size_t r = static_cast<std::size_t>(row);
    if (last_[r] < 0) continue;
    float* cells = cells_.data() + stride_ * r;
    const std::int32_t from = first_[r];
    const std::int32_t to = std::min(last_[r], width_ - 1);  // the cells past it sum to zero
    float sum = 0;
    for (std::int32_t i = from; i <= to; ++i) {
      sum += cells[i];
      float c = std::fabs(sum);
      if (rule == FillRule::kEvenOdd) {
        c = std::fmod(c, 2.0f);
        if (c > 1.0f) c = 2.0f - c;
      } else if (c > 1.0f) {
        c = 1.0f;
      }
      alpha_[static_cast<std::size_t>(i - from)] = static_cast<std::uint8_t>(c * 255.0f + 0.5f);
    }
    for (std::int32_t i = from; i <= last_[r]; ++i) cells[i] = 0.0f;
    first_[r] = std::numeric_limits<std::int32_t>::max();
    last_[r] = -1;
    if (to >= from) sink.CoverageRow(box_.top + row, box_.left + from, alpha_.data(), to - from + 1);
  }
}

}  // namespace corvane
