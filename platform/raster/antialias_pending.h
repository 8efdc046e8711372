// What the antialiasing context keeps between drawing a stroke and painting it: strokes are
// handed to the chart's workers in batches, made there each in its own raster, and painted
// in their order on the drawing thread.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/dc.h"
#include "platform/raster/antialias_stroke.h"
#include "platform/raster/coverage_raster.h"
#include "platform/raster/raster_region.h"

namespace corvane {

// Swept coverage kept to be painted later: one run per row, the gaps between the sweep's
// runs filled with zero coverage, so that memory for a box's rows and pixels is all it can
// need (Reserve it, and CoverageRow never allocates).
class CoverageRuns : public CoverageSink {
 public:
  struct Row {
    std::int32_t y, x, n;
    std::size_t offset;  // into alpha()
  };
  // Empties the runs and has room for `rows` rows of at most `width` pixels. Throws
  // std::bad_alloc.
  void Reserve(std::size_t rows, std::size_t width);
  void CoverageRow(std::int32_t y, std::int32_t x, const std::uint8_t* alpha, std::int32_t n) override;
  const std::vector<Row>& rows() const { return rows_; }
  const std::uint8_t* alpha() const { return alpha_.data(); }

 private:
  std::vector<Row> rows_;
  std::vector<std::uint8_t> alpha_;
};

// A run of gathered points stroked as one polyline: points [first, first + count), the last
// joined back to the first when closed.
struct StrokeChain {
  std::size_t first, count;
  bool closed;
};

// One stroke made later, on a worker: its pen's look, where it may paint, the centres of
// its chains, and the raster and stroker that turn them into coverage. Everything it needs
// is had before it is handed to a worker, which then allocates nothing.
struct PendingStroke {
  Color color = 0;
  RasterRegion clip;  // the visible clip when it was drawn
  std::vector<DPoint> centres;
  std::vector<StrokeChain> chains;
  AntialiasStroke stroke{1.0};
  CoverageRaster raster;
  CoverageRuns runs;  // what the worker swept, painted on the drawing thread
  std::size_t cellsHeld = 0;  // the most cells its raster was begun with: the memory it keeps
};

// The memory an antialiasing context works in, worth keeping from one render to the next
// (its first touch costs more than a frame's drawing): the raster for shapes and strokes
// drawn at once, and the strokes kept to be made side by side.
struct AntialiasCells {
  CoverageRaster shapes;
  std::vector<PendingStroke> pending;
};

}  // namespace corvane
