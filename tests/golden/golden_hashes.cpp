// The golden hashes of golden_charts.cpp, the same for the raster layer and for GDI. A failing
// chart hash test prints this whole function with the new values, ready to paste.
#include "tests/golden/golden_charts.h"

namespace corvane::golden {

const std::vector<GoldenHash>& ExpectedHashes() {
  static const std::vector<GoldenHash> hashes = {
      {"dense walk, pen 2", 0x98c909424848c519ull},
      {"eight plots, pens 1 to 8, fits and markers", 0xd046d74f31b4c489ull},
      {"sparse wide pens leaving the plot area", 0x0c7c4d025577a49cull},
      {"axes through the origin", 0xf8ad9ebbba0ff3f7ull},
      {"user labels", 0xa45fd5f1d21c641dull},
      {"texture and clamps", 0xa994f90d70352c98ull},
      {"no caption, vertical lines", 0xc6efeacb4cb6a9ebull},
  };
  return hashes;
}

}  // namespace corvane::golden
