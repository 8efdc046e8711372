// The outline of a pen stroke for the coverage raster, shaped as the raster's wide strokes
// are (round caps and round joins, the pen width centred on the line), but in exact
// geometry: a chain of points becomes the rectangles of its segments, a circular wedge on the
// outer side of every join and a half disc at each open end. All pieces wind the same way
// and meet along shared edges, so together they fill the stroke once. Points that go up and
// down one pixel column (a dense plot's) become that column's capsule instead.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/geometry.h"
#include "platform/raster/coverage_raster.h"

namespace corvane {

class AntialiasStroke {
 public:
  // The pen width in pixels (cosmetic pens are 1 wide). Every chain added is part of one
  // stroke: a segment drawn twice, and the round end or join at a point where the stroke has
  // already covered the pen's whole disc, are left out. They would not change what it covers,
  // but their edges would be counted twice in the pixels along the outline (and dense plots
  // retrace their columns all the time).
  explicit AntialiasStroke(double width);
  // As a new stroke of this width, keeping the memory.
  void Reset(double width);

  // Adds the stroke of pts[0..n) (continuous coordinates) to `raster`; a closed chain joins
  // its last point to the first. Pieces that cannot reach the raster's box are skipped.
  void AddChain(const DPoint* pts, std::size_t n, bool closed, CoverageRaster& raster);

  // How far the stroke reaches from its centre line.
  double reach() const { return half_; }
  // Has the memory for chains of up to n points, so that AddChain allocates nothing for
  // them. Throws std::bad_alloc.
  void Reserve(std::size_t n);

 private:
  void AddBody(DPoint a, DPoint b, CoverageRaster& raster);
  // The arc of the pen circle around c from direction `from` turning by `angle` (signed),
  // closed through the centre.
  void AddWedge(DPoint c, DPoint from, double angle, CoverageRaster& raster);
  void AddCap(DPoint c, DPoint from, DPoint out, CoverageRaster& raster);
  void AddFoldedColumns(CoverageRaster& raster);
  bool OutsideBox(DPoint a, DPoint b, const IRect& box) const;
  bool FirstCover(DPoint p);
  bool FirstSegment(DPoint a, DPoint b);

  // The points (where the pen's disc is complete) and segments drawn last, for coordinates
  // small enough to pack exactly; others are always drawn. Plots retrace what they drew just
  // before, so a short window finds the repeats at a fraction of a set's cost.
  struct Key {
    std::uint64_t a, b;
    bool operator==(const Key& o) const { return a == o.a && b == o.b; }
  };
  bool Insert(Key k);  // false when it is in the window
  bool PackPoint(DPoint p, std::uint64_t* out) const;

  static constexpr int kRecent = 8;
  Key recent_[kRecent] = {};
  int next_ = 0;
  int filled_ = 0;  // entries in use: a key of zeros is a real point (0, 0)
  double half_;
  double step_;  // largest angle between arc vertices, for an error below a twentieth of a pixel
  int half_turn_steps_;  // a half turn's arc: its steps and each step's rotation
  double half_turn_cos_, half_turn_sin_;
  std::vector<DPoint> points_;  // the chain without repeated points
  std::vector<std::uint32_t> folded_;  // per point: the folded column it lies in, or 0
  std::vector<DPoint> piece_;
};

}  // namespace corvane
