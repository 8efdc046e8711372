#include "platform/raster/raster_cosmetic_line.h"

namespace corvane {
namespace cosmetic_line_detail {

const int kTieBias[2][2][2] = {{{0, 0}, {0, 0}}, {{0, 0}, {0, 0}}};

}  // namespace cosmetic_line_detail
}  // namespace corvane
