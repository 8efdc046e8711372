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
    e.first = static_cast<std::uint32_t>(first);
    e.count = static_cast<std::uint32_t>(pool_.size() - first);
    CountStores(e);
    e.storesFirst = static_cast<std::uint32_t>(stores_.size());
    stores_.resize(stores_.size() + e.quads + e.pairs + e.singles);
    WriteStores(e, stores_.data() + e.storesFirst);
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
    e = Entry{};
    return false;
  }
}

// A span of four pixels or more is covered by four-pixel stores, the last one flush with its
// right end; two or three pixels by overlapping pairs; one pixel by itself. The stores overlap
// rather than leave a remainder, so that a narrow pen's stamp is one loop of pairs.
void StrokeStamps::CountStores(Entry& e) const {
  std::uint32_t quads = 0, pairs = 0, singles = 0;
  for (std::uint32_t i = 0; i < e.count; ++i) {
    const std::int32_t length = pool_[e.first + i].right - pool_[e.first + i].left;
    if (length >= 4)
      quads += static_cast<std::uint32_t>(length + 3) / 4;
    else if (length >= 2)
      pairs += static_cast<std::uint32_t>(length - 1);
    else
      singles += 1;
  }
  // Tabulated pens are at most 16 pixels wide and steps 16 long: a few hundred stores at most.
  e.quads = static_cast<std::uint16_t>(quads);
  e.pairs = static_cast<std::uint16_t>(pairs);
  e.singles = static_cast<std::uint16_t>(singles);
}

// Pitches are below 2^15 and stamp rows within 2^6 of the start, so offsets fit.
void StrokeStamps::WriteStores(const Entry& e, std::int32_t* out) const {
  std::int32_t* quad = out;
  std::int32_t* pair = out + e.quads;
  std::int32_t* single = pair + e.pairs;
  for (std::uint32_t i = 0; i < e.count; ++i) {
    const StampSpan& s = pool_[e.first + i];
    const std::int32_t row = static_cast<std::int32_t>(s.dy * static_cast<std::int64_t>(pitch_));
    const std::int32_t l = row + s.left, r = row + s.right;
    if (r - l >= 4) {
      for (std::int32_t x = l; x + 4 < r; x += 4) *quad++ = x;
      *quad++ = r - 4;
    } else if (r - l >= 2) {
      *pair++ = l;
      if (r - l == 3) *pair++ = r - 2;
    } else {
      *single++ = l;
    }
  }
}

}  // namespace corvane
