// A hash of everything a chart engine stores: settings, records with their strings and point
// arrays, and what the layout pass and the drawers leave behind (window copies, device
// positions, fits, anchors). Two engines with the same hash hold the same state; the fuzz
// target compares it around calls that are refused, which must change nothing.
#pragma once
#include <cstdint>

#include "control/chart_engine.h"

namespace corvane::fuzz {

// kWithoutStaleFlags leaves out layoutDirty and the plots' refitPending: flags that only ask
// for a layout or a refit the next render does anyway (a call that drops its record for
// want of memory may still set them).
enum class StateParts { kAll, kWithoutStaleFlags };

std::uint64_t EngineStateHash(const CChartEngine& engine, StateParts parts = StateParts::kAll);

}  // namespace corvane::fuzz
