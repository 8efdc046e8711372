#include "platform/raster/raster_stroke_stamps.h"

#include <algorithm>
#include <new>

namespace corvane {

namespace {

// Collects rows as (row, span) triples for merging afterwards.
class CollectSink : public SpanSink {
 public:
  explicit CollectSink(std::vector<StampSpan>& out) : out_(out) {}
  void Row(std::int32_t y, const RegionSpan* spans, std::size_t n) override {
    for (std::size_t i = 0; i < n; ++i)
      out_.push_back({static_cast<std::int16_t>(y), static_cast<std::int16_t>(spans[i].left),
                      static_cast<std::int16_t>(spans[i].right)});
  }

 private:
  std::vector<StampSpan>& out_;
};

}  // namespace

StrokeStamps::StrokeStamps(std::int32_t width) : stroke_(width) {
  if (stroke_.width() > kMaxWidth) return;
  try {
    index_.resize(kSide * kSide);
  } catch (const std::bad_alloc&) {
    index_.clear();
  }
}

bool StrokeStamps::Build(std::int32_t dx, std::int32_t dy, Entry& e) {
  // Far enough out that no piece of a tabulated step is cut.
  const IRect open{-1024, -1024, 1024, 1024};
  std::vector<StampSpan> raw;
  const std::size_t first = pool_.size();
  try {
    CollectSink sink(raw);
    stroke_.Cap(IPoint{0, 0}, open, sink);
    stroke_.Body(IPoint{0, 0}, IPoint{dx, dy}, open, sink);
    std::sort(raw.begin(), raw.end(), [](const StampSpan& a, const StampSpan& b) {
      return a.dy != b.dy ? a.dy < b.dy : a.left < b.left;
    });
    for (const StampSpan& s : raw) {
      if (s.left >= s.right) continue;
      if (pool_.size() > first) {
        StampSpan& last = pool_.back();
        if (last.dy == s.dy && s.left <= last.right) {
          last.right = std::max(last.right, s.right);
          continue;
        }
      }
      pool_.push_back(s);
    }
    runs_.reserve(pool_.size());
    for (std::size_t i = first; i < pool_.size(); ++i) runs_.push_back(RunOf(pool_[i]));
    e.first = static_cast<std::uint32_t>(first);
    e.count = static_cast<std::uint32_t>(pool_.size() - first);
    if (e.count > 0) {
      e.left = e.top = INT16_MAX;
      e.right = e.bottom = INT16_MIN;
    }
    for (std::size_t i = first; i < pool_.size(); ++i) {
      const StampSpan& sp = pool_[i];
      e.left = std::min(e.left, sp.left);
      e.right = std::max(e.right, sp.right);
      e.top = std::min(e.top, sp.dy);
      e.bottom = std::max<std::int16_t>(e.bottom, static_cast<std::int16_t>(sp.dy + 1));
    }
    return true;
  } catch (const std::bad_alloc&) {
    if (pool_.size() > first) pool_.resize(first);
    if (runs_.size() > first) runs_.resize(first);
    return false;
  }
}

}  // namespace corvane
