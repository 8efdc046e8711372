// Helpers for the engine and automation tests: a graphics system that makes no contexts (the
// state members never draw) and UTF-16 argument shorthands.
#pragma once
#include <memory>
#include <string>

#include "control/automation.h"
#include "platform/dc.h"

namespace corvane::testing {

class NoDrawingGraphicsSystem : public GraphicsSystem {
 public:
  std::unique_ptr<DeviceContext> GetWindowDC(std::int32_t) override { return nullptr; }
  std::unique_ptr<DeviceContext> GetScreenDC() override { return nullptr; }
  std::unique_ptr<DeviceContext> CreateCompatibleDC(DeviceContext*) override { return nullptr; }
  bool DeleteObject(ObjHandle) override { return true; }
};

// Owns the system the automation object refers to.
struct AutomationFixtureBase {
  NoDrawingGraphicsSystem graphics;
  CorvaneAutomation chart{graphics};
  CChartEngine& engine() { return chart.engine(); }
};

inline std::uint32_t Len(const std::u16string& s) { return static_cast<std::uint32_t>(s.size()); }

}  // namespace corvane::testing
