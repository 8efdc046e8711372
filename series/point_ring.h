// PointRing: a plot's kept points, oldest first, in slots of one block. Without a limit it is
// a plain array that grows by doubling. With a limit n it grows up to n slots; once full, every
// new point takes the slot of the oldest (the ring "wraps"), so keeping the newest n never
// copies a kept point.
#pragma once
#include <cstdint>
#include <utility>

#include "platform/geometry.h"
#include "platform/growable_array.h"

namespace corvane {

class PointRing {
 public:
  static constexpr std::int32_t kMaxPoints = std::int32_t{1} << 30;

  PointRing() = default;
  PointRing(PointRing&& o) noexcept { *this = std::move(o); }
  PointRing& operator=(PointRing&& o) noexcept {
    if (this != &o) {
      slots_ = std::move(o.slots_);
      head_ = o.head_;
      limit_ = o.limit_;
      o.head_ = 0;
    }
    return *this;
  }

  std::int32_t count() const { return slots_.count(); }
  std::int32_t limit() const { return limit_; }
  std::int32_t capacity() const { return slots_.capacity(); }
  // The slot of the oldest point; 0 unless the ring wraps.
  std::int32_t head() const { return head_; }
  // Full at its limit: each new point replaces the oldest.
  bool wrapping() const { return limit_ > 0 && slots_.count() == limit_; }
  const DPoint* slots() const { return slots_.data(); }

  // The slot of kept point k (0-based, oldest first), for 0 <= k < count().
  std::int32_t SlotOf(std::int32_t k) const {
    const std::int32_t s = head_ + k;
    return s >= slots_.count() ? s - slots_.count() : s;
  }
  const DPoint& At(std::int32_t k) const { return slots_.data()[SlotOf(k)]; }

  // Calls f(firstSlot, lastSlot, firstKept) for the one or two runs of slots that hold kept
  // points first..last (0 <= first <= last < count()), in their order.
  template <typename F>
  void ForEachRun(std::int32_t first, std::int32_t last, F&& f) const {
    const std::int32_t a = SlotOf(first), b = SlotOf(last);
    if (a <= b) {
      f(a, b, first);
    } else {
      f(a, slots_.count() - 1, first);
      f(0, b, first + (slots_.count() - a));
    }
  }

  // Makes room for appending n points (n >= 0). False, changing nothing that is kept, when
  // the storage cannot grow or the ring has no limit and would pass kMaxPoints.
  bool ReserveFor(std::int64_t n);
  // Appends n points, point(i) giving the i-th, after ReserveFor(n). Past the limit the oldest
  // go first; only the newest `limit` of the n are written when n reaches the limit.
  // written(fromSlot, toSlot) follows every run of slots [from, to) written, in order.
  // Returns the number of kept points dropped (new ones that never got a slot included).
  template <typename Point, typename Written>
  std::int64_t Append(std::int64_t n, Point&& point, Written&& written);

  // Sets the limit (0: none), keeping the newest points within it; the ring is unwrapped
  // (oldest in slot 0) and storage beyond the limit is given back. Returns the points dropped.
  std::int32_t SetLimit(std::int32_t n);
  // Drops every point and frees the storage; the limit stays.
  void Clear();

 private:
  void Unwrap();

  GrowableArray<DPoint> slots_;
  std::int32_t head_ = 0;
  std::int32_t limit_ = 0;
};

template <typename Point, typename Written>
std::int64_t PointRing::Append(std::int64_t n, Point&& point, Written&& written) {
  if (n <= 0) return 0;
  std::int64_t dropped = 0;
  std::int64_t i = 0;
  if (limit_ > 0 && n >= limit_) {
    // Every kept point goes: the newest `limit` new ones fill the ring from slot 0.
    dropped = slots_.count() + (n - limit_);
    i = n - limit_;
    head_ = 0;
    slots_.SetCount(limit_);
    DPoint* out = slots_.data();
    for (std::int32_t s = 0; s < limit_; ++s) out[s] = point(i + s);
    written(0, limit_);
    return dropped;
  }
  // Into free slots while the ring is below its limit.
  if (!wrapping()) {
    const std::int32_t first = slots_.count();
    std::int64_t room = limit_ > 0 ? limit_ - first : n;
    if (room > n) room = n;
    slots_.SetCount(first + static_cast<std::int32_t>(room));
    DPoint* out = slots_.data() + first;
    for (std::int32_t s = 0; s < room; ++s) out[s] = point(s);
    i = room;
    if (room > 0) written(first, first + static_cast<std::int32_t>(room));
  }
  // Over the oldest once full, in at most two runs.
  while (i < n) {
    const std::int32_t size = slots_.count();
    std::int64_t run = size - head_;
    if (run > n - i) run = n - i;
    DPoint* out = slots_.data() + head_;
    for (std::int32_t s = 0; s < run; ++s) out[s] = point(i + s);
    const std::int32_t from = head_;
    head_ += static_cast<std::int32_t>(run);
    if (head_ == size) head_ = 0;
    written(from, from + static_cast<std::int32_t>(run));
    i += run;
    dropped += run;
  }
  return dropped;
}

}  // namespace corvane
