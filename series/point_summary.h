// PointSummary: min/max of Y over a ring's slots, in blocks of 32 and nodes of 16 blocks, 16
// such nodes and so on up to one, with a flag per block and node that some point in it is a
// gap (X or Y not finite). Range queries read whole nodes where they can and single points
// where they must, so the extremes of any range cost about 32 points and a few dozen nodes.
//
// A node is kept up to date only while all its slots hold kept points written in their order
// (in a wrapping ring: while the oldest point is not inside it); queries read the other
// nodes' points instead. A node is recomputed when the write that fills its last slot comes.
#pragma once
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <utility>

#include "platform/geometry.h"
#include "platform/growable_array.h"
#include "series/point_ring.h"

namespace corvane {

// Extremes of finite values; a value wins only if strictly beyond, so the first of equal
// values stays (which tells -0 from +0). Empty: lo = +inf, hi = -inf.
struct YSpan {
  double lo = HUGE_VAL, hi = -HUGE_VAL;

  bool empty() const { return !(lo <= hi); }
  void Take(double y) {
    if (y < lo && y >= -DBL_MAX) lo = y;
    if (y > hi && y <= DBL_MAX) hi = y;
  }
  void Take(const YSpan& s) {
    if (s.lo < lo) lo = s.lo;
    if (s.hi > hi) hi = s.hi;
  }
  // Take for a value known to be finite: no tests to leave the others out, no branches.
  void TakeFinite(double y) {
    lo = y < lo ? y : lo;
    hi = y > hi ? y : hi;
  }
};

inline bool IsGap(const DPoint& p) { return !(std::isfinite(p.X) && std::isfinite(p.Y)); }

class PointSummary {
 public:
  // What a walk does next with a node it was shown.
  enum Step { kSkip, kDescend, kStop };

  PointSummary() = default;
  PointSummary(PointSummary&& o) noexcept { *this = std::move(o); }
  PointSummary& operator=(PointSummary&& o) noexcept {
    if (this != &o) {
      for (int level = 0; level < kLevels; ++level) {
        spans_[level] = std::move(o.spans_[level]);
        gaps_[level] = std::move(o.gaps_[level]);
      }
      top_ = o.top_;
      o.top_ = -1;
    }
    return *this;
  }

  // Node arrays for the ring to grow to `slots` slots; nodes of levels added on the way are
  // computed from the ring as it stands. False (nothing lost) when they cannot grow.
  bool Reserve(const PointRing& ring, std::int32_t slots);
  void Clear();
  // Recomputes the nodes that the write of slots [from, to) completed.
  void Written(const PointRing& ring, std::int32_t from, std::int32_t to);
  // Recomputes every node the ring's state keeps (after its points moved).
  void Rebuild(const PointRing& ring);

  // The extremes of Y over slots a..b (inclusive, a <= b, one run of the ring). finite: no
  // slot in a..b holds a gap (a chain's points), which makes the single points cheaper.
  YSpan Extremes(const PointRing& ring, std::int32_t a, std::int32_t b, bool finite = false) const;
  // The first slot in a..b holding a gap, or -1.
  std::int32_t FirstGap(const PointRing& ring, std::int32_t a, std::int32_t b) const;

  // Visits slots a..b in order: node(span, gap, level) for each kept node wholly inside
  // (returning whether to skip it, descend into it or stop), point(slot) for single slots
  // (returning kSkip to go on or kStop). Returns false once stopped.
  template <typename Node, typename Point>
  bool Walk(const PointRing& ring, std::int32_t a, std::int32_t b, Node&& node,
            Point&& point) const {
    const std::int32_t top = top_;
    if (top < 0) {
      for (std::int32_t s = a; s <= b; ++s)
        if (point(s) == kStop) return false;
      return true;
    }
    const std::int32_t nodes = spans_[top].count();
    for (std::int32_t i = (a >> Shift(top)); i < nodes && (i << Shift(top)) <= b; ++i)
      if (!WalkNode(ring, top, i, a, b, node, point)) return false;
    return true;
  }

  static constexpr int kBlockBits = 5;
  static constexpr int kFanBits = 4;
  static constexpr int kLevels = 6;  // level 0 holds blocks of 32 slots, level 5 2^25 slots
  static constexpr int Shift(int level) { return kBlockBits + level * kFanBits; }

 private:
  bool Kept(const PointRing& ring, int level, std::int32_t i) const;
  void Compute(const PointRing& ring, int level, std::int32_t i);
  // Takes node i of a level whole: its summary if kept, else its parts.
  void TakeNode(const PointRing& ring, int level, std::int32_t i, YSpan& out) const;
  template <bool kFinite>
  YSpan ExtremesOf(const PointRing& ring, std::int32_t a, std::int32_t b) const;

  template <typename Node, typename Point>
  bool WalkNode(const PointRing& ring, int level, std::int32_t i, std::int32_t a, std::int32_t b,
                Node& node, Point& point) const {
    const std::int64_t ns = std::int64_t{i} << Shift(level);
    std::int64_t ne = ns + (std::int64_t{1} << Shift(level));
    if (ne > ring.count()) ne = ring.count();
    if (ne <= a || ns > b) return true;
    if (a <= ns && ne - 1 <= b && Kept(ring, level, i)) {
      const Step s = node(spans_[level][i], gaps_[level][i] != 0, level);
      if (s == kStop) return false;
      if (s == kSkip) return true;
    }
    if (level == 0) {
      const std::int32_t from = static_cast<std::int32_t>(ns > a ? ns : a);
      const std::int32_t to = static_cast<std::int32_t>(ne - 1 < b ? ne - 1 : b);
      for (std::int32_t s = from; s <= to; ++s)
        if (point(s) == kStop) return false;
      return true;
    }
    const std::int32_t first = i << kFanBits;
    const std::int32_t children = spans_[level - 1].count();
    for (std::int32_t c = first; c < first + (1 << kFanBits) && c < children; ++c)
      if (!WalkNode(ring, level - 1, c, a, b, node, point)) return false;
    return true;
  }

  GrowableArray<YSpan> spans_[kLevels];
  GrowableArray<std::uint8_t> gaps_[kLevels];
  std::int32_t top_ = -1;  // the highest level in use; -1 without nodes
};

}  // namespace corvane
