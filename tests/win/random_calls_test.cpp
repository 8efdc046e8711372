// Seeded random scripts on real GDI, painting into a real window: whatever a script passes
// reaches GDI through the device-context layer without faulting, and leaves no GDI object
// behind once the object is gone (Wine reports no GDI object count; Windows does).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "control/automation.h"
#include "platform/gdi/gdi_system.h"
#include "tests/unit/random_script.h"
#include "tests/win/test_support.h"

namespace corvane {
namespace {

TEST(GdiRandomCalls, HostileScriptsNeverFaultNorLeakGdiObjects) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"CorvaneRandomHost";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowExW(0, wc.lpszClassName, L"host", WS_POPUP | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr, wc.hInstance, nullptr);
  ASSERT_NE(hwnd, nullptr);
  const std::wstring dir = wintest::MakeTempDir(L"random");
  const std::wstring path = dir + L"\\random_calls.bmp";
  const std::u16string file(path.begin(), path.end());
  // Handles of windows fit in 32 bits, as automation clients pass them.
  const auto window = static_cast<std::int32_t>(reinterpret_cast<std::intptr_t>(hwnd));

  GdiGraphicsSystem system;
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const std::uint64_t scripts = random_script::ScriptCount(40);
  for (std::uint64_t seed = 1; seed <= scripts; ++seed) {
    random_script::Script s(seed);
    s.Below(500);  // the portable test's window size: the same scripts on both
    s.Below(400);
    CorvaneAutomation chart(system);
    chart.put_hWnd(window);
    chart.SetSize(std::int32_t(50 + s.Below(500)), std::int32_t(50 + s.Below(350)));
    for (std::uint32_t k = 0; k < 120; ++k) random_script::CallSomething(s, chart, window, file);
    chart.Show();
    EXPECT_LE(chart.engine().polygons.count(), CChartEngine::kMaxPolygons);
  }
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before);
  DestroyWindow(hwnd);
  wintest::RemoveTree(dir);
}

}  // namespace
}  // namespace corvane
