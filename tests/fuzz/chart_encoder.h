// Writes a chart as a fuzz input: the calls that rebuild what its engine stores (size kept
// within the fuzz target's bounds, at most kMaxSeedPoints points a plot), followed by renders
// into a file, a PNG, the window and a buffer. The seed corpus is the demo and golden charts
// written this way.
#pragma once
#include <cstdint>
#include <vector>

#include "control/chart_engine.h"

namespace corvane::fuzz {

constexpr std::int32_t kMaxSeedPoints = 256;
// The largest side a seed picture has: the fuzz target's small sides end above it.
constexpr std::int32_t kMaxSeedSide = 230;

// The picture size a seed gives a chart of w x h: scaled down to fit kMaxSeedSide and the
// fuzz target's most pixels.
void SeedSize(std::int32_t w, std::int32_t h, std::int32_t* sw, std::int32_t* sh);

// The calls, without renders.
std::vector<std::uint8_t> EncodeChart(const CChartEngine& engine);
// The renders every seed ends with.
void AppendRenders(std::vector<std::uint8_t>* input);
// The read-back members, then a hit test every 8 pixels across a w x h picture.
void AppendReadBackAndHits(std::int32_t w, std::int32_t h, std::vector<std::uint8_t>* input);

}  // namespace corvane::fuzz
