// The integer outline a polygon is filled with: device positions truncated toward zero, a
// point dropped while it lies within 2 pixels (squared distance 4 or less) of the last point
// kept, and the bounding box of what is kept. Outlines of up to kInline points need no heap.
//
// A shape reaching more than kGuardMargin pixels beyond the clip box is first cut, in
// doubles, to the clip box widened by that margin: GDI fails or misfills polygon regions
// whose coordinates come near the int32 limits or that span hundreds of millions of rows,
// while the cut keeps the even-odd fill inside the widened box, and each cut point is off
// its true place by less than a pixel, as any truncated vertex is. Shapes within the margin
// are taken exactly as they are.
#pragma once
#include <cstdint>

#include "platform/geometry.h"
#include "platform/growable_array.h"

namespace corvane {

class FillOutline {
 public:
  static constexpr double kGuardMargin = 32768.0;

  // Builds the outline of pts[0..n) for a dc whose clip box is `clipBox`. When thinning would leave fewer than 3 points of 3 or
  // more (a rectangle at most 2 pixels wide keeps only 2), every point is kept instead, so
  // a shape at least a pixel wide never loses its fill. False when a position is NaN (the
  // shape cannot be placed) or memory is short; the outline is then empty.
  bool Build(const DPoint* pts, std::int32_t n, const IRect& clipBox);
  // (A shape wholly beyond the widened box keeps fewer than 3 points: nothing to fill.)

  const IPoint* points() const { return count_ == 0 ? nullptr : data_; }
  std::int32_t count() const { return count_; }
  // Bounding box of the kept points, edges inclusive: w = maxX - minX, h = maxY - minY.
  std::int32_t minX() const { return minX_; }
  std::int32_t minY() const { return minY_; }
  std::int32_t maxX() const { return maxX_; }
  std::int32_t maxY() const { return maxY_; }

 private:
  static constexpr std::int32_t kInline = 32;
  bool Reserve(std::int32_t n);
  void Take(const DPoint* pts, std::int32_t n, bool thin);
  bool CutToGuard(const DPoint* pts, std::int32_t n, const double (&guard)[4]);

  IPoint inline_[kInline];
  GrowableArray<IPoint> heap_;
  GrowableArray<DPoint> cut_;
  IPoint* data_ = inline_;
  std::int32_t count_ = 0;
  std::int32_t minX_ = 0, minY_ = 0, maxX_ = 0, maxY_ = 0;
};

}  // namespace corvane
