// Exact-area coverage of filled outlines: every edge adds its signed area to the cells of the
// rows it crosses, and a sweep along each row turns the running sum into the part of each
// pixel the outline covers. No supersampling; edges are clipped to the box analytically, so
// any coordinates are safe.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/geometry.h"

namespace corvane {

enum class FillRule { kNonZero, kEvenOdd };

// Receives the swept rows: alpha[i] is the coverage of pixel (x + i, y), 0..255.
class CoverageSink {
 public:
  virtual ~CoverageSink() = default;
  virtual void CoverageRow(std::int32_t y, std::int32_t x, const std::uint8_t* alpha,
                           std::int32_t n) = 0;
};

class CoverageRaster {
 public:
  // Starts an outline over the pixels of `box` (device coordinates; nothing outside is kept).
  // Throws std::bad_alloc when the cells cannot be had.
  void Begin(const IRect& box);
  // One directed edge. The outline must be closed (every edge chain returns to its start)
  // for the sweep to be exact.
  void AddEdge(DPoint a, DPoint b);
  // A closed polygon: the edges p0 -> p1 -> ... -> p(n-1) -> p0.
  void AddPolygon(const DPoint* pts, std::size_t n);
  // Emits the covered pixels of every touched row and clears the cells for the next outline.
  void Sweep(FillRule rule, CoverageSink& sink);

  const IRect& box() const { return box_; }

 private:
  // Adds an edge that lies inside the box's columns, in cell coordinates.
  void AddClippedEdge(double x0, double y0, double x1, double y1);
  void AddRowPiece(std::int32_t row, double xa, double xb, double d);

  IRect box_{0, 0, 0, 0};
  std::int32_t width_ = 0, height_ = 0;
  std::size_t stride_ = 0;        // cells per row: width + 2
  std::vector<float> cells_;      // kept all zero between outlines
  // Which blocks of kBlock cells of each row an edge touched: the sweep crosses the others
  // at the coverage it has, without reading their cells.
  static constexpr int kBlockBits = 4;
  std::size_t block_words_ = 0;    // per row
  std::vector<std::uint64_t> touched_;
  std::vector<std::uint8_t> alpha_;
};

}  // namespace corvane
