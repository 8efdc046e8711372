// The golden charts drawn by the raster layer; the Windows tests draw the same charts with
// GDI against the same hashes.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/raster/raster_system.h"
#include "tests/common/golden_charts.h"

namespace corvane {
namespace {

TEST(GoldenCharts, RasterPicturesMatchTheTable) {
  RasterGraphicsSystem graphics;
  std::string report;
  const int mismatches = golden::CheckGoldenCharts(graphics, nullptr, &report);
  EXPECT_EQ(mismatches, 0) << report;
  if (mismatches == 0 && !report.empty()) std::printf("%s", report.c_str());  // asked for the table
}

}  // namespace
}  // namespace corvane
