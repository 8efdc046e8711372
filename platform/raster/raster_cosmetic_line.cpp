#include "platform/raster/raster_cosmetic_line.h"

namespace corvane {
namespace cosmetic_line_detail {

// GDI rounds a tie toward the start point when the minor axis runs toward +y (x-major
// lines) or +x (y-major lines), and away from it otherwise.
const int kTieBias[2][2][2] = {
    // x-major: [dx < 0][dy < 0]
    {{1, 0}, {1, 0}},
    // y-major: [dx < 0][dy < 0]
    {{1, 1}, {0, 0}},
};

}  // namespace cosmetic_line_detail
}  // namespace corvane
