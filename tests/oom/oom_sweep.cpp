// The allocation-failure sweep: runs the chart script (chart_script.h) once for every n up to
// the number of allocations it makes, with the n-th allocation failing, and checks that
//  - every call answers as its rule says (S_OK, or E_OUTOFMEMORY where memory may run out);
//  - the failed call either did all it does or nothing (a render aside: it may stop anywhere);
//  - once allocations succeed again, the chart renders the picture, and holds the state, of
//    a fresh chart given the calls that took effect;
//  - no device object and (LeakSanitizer) no memory is left behind.
//   corvane_oom_sweep [--every K] [--from F] [--only N]   every K-th n from F (1) on, or
//                                              n = N alone (with
//                                              CORVANE_OOM_TRACE=1: where it was asked for)
#include <sanitizer/lsan_interface.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/random_sequence.h"
#include "platform/raster/raster_system.h"
#include "tests/fuzz/engine_state_hash.h"
#include "tests/oom/alloc_failure.h"
#include "tests/oom/chart_script.h"

namespace corvane::oom {
namespace {

using fuzz::EngineStateHash;
using fuzz::StateParts;

std::uint64_t StoredState(CorvaneAutomation& chart) {
  return EngineStateHash(chart.engine(), StateParts::kWithoutStaleFlags);
}

int g_failures = 0;

void Report(std::uint64_t n, const std::string& step, const char* what) {
  std::printf("allocation %llu failing in %s: %s\n", static_cast<unsigned long long>(n), step.c_str(),
              what);
  ++g_failures;
}

// A chart of its own system, with a window to show in.
struct Chart {
  RasterGraphicsSystem system;
  std::unique_ptr<CorvaneAutomation> chart;
  ScriptEnv env;
  explicit Chart(const std::string& dir) : chart(new CorvaneAutomation(system)) {
    const std::string bmp = dir + "/chart.bmp", png = dir + "/chart.png";
    env = ScriptEnv{system.CreateWindowSurface(60, 40), std::u16string(bmp.begin(), bmp.end()),
                    std::u16string(png.begin(), png.end())};
  }
  std::vector<std::uint8_t> Picture() {
    ResetRandomForTest();  // textures and label tests draw the same numbers on both sides
    DibPicture picture;
    chart->get_Picture(&picture);
    return picture.bits;
  }
};

// The state after each step of an undisturbed run (stale flags aside): hashes[0] before the
// first.
std::vector<std::uint64_t> ReferenceHashes(const std::string& dir) {
  Chart c(dir);
  std::vector<std::uint64_t> hashes{StoredState(*c.chart)};
  for (const Step& step : ChartScript()) {
    step.run(*c.chart, c.env);
    hashes.push_back(StoredState(*c.chart));
  }
  return hashes;
}

// Runs the script with allocation n failing; false once n is past the script's allocations.
bool SweepOne(std::uint64_t n, const std::string& dir, const std::vector<std::uint64_t>& ref,
              std::uint64_t* refused, std::uint64_t* dropped) {
  const std::vector<Step>& script = ChartScript();
  std::size_t failedStep = script.size();
  bool stepDropped = false;
  std::vector<std::uint8_t> picture, expected;
  std::uint64_t state = 0, expectedState = 0;
  {
    Chart c(dir);
    Arm(n);
    for (std::size_t i = 0; i < script.size(); ++i) {
      const Step& step = script[i];
      const bool before = Failed();
      const HResult hr = step.run(*c.chart, c.env);
      const bool outOfMemory = step.rule != kStores && hr == kE_OUTOFMEMORY;
      if (hr != kS_OK && !outOfMemory) Report(n, step.name, "an answer the member never gives");
      if (outOfMemory) ++*refused;
      if (before || !Failed()) continue;
      failedStep = i;
      if (step.rule == kRenders) continue;  // the final comparison judges what it left
      const std::uint64_t h = StoredState(*c.chart);
      stepDropped = h == ref[i];
      if (h != ref[i + 1] && h != ref[i]) Report(n, step.name, "the call did half of what it does");
      if (outOfMemory && !stepDropped) Report(n, step.name, "E_OUTOFMEMORY, yet the call took effect");
      if (stepDropped) ++*dropped;
    }
    Disarm();
    if (!Failed()) return false;
    picture = c.Picture();
    state = EngineStateHash(c.chart->engine());
    c.chart.reset();
    if (c.system.LiveObjectCount() != 0) Report(n, script[failedStep].name, "a device object was left");
  }
  Chart fresh(dir);
  for (std::size_t i = 0; i < script.size(); ++i) {
    if (!(stepDropped && i == failedStep)) script[i].run(*fresh.chart, fresh.env);
  }
  expected = fresh.Picture();
  expectedState = EngineStateHash(fresh.chart->engine());
  if (picture != expected) Report(n, script[failedStep].name, "the picture differs from a fresh chart's");
  if (state != expectedState) Report(n, script[failedStep].name, "the state differs from a fresh chart's");
  return true;
}

}  // namespace
}  // namespace corvane::oom

int main(int argc, char** argv) {
  using namespace corvane::oom;
  std::uint64_t every = 1;
  std::uint64_t first = 1, last = UINT64_MAX;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::uint64_t v = std::strtoull(argv[i + 1], nullptr, 10);
    if (std::strcmp(argv[i], "--every") == 0) every = v > 0 ? v : 1;
    if (std::strcmp(argv[i], "--only") == 0) first = last = v;
    if (std::strcmp(argv[i], "--from") == 0) first = v > 0 ? v : 1;
  }
  char tmpl[] = "/tmp/corvane-oom-XXXXXX";
  const std::string dir = ::mkdtemp(tmpl);

  // A first run fills the process-wide caches (fonts, glyphs, the screen): the sweep then
  // counts the same allocations for every n.
  const std::vector<std::uint64_t> ref = ReferenceHashes(dir);
  std::uint64_t total = 0;
  {
    Chart c(dir);
    Arm(0);
    for (const Step& step : ChartScript()) step.run(*c.chart, c.env);
    total = Counted();
    Disarm();
  }
  std::uint64_t refused = 0, dropped = 0, tried = 0;
  for (std::uint64_t n = first; n <= last && SweepOne(n, dir, ref, &refused, &dropped); n += every) {
    ++tried;
    if (n % 500 == 0 && __lsan_do_recoverable_leak_check() != 0) {
      std::printf("memory leaked by n <= %llu\n", static_cast<unsigned long long>(n));
      ++g_failures;
    }
  }
  if (__lsan_do_recoverable_leak_check() != 0) ++g_failures;
  std::system(("rm -rf '" + dir + "'").c_str());
  std::printf("oom sweep: %zu calls, %llu allocations; %llu runs, each failing one allocation: "
              "%llu calls answered E_OUTOFMEMORY, %llu records dropped; %d failure(s)\n",
              ChartScript().size(), static_cast<unsigned long long>(total),
              static_cast<unsigned long long>(tried), static_cast<unsigned long long>(refused),
              static_cast<unsigned long long>(dropped), g_failures);
  return g_failures == 0 ? 0 : 1;
}
