// The golden hashes of golden_charts.cpp, the same for the raster layer and for GDI. A failing
// chart hash test prints this whole function with the new values, ready to paste.
#include "tests/golden/golden_charts.h"

namespace corvane::golden {

const std::vector<GoldenHash>& ExpectedHashes() {
  static const std::vector<GoldenHash> hashes = {
      {"dense walk, pen 2", 0x04f5aeca25546512ull},
      {"eight plots, pens 1 to 8, fits and markers", 0xa8c3617cf0dcb738ull},
      {"sparse wide pens leaving the plot area", 0xb864a509daf68af6ull},
      {"axes through the origin", 0xb3bb9cf10628c897ull},
      {"user labels", 0x1fabae7e80f08da2ull},
      {"texture and clamps", 0x7c72bfe459e8e134ull},
      {"no caption, vertical lines", 0x6b1db3251aab2296ull},
      {"preset 1", 0x597fc6a118b00461ull},
      {"preset 2", 0xd27a056e7fc35c3aull},
      {"preset 3", 0xa37d2e48815515f5ull},
      {"preset 4", 0xd53bfa7ca57f6ebaull},
      {"preset 5", 0x984f18cdf2e1959cull},
      {"preset 6", 0xcc85d2c3624866cbull},
      {"preset 7", 0x834d7ce4f5380081ull},
      {"preset 8", 0xb1ed04de8916f4c8ull},
      {"preset 9", 0x5be3a42e83b6554cull},
      {"preset 10", 0xb2d402e5103d82e1ull},
      {"preset 11", 0x13668326735499ddull},
      {"preset 12", 0x1ab71764d13ddc95ull},
      {"preset 13", 0x9c91cf5f4ffe1755ull},
      {"preset 14", 0x6146aceee55eb6d7ull},
      {"preset 15", 0xb90a60e3a6a3fbbaull},
      {"preset 16", 0xfd0107024574298aull},
      {"preset 17", 0x3f1b317e73dbc23dull},
      {"preset 18", 0xeb66dc7fc000c9ddull},
      {"preset 19", 0x5f77ed344c9d9508ull},
      {"preset 20", 0x2a43cb3f88b9bbe5ull},
      {"preset 21", 0x5e5a613103189788ull},
      {"overlays beyond the picture", 0xc03321814f38370bull},
      {"marks, legend over plots, arrows between rectangles and candles", 0xa293ebd47b1ba8b7ull},
      {"marks off the window, legend bottom right under a preset", 0x28e51c314debbda5ull},
      {"round ticks over every overlay", 0x7b09d966aefa382bull},
      {"a day of minutes across a leap day", 0x67e82ecec43ce0d8ull},
      {"daily candlesticks in dollars", 0x91e5695caba7f76eull},
      {"an hour of Unix seconds", 0x772837bd24698bb9ull},
      {"logarithmic axes with gaps and a parabola", 0xb199e23536a7be62ull},
  };
  return hashes;
}

}  // namespace corvane::golden
