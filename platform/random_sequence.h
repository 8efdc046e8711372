// The chart's one pseudo-random sequence: one state per thread, starting at 1, never reseeded.
// state = state * 214013 + 2531011 (mod 2^32); result (state >> 16) & 0x7FFF.
// The background texture and the label background test draw from it, so both builds make the
// same textures.
#pragma once
#include <cstdint>

namespace corvane {

int NextRandom();                  // 0..32767
void ResetRandomForTest(std::uint32_t state = 1);  // tests only: restart the sequence

}  // namespace corvane
