#include "series/plot_points.h"

namespace corvane {

PlotPoints& PlotPoints::operator=(PlotPoints&& o) noexcept {
  if (this == &o) return *this;
  ring_ = std::move(o.ring_);
  summary_ = std::move(o.summary_);
  appended_ = o.appended_;
  epoch_ = o.epoch_;
  lastX_ = o.lastX_;
  hasLast_ = o.hasLast_;
  ordered_ = o.ordered_;
  sums_ = o.sums_;
  sumsCurrent_ = o.sumsCurrent_;
  o.Clear();
  return *this;
}

void PlotPoints::Order(double x) {
  if (!ordered_) return;
  if (x != x || (hasLast_ && x < lastX_)) {
    ordered_ = false;
    return;
  }
  lastX_ = x;
  hasLast_ = true;
}

void PlotPoints::Dropped() {
  ++epoch_;
  sumsCurrent_ = false;
}

bool PlotPoints::Append(double x, double y) { return Append(&x, &y, 1); }

bool PlotPoints::Append(const double* x, const double* y, std::int32_t n) {
  if (n < 0 || (n > 0 && !y)) return false;
  if (n == 0) return true;
  // Room for the points and their summary before anything changes: all or nothing.
  if (!ring_.ReserveFor(n) || !summary_.Reserve(ring_, ring_.capacity())) return false;
  // Sums that points leaving at once would spoil are worked out again when asked for.
  const bool drops = ring_.limit() > 0 && std::int64_t{count()} + n > ring_.limit();
  if (drops) sumsCurrent_ = false;
  // A piece at a time, small enough to stay in the cache between its passes: the order and
  // the sums, the copy into the ring, the summary of the blocks it completes.
  constexpr std::int32_t kPiece = 4096;
  // Of n points at or beyond the limit only the newest `limit` get a slot; the others count.
  const std::int32_t skip = ring_.limit() > 0 && n >= ring_.limit() ? n - ring_.limit() : 0;
  for (std::int32_t at = 0; at < n; at += kPiece) {
    const std::int32_t m = n - at < kPiece ? n - at : kPiece;
    const double base = static_cast<double>(appended_) + 1.0;
    auto point = [&](std::int64_t i) {
      return DPoint{x ? x[at + i] : base + static_cast<double>(i), y[at + i]};
    };
    FitSums sums = sums_;
    for (std::int32_t i = 0; i < m; ++i) {
      const DPoint p = point(i);
      Order(p.X);
      if (sumsCurrent_) Accumulate(sums, p.X, p.Y);
    }
    sums_ = sums;
    if (at + m > skip) {
      const std::int32_t from = at >= skip ? 0 : skip - at;
      ring_.Append(
          m - from, [&](std::int64_t i) { return point(from + i); },
          [&](std::int32_t a, std::int32_t b) { summary_.Written(ring_, a, b); });
    }
    appended_ += m;
  }
  if (drops) Dropped();
  return true;
}

std::int32_t PlotPoints::SetLimit(std::int32_t n) {
  if (n < 0) n = 0;
  if (n == ring_.limit()) return 0;
  const std::int32_t dropped = ring_.SetLimit(n);
  // The points may have moved in their storage: the summary is made again for it. Without
  // memory for it, queries read the points one by one until the next append grows it.
  summary_.Clear();
  if (summary_.Reserve(ring_, ring_.capacity())) summary_.Rebuild(ring_);
  if (dropped > 0) Dropped();
  return dropped;
}

void PlotPoints::Clear() {
  ring_.Clear();
  summary_.Clear();
  appended_ = 0;
  ++epoch_;
  lastX_ = 0;
  hasLast_ = false;
  ordered_ = true;
  sums_ = FitSums{};
  sumsCurrent_ = true;
}

YSpan PlotPoints::Extremes(std::int32_t first, std::int32_t last, bool finite) const {
  YSpan out;
  if (first > last) return out;
  ring_.ForEachRun(first, last, [&](std::int32_t a, std::int32_t b, std::int32_t) {
    out.Take(summary_.Extremes(ring_, a, b, finite));
  });
  return out;
}

std::int32_t PlotPoints::NextGap(std::int32_t first, std::int32_t last) const {
  std::int32_t found = last + 1;
  if (first > last) return found;
  ring_.ForEachRun(first, last, [&](std::int32_t a, std::int32_t b, std::int32_t k) {
    if (found <= last) return;
    const std::int32_t slot = summary_.FirstGap(ring_, a, b);
    if (slot >= 0) found = k + (slot - a);
  });
  return found;
}

const FitSums& PlotPoints::WorldSums() {
  if (!sumsCurrent_) {
    sums_ = FitSums{};
    ForEachRun(0, count() - 1, [&](const DPoint* p, std::int32_t n, std::int32_t) {
      for (std::int32_t k = 0; k < n; ++k) Accumulate(sums_, p[k].X, p[k].Y);
    });
    sumsCurrent_ = true;
  }
  return sums_;
}

}  // namespace corvane
