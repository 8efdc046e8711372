// Golden whole charts that both builds must draw with the same pixels: the overlay chart
// under each of the 21 colour presets, and charts whose overlays reach far beyond the
// picture. The unit tests render them with the raster layer, the Windows tests with GDI;
// both compare against one table of hashes (golden_hashes.inc).
//
// When a picture changes on purpose, the failing test prints the whole table with the new
// hashes, ready to paste over golden_hashes.inc; CORVANE_UPDATE_GOLDEN=1 prints it always.
// CORVANE_GOLDEN_DIR=<directory> also saves every chart there as <name>.bmp, to look at.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control/automation.h"
#include "platform/dc.h"

namespace corvane::golden {

struct GoldenChart {
  std::string name;
  std::int32_t width, height;
  std::function<void(CorvaneAutomation&)> build;
};

std::vector<GoldenChart> GoldenCharts();

// The hash golden_hashes.inc holds for a chart; false when it holds none.
bool ExpectedHash(const std::string& name, std::uint64_t* hash);

// Renders the chart as SaveToFile does (a picture compatible with the screen, copied into a
// 24-bit DIB section) and hashes the DIB's pixel bytes with FNV-1a, rows bottom-up, padding
// left out. `flush` runs before the bits are read (GdiFlush on Windows). False when no
// picture could be made.
bool RenderedHash(GraphicsSystem& graphics, CorvaneAutomation& chart, void (*flush)(),
                  std::uint64_t* hash);

// Renders every golden chart, each with the random sequence restarted (the textures draw
// from it). Returns the number of charts whose hash differs from the table or that could
// not be rendered; `report` receives the differences and, when there are any or when
// CORVANE_UPDATE_GOLDEN is set, the table with the hashes this build made.
int CheckGoldenCharts(GraphicsSystem& graphics, void (*flush)(), std::string* report);

}  // namespace corvane::golden
