// Allocation failure on demand, for the allocation-failure sweep: once armed with n, the
// n-th allocation from then on fails -- operator new (every form), and malloc, calloc,
// realloc, mmap and mremap as the portable library calls them (the program is linked with
// --wrap for those, so the library's growable arrays, large blocks and FreeType's memory,
// which it hands FreeType itself, all count). Allocations inside other C libraries
// (fontconfig, libpng, zlib) are not counted. Single-threaded use only.
#pragma once
#include <cstdint>

namespace corvane::oom {

// Counts allocations from now on and fails the n-th (n >= 1); 0 counts without failing.
void Arm(std::uint64_t n);
// Stops counting and failing.
void Disarm();
// Allocations counted since the last Arm, and whether the armed one has failed yet.
std::uint64_t Counted();
bool Failed();

}  // namespace corvane::oom
