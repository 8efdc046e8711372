// Storage for large point arrays. On Linux these are page mappings grown with mremap: the
// kernel moves pages instead of copying them, and nothing of an outgrown block stays resident
// (the heap would keep it in its free lists once its mmap threshold has risen). Elsewhere the
// C heap serves. Every function returns nullptr on failure and then leaves `block` as it was.
#pragma once
#include <cstddef>

namespace corvane {

// Blocks of at least this many bytes are large blocks.
constexpr std::size_t kLargeBlockBytes = std::size_t{256} << 10;

// Whether a large block, and the part a resize adds, comes filled with zeros. Anonymous
// mappings do; the C heap does not.
#ifdef _WIN32
constexpr bool kLargeBlocksComeZeroed = false;
#else
constexpr bool kLargeBlocksComeZeroed = true;
#endif

void* AllocateLargeBlock(std::size_t bytes);
void* ResizeLargeBlock(void* block, std::size_t oldBytes, std::size_t newBytes);
void FreeLargeBlock(void* block, std::size_t bytes);

}  // namespace corvane
