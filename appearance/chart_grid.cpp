#include "appearance/chart_grid.h"

#include <charconv>

namespace corvane {

std::string CChartGrid::FormatGridValue(double value) {
  if (digitsAfterPoint < 0 || digitsAfterPoint > 4) digitsAfterPoint = 2;
  // Fixed notation of the largest double with 4 decimals needs 309 + 1 + 4 characters plus a
  // sign. to_chars ignores the process locale, so the decimal point is always '.'.
  char buf[330];
  const std::to_chars_result r = std::to_chars(buf, buf + sizeof buf, value,
                                               std::chars_format::fixed, digitsAfterPoint);
  if (r.ec != std::errc()) return std::string();
  return std::string(buf, r.ptr);
}

}  // namespace corvane
