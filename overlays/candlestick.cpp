#include "overlays/candlestick.h"

namespace corvane {

// Wick and body arrive with the candlestick drawing work.
void CCandleStick::Draw(DeviceContext&) const {}

}  // namespace corvane
