// The Windows GraphicsSystem: window, screen and memory contexts of real GDI.
#pragma once
#include <cstdint>
#include <memory>

#include "platform/dc.h"

namespace corvane {

class GdiGraphicsSystem : public GraphicsSystem {
 public:
  GdiGraphicsSystem() = default;
  std::unique_ptr<DeviceContext> GetWindowDC(std::int32_t hwnd) override;
  std::unique_ptr<DeviceContext> GetScreenDC() override;
  std::unique_ptr<DeviceContext> CreateCompatibleDC(DeviceContext* ref) override;
  bool DeleteObject(ObjHandle obj) override;
  void FlushDrawing() override;
};

}  // namespace corvane
