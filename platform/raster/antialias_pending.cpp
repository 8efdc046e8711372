#include "platform/raster/antialias_pending.h"

namespace corvane {

void CoverageRuns::Reserve(std::size_t rows, std::size_t width) {
  rows_.clear();
  alpha_.clear();
  rows_.reserve(rows);
  alpha_.reserve(rows * width);
}

// The sweep hands a row's runs left to right and rows top to bottom, each inside the box.
void CoverageRuns::CoverageRow(std::int32_t y, std::int32_t x, const std::uint8_t* alpha, std::int32_t n) {
  if (!rows_.empty() && rows_.back().y == y) {
    Row& row = rows_.back();
    alpha_.insert(alpha_.end(), static_cast<std::size_t>(x - (row.x + row.n)), std::uint8_t{0});
    row.n = x + n - row.x;
  } else {
    rows_.push_back(Row{y, x, n, alpha_.size()});
  }
  alpha_.insert(alpha_.end(), alpha, alpha + n);
}

}  // namespace corvane
