// The golden charts of the native tests, drawn by GDI: every picture must hash as the raster
// layer's does, text included.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "platform/gdi/gdi_system.h"
#include "tests/golden/golden_charts.h"

namespace corvane {
namespace {

void Flush() { GdiFlush(); }

TEST(ChartHash, GdiDrawsTheGoldenCharts) {
  GdiGraphicsSystem graphics;
  const golden::Outcome outcome = golden::RenderAll(graphics, Flush);
  for (const std::string& m : outcome.mismatches) ADD_FAILURE() << m;
  if (!outcome.mismatches.empty())
    std::printf("The hashes GDI gives (CORVANE_GOLDEN_DIR=<dir> writes the pictures):\n%s",
                outcome.pasteReady.c_str());
}

}  // namespace
}  // namespace corvane
