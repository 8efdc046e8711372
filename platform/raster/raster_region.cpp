#include "platform/raster/raster_region.h"

#include <algorithm>
#include <exception>

#include "platform/dc.h"

namespace corvane {

RasterRegion RasterRegion::FromRect(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
  if (l > r) std::swap(l, r);
  if (t > b) std::swap(t, b);
  Builder builder;
  const RegionSpan span{l, r};
  builder.AddBand(t, b, &span, 1);
  return builder.Finish();
}

int RasterRegion::Kind() const {
  if (bands_.empty()) return kNullRegion;
  return IsRect() ? kSimpleRegion : kComplexRegion;
}

const RasterRegion::Band* RasterRegion::BandAt(std::int32_t y) const {
  auto it = std::upper_bound(bands_.begin(), bands_.end(), y,
                             [](std::int32_t v, const Band& b) { return v < b.bottom; });
  if (it == bands_.end() || y < it->top) return nullptr;
  return &*it;
}

bool RasterRegion::Contains(std::int32_t x, std::int32_t y) const {
  const Band* band = BandAt(y);
  if (!band) return false;
  const RegionSpan* s = spans_.data() + band->first;
  const RegionSpan* e = s + band->count;
  auto it = std::upper_bound(s, e, x, [](std::int32_t v, const RegionSpan& sp) { return v < sp.right; });
  return it != e && x >= it->left;
}

bool RasterRegion::operator==(const RasterRegion& o) const {
  if (bands_.size() != o.bands_.size()) return false;
  for (std::size_t i = 0; i < bands_.size(); ++i) {
    const Band& a = bands_[i];
    const Band& b = o.bands_[i];
    if (a.top != b.top || a.bottom != b.bottom || a.count != b.count) return false;
    for (std::uint32_t k = 0; k < a.count; ++k) {
      if (spans_[a.first + k].left != o.spans_[b.first + k].left ||
          spans_[a.first + k].right != o.spans_[b.first + k].right)
        return false;
    }
  }
  return true;
}

RasterRegion RasterRegion::Intersect(const RasterRegion& other) const {
  Builder builder;
  builder.Reserve(std::min(bands_.size(), other.bands_.size()) * 2,
                  std::min(spans_.size(), other.spans_.size()) * 2);
  std::vector<RegionSpan> row;
  std::size_t i = 0, j = 0;
  while (i < bands_.size() && j < other.bands_.size()) {
    const Band& a = bands_[i];
    const Band& b = other.bands_[j];
    const std::int32_t top = std::max(a.top, b.top);
    const std::int32_t bottom = std::min(a.bottom, b.bottom);
    if (top < bottom) {
      row.clear();
      const RegionSpan* sa = spans_.data() + a.first;
      const RegionSpan* ea = sa + a.count;
      const RegionSpan* sb = other.spans_.data() + b.first;
      const RegionSpan* eb = sb + b.count;
      while (sa != ea && sb != eb) {
        const std::int32_t l = std::max(sa->left, sb->left);
        const std::int32_t r = std::min(sa->right, sb->right);
        if (l < r) row.push_back({l, r});
        if (sa->right < sb->right) ++sa; else ++sb;
      }
      if (!row.empty()) builder.AddBand(top, bottom, row.data(), row.size());
    }
    if (a.bottom < b.bottom) ++i; else if (b.bottom < a.bottom) ++j; else { ++i; ++j; }
  }
  return builder.Finish();
}

RasterRegion RasterRegion::IntersectRect(const IRect& r) const {
  return Intersect(FromRect(r.left, r.top, r.right, r.bottom));
}

void RasterRegion::Builder::AddRow(std::int32_t y, const RegionSpan* spans, std::size_t n) {
  if (y == INT32_MAX) return;
  AddBand(y, y + 1, spans, n);
}

void RasterRegion::Builder::AddBand(std::int32_t top, std::int32_t bottom, const RegionSpan* spans,
                                    std::size_t n) {
  if (top >= bottom) return;
  // Merge touching or overlapping spans and drop empty ones.
  scratch_.clear();
  for (std::size_t k = 0; k < n; ++k) {
    if (spans[k].left >= spans[k].right) continue;
    if (!scratch_.empty() && spans[k].left <= scratch_.back().right) {
      scratch_.back().right = std::max(scratch_.back().right, spans[k].right);
    } else {
      scratch_.push_back(spans[k]);
    }
  }
  if (scratch_.empty()) return;
  RasterRegion& rg = region_;
  if (!rg.bands_.empty()) {
    Band& last = rg.bands_.back();
    if (last.bottom == top && last.count == scratch_.size() &&
        std::equal(scratch_.begin(), scratch_.end(), rg.spans_.begin() + last.first,
                   [](const RegionSpan& a, const RegionSpan& b) {
                     return a.left == b.left && a.right == b.right;
                   })) {
      last.bottom = bottom;
      rg.bounds_.bottom = bottom;
      return;
    }
  }
  Band band{top, bottom, static_cast<std::uint32_t>(rg.spans_.size()),
            static_cast<std::uint32_t>(scratch_.size())};
  rg.spans_.insert(rg.spans_.end(), scratch_.begin(), scratch_.end());
  if (rg.bands_.empty()) {
    rg.bounds_ = {scratch_.front().left, top, scratch_.back().right, bottom};
  } else {
    rg.bounds_.left = std::min(rg.bounds_.left, scratch_.front().left);
    rg.bounds_.right = std::max(rg.bounds_.right, scratch_.back().right);
    rg.bounds_.bottom = bottom;
  }
  rg.bands_.push_back(band);
}

void RasterRegion::Builder::Reserve(std::size_t bands, std::size_t spans) {
  // Only a hint: a region that cannot reserve still grows one element at a time.
  try {
    region_.bands_.reserve(bands);
    region_.spans_.reserve(spans);
  } catch (const std::exception&) {
  }
}

RasterRegion RasterRegion::Builder::Finish() {
  RasterRegion out = std::move(region_);
  region_ = RasterRegion();
  return out;
}

}  // namespace corvane
