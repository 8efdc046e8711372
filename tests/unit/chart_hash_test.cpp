// Golden hashes of whole rendered charts (tests/golden): plots of several pen widths, fits,
// markers, dashed overlays, the grid types with their labels, arrows and captions. Any change
// to a pixel of these pictures changes a hash, so a change to the drawing code that should
// leave the pictures alone is checked in one place; the Windows tests check the same hashes
// on GDI.
#include <gtest/gtest.h>

#include <cstdio>

#include "platform/raster/raster_system.h"
#include "tests/golden/golden_charts.h"

namespace corvane {
namespace {

TEST(ChartHash, RenderedChartsKeepTheirPixels) {
  RasterGraphicsSystem graphics;
  const golden::Outcome outcome = golden::RenderAll(graphics);
  for (const std::string& m : outcome.mismatches) ADD_FAILURE() << m;
  if (!outcome.mismatches.empty())
    std::printf("Once the pictures are checked by eye (CORVANE_GOLDEN_DIR=<dir> writes them),\n"
                "paste this over tests/golden/golden_hashes.cpp's table:\n%s",
                outcome.pasteReady.c_str());
}

}  // namespace
}  // namespace corvane
