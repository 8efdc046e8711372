#include "appearance/chart_grid.h"

#include <cstdio>

namespace corvane {

std::string CChartGrid::FormatGridValue(double value) {
  if (digitsAfterPoint < 0 || digitsAfterPoint > 4) digitsAfterPoint = 2;
  char buf[400];
  std::snprintf(buf, sizeof buf, "%.*f", static_cast<int>(digitsAfterPoint), value);
  return buf;
}

}  // namespace corvane
