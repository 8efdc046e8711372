// HitTest of ICorvaneEx3: the probe checked, the layout brought up to date, the chart asked.
#include <cmath>
#include <memory>
#include <new>

#include "control/automation.h"

namespace corvane {
namespace {

// Beyond this a radius reaches past any picture the system can make.
constexpr double kMaxHitRadius = 10000.0;

}  // namespace

HResult CorvaneAutomation::HitTest(double x, double y, double radius, ChartHit* hit) {
  if (!hit) return kE_POINTER;
  if (!std::isfinite(x) || !std::isfinite(y) || !(radius >= 0 && radius <= kMaxHitRadius))
    return kE_INVALIDARG;
  if (engine_.width <= 0 || engine_.height <= 0) {
    *hit = ChartHit{};  // no picture: nothing is shown, nothing is hit
    return kS_OK;
  }
  try {
    // The legend's rows are as tall as its texts: measured in a context of the screen.
    std::unique_ptr<DeviceContext> measure = graphics_.CreateCompatibleDC(nullptr);
    if (!measure) return kE_OUTOFMEMORY;
    engine_.EnsureLayout();
    *hit = HitTestChart(engine_, *measure, HitProbe{x, y, radius});
  } catch (const std::bad_alloc&) {
    return kE_OUTOFMEMORY;
  }
  return kS_OK;
}

}  // namespace corvane
