#include "series/point_summary.h"

namespace corvane {

namespace {

// Nodes of one level over `slots` slots.
std::int32_t NodesFor(std::int32_t slots, int level) {
  const int shift = PointSummary::Shift(level);
  return static_cast<std::int32_t>((std::int64_t{slots} + (std::int64_t{1} << shift) - 1) >> shift);
}

// Levels in use for `slots` slots: up to the first with at most 16 nodes, so that a walk
// starts from a short list.
int TopLevelFor(std::int32_t slots) {
  if (slots <= 0) return -1;
  int level = 0;
  while (level + 1 < PointSummary::kLevels && NodesFor(slots, level) > (1 << PointSummary::kFanBits))
    ++level;
  return level;
}

}  // namespace

bool PointSummary::Reserve(const PointRing& ring, std::int32_t slots) {
  const int top = TopLevelFor(slots);
  for (int level = 0; level <= top; ++level) {
    const std::int32_t nodes = NodesFor(slots, level);
    if (!spans_[level].Reserve(nodes) || !gaps_[level].Reserve(nodes)) return false;
  }
  for (int level = 0; level <= top; ++level) {
    const std::int32_t nodes = NodesFor(slots, level);
    const std::int32_t had = spans_[level].count();
    if (nodes <= had) continue;
    spans_[level].SetCount(nodes);
    gaps_[level].SetCount(nodes);
    for (std::int32_t i = had; i < nodes; ++i) {
      spans_[level][i] = YSpan{};
      gaps_[level][i] = 0;
    }
    // A level new to this summary: its nodes over points already kept come from their
    // children, which are up to date.
    if (level > top_)
      for (std::int32_t i = 0; i < nodes && (std::int64_t{i} << Shift(level)) < ring.count(); ++i)
        if (Kept(ring, level, i)) Compute(ring, level, i);
  }
  if (top > top_) top_ = top;
  return true;
}

void PointSummary::Clear() {
  for (int level = 0; level < kLevels; ++level) {
    spans_[level].Clear();
    gaps_[level].Clear();
  }
  top_ = -1;
}

bool PointSummary::Kept(const PointRing& ring, int level, std::int32_t i) const {
  const std::int64_t ns = std::int64_t{i} << Shift(level);
  std::int64_t ne = ns + (std::int64_t{1} << Shift(level));
  if (ns >= ring.count()) return false;
  if (ring.limit() > 0 && ne > ring.limit()) ne = ring.limit();
  if (!ring.wrapping()) return ne <= ring.count();
  const std::int64_t h = ring.head();
  return !(ns < h && h < ne);
}

void PointSummary::Compute(const PointRing& ring, int level, std::int32_t i) {
  YSpan span;
  bool gap = false;
  if (level == 0) {
    const std::int32_t ns = i << kBlockBits;
    std::int32_t ne = ns + (1 << kBlockBits);
    if (ne > ring.count()) ne = ring.count();
    const DPoint* p = ring.slots();
    for (std::int32_t s = ns; s < ne; ++s) {
      span.Take(p[s].Y);
      gap |= IsGap(p[s]);
    }
  } else {
    const std::int32_t first = i << kFanBits;
    std::int32_t end = first + (1 << kFanBits);
    if (end > spans_[level - 1].count()) end = spans_[level - 1].count();
    for (std::int32_t c = first; c < end && (std::int64_t{c} << Shift(level - 1)) < ring.count(); ++c) {
      span.Take(spans_[level - 1][c]);
      gap |= gaps_[level - 1][c] != 0;
    }
  }
  spans_[level][i] = span;
  gaps_[level][i] = gap ? 1 : 0;
}

void PointSummary::Written(const PointRing& ring, std::int32_t from, std::int32_t to) {
  for (int level = 0; level <= top_; ++level) {
    const int shift = Shift(level);
    const std::int32_t nodes = spans_[level].count();
    for (std::int32_t i = from >> shift; i < nodes && (std::int64_t{i} << shift) < to; ++i) {
      std::int64_t ne = (std::int64_t{i} + 1) << shift;
      if (ring.limit() > 0 && ne > ring.limit()) ne = ring.limit();
      if (ne > from && ne <= to) Compute(ring, level, i);
    }
  }
}

void PointSummary::Rebuild(const PointRing& ring) {
  for (int level = 0; level <= top_; ++level) {
    const std::int32_t nodes = spans_[level].count();
    for (std::int32_t i = 0; i < nodes && (std::int64_t{i} << Shift(level)) < ring.count(); ++i)
      if (Kept(ring, level, i)) Compute(ring, level, i);
  }
}

void PointSummary::TakeNode(const PointRing& ring, int level, std::int32_t i, YSpan& out) const {
  if (Kept(ring, level, i)) {
    out.Take(spans_[level][i]);
    return;
  }
  // Not kept (the oldest point lies inside, or it is not full yet): its parts, in order.
  const std::int64_t ns = std::int64_t{i} << Shift(level);
  if (ns >= ring.count()) return;
  if (level == 0) {
    std::int64_t ne = ns + (1 << kBlockBits);
    if (ne > ring.count()) ne = ring.count();
    for (std::int64_t s = ns; s < ne; ++s) out.Take(ring.slots()[s].Y);
    return;
  }
  const std::int32_t first = i << kFanBits;
  for (std::int32_t c = first; c < first + (1 << kFanBits) && c < spans_[level - 1].count(); ++c)
    TakeNode(ring, level - 1, c, out);
}

// From both ends inwards, a level at a time: the points up to the first and from the last
// whole block, then the blocks up to the first and from the last whole node, and so on. The
// right-hand parts are taken after the middle, so values are taken in their order.
YSpan PointSummary::Extremes(const PointRing& ring, std::int32_t a, std::int32_t b,
                             bool finite) const {
  return finite ? ExtremesOf<true>(ring, a, b) : ExtremesOf<false>(ring, a, b);
}

template <bool kFinite>
YSpan PointSummary::ExtremesOf(const PointRing& ring, std::int32_t a, std::int32_t b) const {
  YSpan out;
  const DPoint* p = ring.slots();
  auto take = [&out](double y) {
    if (kFinite)
      out.TakeFinite(y);
    else
      out.Take(y);
  };
  constexpr std::int64_t kBlock = std::int64_t{1} << kBlockBits;
  std::int64_t lo = a, hi = b;
  if (top_ < 0 || (lo >> kBlockBits) == (hi >> kBlockBits)) {
    for (std::int64_t s = lo; s <= hi; ++s) take(p[s].Y);
    return out;
  }
  for (; lo % kBlock != 0; ++lo) take(p[lo].Y);
  const std::int64_t rightPoints = hi % kBlock == kBlock - 1 ? hi + 1 : hi - hi % kBlock;
  hi = rightPoints - 1;
  // Nodes lo..hi of the level, inclusive; the parts left for later, outermost first.
  struct Part {
    int level;
    std::int64_t first, last;
  } later[kLevels];
  int parts = 0;
  lo >>= kBlockBits;
  hi = ((hi + 1) >> kBlockBits) - 1;
  constexpr std::int64_t kFan = std::int64_t{1} << kFanBits;
  for (int level = 0; level <= top_ && lo <= hi; ++level) {
    if (level == top_ || (lo >> kFanBits) == (hi >> kFanBits)) {
      for (std::int64_t i = lo; i <= hi; ++i) TakeNode(ring, level, static_cast<std::int32_t>(i), out);
      break;
    }
    for (; lo % kFan != 0; ++lo) TakeNode(ring, level, static_cast<std::int32_t>(lo), out);
    if (hi % kFan != kFan - 1) {
      later[parts++] = Part{level, hi - hi % kFan, hi};
      hi -= hi % kFan + 1;
    }
    lo >>= kFanBits;
    hi = ((hi + 1) >> kFanBits) - 1;
  }
  while (parts > 0) {
    const Part& part = later[--parts];
    for (std::int64_t i = part.first; i <= part.last; ++i)
      TakeNode(ring, part.level, static_cast<std::int32_t>(i), out);
  }
  for (std::int64_t s = rightPoints; s <= b; ++s) take(p[s].Y);
  return out;
}

std::int32_t PointSummary::FirstGap(const PointRing& ring, std::int32_t a, std::int32_t b) const {
  std::int32_t found = -1;
  const DPoint* p = ring.slots();
  Walk(
      ring, a, b, [](const YSpan&, bool gap, int) { return gap ? kDescend : kSkip; },
      [&](std::int32_t slot) {
        if (!IsGap(p[slot])) return kSkip;
        found = slot;
        return kStop;
      });
  return found;
}

}  // namespace corvane
