// The script the allocation-failure sweep runs: a chart with every kind of record (plots
// with both fits, polygons, rectangles, lines, candlesticks, marks with and without label,
// grid labels, legend entries, captions, a texture background), rendered and saved in every
// way between its changes, then emptied and filled again.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "control/automation.h"

namespace corvane::oom {

// What a step may answer: kStores S_OK always (a record that cannot be stored is dropped
// silently); kMayRunOut S_OK or E_OUTOFMEMORY (strings, arrays); kRenders the same, and a
// render that runs out may stop anywhere (the chart is whole again after the next one).
enum StepRule : std::uint8_t { kStores, kMayRunOut, kRenders };

// Where the script's renders go. The steps allocate nothing of their own: every allocation
// the sweep counts is the library's.
struct ScriptEnv {
  std::int32_t window;
  std::u16string bmpFile;
  std::u16string pngFile;
};

// One member call: a failed allocation may drop or refuse it, never leave half of it.
struct Step {
  std::string name;
  StepRule rule;
  std::function<HResult(CorvaneAutomation&, const ScriptEnv&)> run;
};

const std::vector<Step>& ChartScript();

}  // namespace corvane::oom
