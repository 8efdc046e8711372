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

YSpan PointSummary::Extremes(const PointRing& ring, std::int32_t a, std::int32_t b) const {
  YSpan out;
  const DPoint* p = ring.slots();
  Walk(
      ring, a, b,
      [&](const YSpan& s, bool, int) {
        out.Take(s);
        return kSkip;
      },
      [&](std::int32_t slot) {
        out.Take(p[slot].Y);
        return kSkip;
      });
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
