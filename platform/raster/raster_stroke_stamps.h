// The pixels of short wide-pen segments, kept relative to the start point. A dense plot draws
// the same few hundred (dx, dy) steps tens of thousands of times; each one's cap-and-body
// pixels are scanned once and then copied.
//
// Scanning is exact integer arithmetic on the start point plus offsets that depend on
// (dx, dy) alone, so the pixels of a segment are those of the segment from the origin
// moved by the start point: a stamp is the cap at `a` and the body a-b, merged per row.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/raster/raster_wide_stroke.h"

namespace corvane {

struct StampSpan {
  std::int16_t dy, left, right;  // row a.y + dy, pixels [a.x + left, a.x + right)
};

struct Stamp {
  const StampSpan* spans;
  std::uint32_t count;
  // The same pixels as stores to a 32-bpp surface of the row pitch last set: offsets from the
  // start point's pixel of `quads` four-pixel stores, then `pairs` two-pixel stores, then
  // `singles` one-pixel stores. Stores overlap within a span but never leave it.
  const std::int32_t* stores;
  std::uint16_t quads, pairs, singles;
  // Bounds of the spans relative to the start point: rows [top, bottom), columns [left, right).
  std::int16_t left, top, right, bottom;
};

class StrokeStamps {
 public:
  // Steps up to this far on either axis are tabulated.
  static constexpr std::int32_t kReach = 16;
  // Wider pens are left to the scan converter: their stamps would be large and rarely repeat.
  static constexpr std::int32_t kMaxWidth = 16;

  explicit StrokeStamps(std::int32_t width);

  WideStroke& stroke() { return stroke_; }
  bool enabled() const { return !index_.empty(); }

  // Rows of the surface stamps are placed on next are this many pixels apart.
  void SetRowPitch(std::size_t pixels) {
    if (pixels == pitch_) return;
    pitch_ = pixels;
    for (const Entry& e : index_)
      if (e.first != kUnbuilt) WriteStores(e, stores_.data() + e.storesFirst);
  }

  // The spans of the step (dx, dy), rows increasing and each row's spans disjoint, or false
  // when the step is not tabulated (too long, too wide a pen, or memory is short): the
  // caller then scans the cap and body itself. The spans stay valid until the next Find.
  bool Find(std::int64_t dx, std::int64_t dy, Stamp* stamp) {
    if (index_.empty() || dx < -kReach || dx > kReach || dy < -kReach || dy > kReach) return false;
    Entry& e = index_[static_cast<std::size_t>(dy + kReach) * kSide + static_cast<std::size_t>(dx + kReach)];
    if (e.first == kUnbuilt && !Build(static_cast<std::int32_t>(dx), static_cast<std::int32_t>(dy), e))
      return false;
    *stamp = Stamp{pool_.data() + e.first, e.count, stores_.data() + e.storesFirst, e.quads, e.pairs, e.singles,
                   e.left, e.top, e.right, e.bottom};
    return true;
  }

 private:
  static constexpr std::uint32_t kSide = 2 * kReach + 1;
  static constexpr std::uint32_t kUnbuilt = ~std::uint32_t{0};
  struct Entry {
    std::uint32_t first = kUnbuilt;
    std::uint32_t count = 0;
    std::uint32_t storesFirst = 0;
    std::uint16_t quads = 0, pairs = 0, singles = 0;
    std::int16_t left = 0, top = 0, right = 0, bottom = 0;
  };

  bool Build(std::int32_t dx, std::int32_t dy, Entry& e);
  // Counts e's stores of each size from its spans.
  void CountStores(Entry& e) const;
  // Writes e's stores for the current pitch to out, in the order Stamp describes.
  void WriteStores(const Entry& e, std::int32_t* out) const;

  WideStroke stroke_;
  std::vector<Entry> index_;  // empty when stamps are off for this pen
  std::vector<StampSpan> pool_;
  std::vector<std::int32_t> stores_;
  std::size_t pitch_ = 0;
};

}  // namespace corvane
