#include "platform/gdi/gdi_system.h"

#include <new>

#include "platform/gdi/gdi_dc.h"

namespace corvane {

std::unique_ptr<DeviceContext> GdiGraphicsSystem::GetWindowDC(std::int32_t hwnd) {
  // Window handles are 32-bit values even on Win64; sign-extend as the system does.
  HWND window = reinterpret_cast<HWND>(static_cast<LONG_PTR>(hwnd));
  if (!window || !IsWindow(window)) return nullptr;
  HDC hdc = GetDC(window);
  if (!hdc) return nullptr;
  std::unique_ptr<DeviceContext> dc(new (std::nothrow) GdiDc(*this, hdc, GdiDc::Ownership::kReleaseWindowDc, window));
  if (!dc) ReleaseDC(window, hdc);
  return dc;
}

std::unique_ptr<DeviceContext> GdiGraphicsSystem::GetScreenDC() {
  HDC hdc = GetDC(nullptr);
  if (!hdc) return nullptr;
  std::unique_ptr<DeviceContext> dc(new (std::nothrow) GdiDc(*this, hdc, GdiDc::Ownership::kReleaseWindowDc, nullptr));
  if (!dc) ReleaseDC(nullptr, hdc);
  return dc;
}

std::unique_ptr<DeviceContext> GdiGraphicsSystem::CreateCompatibleDC(DeviceContext* ref) {
  // A context that is no GDI one (the SVG writer's) draws for memory contexts like the
  // screen's: one compatible with the screen serves it.
  HDC ref_hdc = nullptr;
  if (ref) {
    if (auto* gdi = dynamic_cast<GdiDc*>(&ref->Innermost())) ref_hdc = gdi->hdc();
  }
  HDC hdc = ::CreateCompatibleDC(ref_hdc);
  if (!hdc) return nullptr;
  std::unique_ptr<DeviceContext> dc(new (std::nothrow) GdiDc(*this, hdc, GdiDc::Ownership::kDeleteDc));
  if (!dc) DeleteDC(hdc);
  return dc;
}

bool GdiGraphicsSystem::DeleteObject(ObjHandle obj) {
  return ::DeleteObject(reinterpret_cast<HGDIOBJ>(obj)) != FALSE;
}

void GdiGraphicsSystem::FlushDrawing() { ::GdiFlush(); }

}  // namespace corvane
