// The golden hashes of golden_charts.cpp, the same for the raster layer and for GDI. A failing
// chart hash test prints this whole function with the new values, ready to paste.
#include "tests/golden/golden_charts.h"

namespace corvane::golden {

const std::vector<GoldenHash>& ExpectedHashes() {
  static const std::vector<GoldenHash> hashes = {
      {"dense walk, pen 2", 0x04f5aeca25546512ull},
      {"eight plots, pens 1 to 8, fits and markers", 0x82cf0777c1e13b54ull},
      {"sparse wide pens leaving the plot area", 0x390e0e3ba24c1fcaull},
      {"axes through the origin", 0xb3bb9cf10628c897ull},
      {"user labels", 0x1fabae7e80f08da2ull},
      {"texture and clamps", 0xa160efa29e2359eaull},
      {"no caption, vertical lines", 0x6b1db3251aab2296ull},
  };
  return hashes;
}

}  // namespace corvane::golden
