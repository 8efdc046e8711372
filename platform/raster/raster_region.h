// A region as GDI keeps it: horizontal bands, each a sorted list of disjoint spans
// [left, right) over the rows [top, bottom). Used for clip regions and as the pixel set
// of filled shapes.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace corvane {

struct RegionSpan {
  std::int32_t left, right;
};

class RasterRegion {
 public:
  struct Band {
    std::int32_t top, bottom;
    std::uint32_t first, count;  // into spans()
  };

  RasterRegion() = default;
  // Normalises inverted corners, as CreateRectRgn does; an empty rectangle gives an empty region.
  static RasterRegion FromRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b);

  bool empty() const { return bands_.empty(); }
  // Bounding box; all zero when empty.
  IRect Bounds() const { return bounds_; }
  // kNullRegion, kSimpleRegion (one rectangle) or kComplexRegion.
  int Kind() const;
  bool IsRect() const { return bands_.size() == 1 && bands_[0].count == 1; }
  bool Contains(std::int32_t x, std::int32_t y) const;
  RasterRegion Intersect(const RasterRegion& other) const;
  RasterRegion IntersectRect(const IRect& r) const;

  const std::vector<Band>& bands() const { return bands_; }
  const std::vector<RegionSpan>& spans() const { return spans_; }
  // The band holding row y, or nullptr.
  const Band* BandAt(std::int32_t y) const;
  bool operator==(const RasterRegion& o) const;

  class Builder;

 private:
  std::vector<Band> bands_;
  std::vector<RegionSpan> spans_;
  IRect bounds_{0, 0, 0, 0};
};

// Builds a region row by row. Rows must come in increasing order; spans of a row sorted
// and disjoint (AddRow merges touching ones). Consecutive identical rows share a band.
class RasterRegion::Builder {
 public:
  void AddRow(std::int32_t y, const RegionSpan* spans, std::size_t n);
  void AddBand(std::int32_t top, std::int32_t bottom, const RegionSpan* spans, std::size_t n);
  // Room for about this many bands and spans, so that a region of known size grows once.
  void Reserve(std::size_t bands, std::size_t spans);
  RasterRegion Finish();

 private:
  RasterRegion region_;
  std::vector<RegionSpan> scratch_;
};

}  // namespace corvane
