// Seeded random scripts on the portable raster, rendered now and then. Under the sanitizer
// build this is the "a script cannot crash or hang the host" test; everywhere it checks
// that no drawing call leaves a device object behind. CORVANE_RANDOM_SCRIPTS=N runs N
// scripts instead of 40, for a long hunt under the sanitizers.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "control/automation.h"
#include "platform/raster/raster_system.h"
#include "pipeline_test_files.h"
#include "random_script.h"

namespace corvane {
namespace {

using random_script::Script;

TEST(AutomationRandomCalls, HostileScriptsNeverFaultNorLeakDeviceObjects) {
  const pipeline_testing::TempDir dir;
  const std::u16string file = pipeline_testing::U16(dir.File("random_calls.bmp"));
  const std::uint64_t scripts = random_script::ScriptCount(40);
  for (std::uint64_t seed = 1; seed <= scripts; ++seed) {
    Script s(seed);
    RasterGraphicsSystem system;
    const std::int32_t window = system.CreateWindowSurface(std::int32_t(1 + s.Below(500)),
                                                           std::int32_t(1 + s.Below(400)));
    {
      CorvaneAutomation chart(system);
      chart.put_hWnd(window);
      chart.SetSize(std::int32_t(50 + s.Below(500)), std::int32_t(50 + s.Below(350)));
      for (std::uint32_t k = 0; k < 120; ++k) {
        random_script::CallSomething(s, chart, window, file);
        // Between calls only the picture bitmap and the background's texture tile live.
        ASSERT_LE(system.LiveObjectCount(), 2u) << "seed " << seed << " call " << k;
      }
      chart.Show();
      chart.SaveToFile(file.data(), std::uint32_t(file.size()));
      EXPECT_LE(chart.engine().polygons.count(), CChartEngine::kMaxPolygons);
    }
    EXPECT_EQ(system.LiveObjectCount(), 0u) << "seed " << seed;
  }
}

}  // namespace
}  // namespace corvane
