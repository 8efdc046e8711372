// Receiver of the horizontal pixel runs that the scan converters produce.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/raster/raster_region.h"

namespace corvane {

class SpanSink {
 public:
  virtual ~SpanSink() = default;
  // Sorted, disjoint runs [left, right) of row y.
  virtual void Row(std::int32_t y, const RegionSpan* spans, std::size_t n) = 0;
};

// Collects rows into a region (rows must arrive in increasing order).
class RegionSpanSink : public SpanSink {
 public:
  void Row(std::int32_t y, const RegionSpan* spans, std::size_t n) override {
    builder_.AddRow(y, spans, n);
  }
  void Reserve(std::size_t rows) { builder_.Reserve(rows, 2 * rows); }
  RasterRegion Finish() { return builder_.Finish(); }

 private:
  RasterRegion::Builder builder_;
};

}  // namespace corvane
