// Golden charts: whole pictures built through the automation API, rendered as SaveToFile
// renders them and hashed over the 24-bit rows of the BMP file. The native tests render them
// with the raster layer, the Windows tests with GDI under Wine; both compare with the same
// constants (golden_hashes.cpp), so one table pins the pictures of both builds.
//
// When a picture changes on purpose: run either test with CORVANE_GOLDEN_DIR=<dir> to get
// every chart as a BMP file there and look at them; then paste the table the failing test
// prints over the one in golden_hashes.cpp, or run scripts/update_golden_hashes.sh.
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

struct GoldenHash {
  const char* name;
  std::uint64_t hash;
};

const std::vector<GoldenChart>& Charts();
// The expected hashes, by chart name (golden_hashes.cpp).
const std::vector<GoldenHash>& ExpectedHashes();

// Renders a fresh chart built by `chart.build` the way SaveToFile does (a compatible bitmap
// copied into a 24-bit DIB section) and returns the FNV-1a hash of the DIB rows; `rows`
// receives them (bottom row first). `flush` (GdiFlush on Windows, else null) runs before the
// bits are read. 0 when no picture could be made.
std::uint64_t RenderHash(GraphicsSystem& graphics, const GoldenChart& chart, void (*flush)(),
                         std::vector<std::uint8_t>* rows);

struct Outcome {
  std::vector<GoldenHash> actual;  // in Charts() order
  std::vector<std::string> mismatches;  // "name: expected 0x..., got 0x..."
  std::string pasteReady;  // the whole table, ready to replace golden_hashes.cpp's
};

// Renders every chart, each from the start of the thread's random sequence (so a chart's
// picture does not depend on the charts before it), compares with ExpectedHashes() and, when
// CORVANE_GOLDEN_DIR is set, writes each picture there as <slug>.bmp.
Outcome RenderAll(GraphicsSystem& graphics, void (*flush)() = nullptr);

}  // namespace corvane::golden
