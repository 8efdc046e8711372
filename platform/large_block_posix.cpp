#include "platform/large_block.h"

#include <sys/mman.h>
#include <unistd.h>

namespace corvane {
namespace {

std::size_t PageRounded(std::size_t bytes) {
  static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

}  // namespace

void* AllocateLargeBlock(std::size_t bytes) {
  void* p = ::mmap(nullptr, PageRounded(bytes), PROT_READ | PROT_WRITE,
                   MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  return p == MAP_FAILED ? nullptr : p;
}

void* ResizeLargeBlock(void* block, std::size_t oldBytes, std::size_t newBytes) {
  void* p = ::mremap(block, PageRounded(oldBytes), PageRounded(newBytes), MREMAP_MAYMOVE);
  return p == MAP_FAILED ? nullptr : p;
}

void FreeLargeBlock(void* block, std::size_t bytes) {
  if (block) ::munmap(block, PageRounded(bytes));
}

}  // namespace corvane
