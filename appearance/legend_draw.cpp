#include "appearance/legend.h"

namespace corvane {

// The legend box and its rows arrive with the legend drawing work.
void CLegend::Draw(DeviceContext&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                   std::int32_t) {}

}  // namespace corvane
