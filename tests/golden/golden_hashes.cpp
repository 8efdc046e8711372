// The golden hashes of golden_charts.cpp, the same for the raster layer and for GDI. A failing
// chart hash test prints this whole function with the new values, ready to paste.
#include "tests/golden/golden_charts.h"

namespace corvane::golden {

const std::vector<GoldenHash>& ExpectedHashes() {
  static const std::vector<GoldenHash> hashes = {
      {"dense walk, pen 2", 0x6a263738aed8db3bull},
      {"eight plots, pens 1 to 8, fits and markers", 0xcc46bc8c23135497ull},
      {"sparse wide pens leaving the plot area", 0x47d3bb90fddcddfcull},
      {"axes through the origin", 0x534c58708d57ad1dull},
      {"user labels", 0xe304624420c40024ull},
      {"texture and clamps", 0x2adb018c4fbba61aull},
      {"no caption, vertical lines", 0x01e5cc0c785ca817ull},
  };
  return hashes;
}

}  // namespace corvane::golden
