// PlotPoints: a plot's kept points with what is kept about them as they arrive: the min/max
// summary, whether X has never decreased, and the world fits' sums. Indices are 0-based among
// the kept points, oldest first.
#pragma once
#include <cstdint>
#include <utility>

#include "platform/geometry.h"
#include "series/fit_sums.h"
#include "series/point_ring.h"
#include "series/point_summary.h"

namespace corvane {

class PlotPoints {
 public:
  static constexpr std::int32_t kMaxPoints = PointRing::kMaxPoints;

  PlotPoints() = default;
  PlotPoints(const PlotPoints&) = delete;
  PlotPoints& operator=(const PlotPoints&) = delete;
  PlotPoints(PlotPoints&& o) noexcept { *this = std::move(o); }
  PlotPoints& operator=(PlotPoints&& o) noexcept;

  std::int32_t count() const { return ring_.count(); }
  DPoint operator[](std::int32_t k) const { return ring_.At(k); }
  // A hint that point k (0 <= k < count()) is read soon: fetched into the cache meanwhile.
  void Prefetch(std::int32_t k) const {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(ring_.slots() + ring_.SlotOf(k));
#else
    (void)k;
#endif
  }
  // Points appended since the plot was last emptied, kept or not.
  std::int64_t appended() const { return appended_; }
  // The most points kept (0: all).
  std::int32_t limit() const { return ring_.limit(); }
  // No X below its predecessor and no NaN X among the points appended since the plot was
  // last emptied.
  bool ordered() const { return ordered_; }
  // Changes whenever points leave (dropped or cleared): what was worked out over the kept
  // points before holds only while it stays the same.
  std::uint64_t epoch() const { return epoch_; }
  const PointRing& ring() const { return ring_; }

  // Appends one point. False (nothing changes) when storage cannot grow.
  bool Append(double x, double y);
  // Appends n points in order; x null gives them the numbers appended() + 1, + 2, ... All
  // or nothing: false when n < 0, y is null for n > 0 or storage cannot grow.
  bool Append(const double* x, const double* y, std::int32_t n);
  // Keeps at most n points (0: all), dropping the oldest now. Returns the number dropped.
  std::int32_t SetLimit(std::int32_t n);
  // Drops every point and frees the storage: numbering, order and sums start afresh. The
  // limit stays.
  void Clear();

  // The extremes of the finite Y among points first..last (empty range: empty span). finite:
  // none of them is a gap (a chain's points), which makes it cheaper.
  YSpan Extremes(std::int32_t first, std::int32_t last, bool finite = false) const;
  // The first point in first..last whose X or Y is not finite, or last + 1.
  std::int32_t NextGap(std::int32_t first, std::int32_t last) const;
  // Calls f(const DPoint* run, count, firstIndex) for the one or two runs of consecutive
  // storage holding points first..last.
  template <typename F>
  void ForEachRun(std::int32_t first, std::int32_t last, F&& f) const {
    if (first > last) return;
    const DPoint* slots = ring_.slots();
    ring_.ForEachRun(first, last, [&](std::int32_t a, std::int32_t b, std::int32_t k) {
      f(slots + a, b - a + 1, k);
    });
  }
  // PointSummary::Walk over points first..last; point(k) gets the point's index.
  template <typename Node, typename Point>
  void Walk(std::int32_t first, std::int32_t last, Node&& node, Point&& point) const {
    if (first > last) return;
    bool going = true;
    ring_.ForEachRun(first, last, [&](std::int32_t a, std::int32_t b, std::int32_t k) {
      if (!going) return;
      const std::int32_t offset = k - a;
      going = summary_.Walk(ring_, a, b, node,
                            [&](std::int32_t slot) { return point(slot + offset); });
    });
  }

  // The world fits' sums over the kept points, in point order: kept as points arrive, worked
  // out again after points have left.
  const FitSums& WorldSums();
  bool worldSumsCurrent() const { return sumsCurrent_; }

 private:
  void Order(double x);
  void Dropped();

  PointRing ring_;
  PointSummary summary_;
  std::int64_t appended_ = 0;
  std::uint64_t epoch_ = 0;
  double lastX_ = 0;
  bool hasLast_ = false;
  bool ordered_ = true;
  FitSums sums_;
  bool sumsCurrent_ = true;
};

}  // namespace corvane
