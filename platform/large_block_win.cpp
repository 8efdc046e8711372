#include "platform/large_block.h"

#include <cstdlib>

namespace corvane {

// The Windows heap already hands large blocks back to the system when they are freed.
void* AllocateLargeBlock(std::size_t bytes) { return std::malloc(bytes); }

void* ResizeLargeBlock(void* block, std::size_t, std::size_t newBytes) {
  return std::realloc(block, newBytes);
}

void FreeLargeBlock(void* block, std::size_t) { std::free(block); }

}  // namespace corvane
