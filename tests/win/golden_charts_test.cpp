// The golden charts drawn by real GDI: the same hashes as the raster layer's, so both builds
// draw these charts with the same pixels.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "platform/gdi/gdi_system.h"
#include "tests/common/golden_charts.h"

namespace corvane {
namespace {

void Flush() { GdiFlush(); }

TEST(GoldenCharts, GdiPicturesMatchTheTable) {
  GdiGraphicsSystem graphics;
  std::string report;
  const int mismatches = golden::CheckGoldenCharts(graphics, Flush, &report);
  EXPECT_EQ(mismatches, 0) << report;
  if (mismatches == 0 && !report.empty()) std::printf("%s", report.c_str());  // asked for the table
}

}  // namespace
}  // namespace corvane
