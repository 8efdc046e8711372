#include "platform/large_block.h"

#include <sys/mman.h>
#include <unistd.h>

namespace corvane {
namespace {

std::size_t PageRounded(std::size_t bytes) {
  static const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return (bytes + page - 1) / page * page;
}

// Point arrays fill front to back, and a fault per 4 KiB page costs more than writing the
// points into it: blocks of 2 MiB and more ask for 2 MiB pages where the system gives them only
// on request. At most the last, partly filled 2 MiB page is resident beyond the points.
constexpr std::size_t kHugePageAdviceBytes = std::size_t{2} << 20;

void* Advised(void* p, std::size_t bytes) {
#ifdef MADV_HUGEPAGE
  if (p != MAP_FAILED && bytes >= kHugePageAdviceBytes) ::madvise(p, bytes, MADV_HUGEPAGE);
#else
  (void)bytes;
#endif
  return p == MAP_FAILED ? nullptr : p;  // the advice is only advice: its failure is ignored
}

}  // namespace

void* AllocateLargeBlock(std::size_t bytes) {
  const std::size_t rounded = PageRounded(bytes);
  return Advised(
      ::mmap(nullptr, rounded, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0),
      rounded);
}

void* ResizeLargeBlock(void* block, std::size_t oldBytes, std::size_t newBytes) {
  const std::size_t rounded = PageRounded(newBytes);
  return Advised(::mremap(block, PageRounded(oldBytes), rounded, MREMAP_MAYMOVE), rounded);
}

void ReleaseLargeBlockTail(void* block, std::size_t usedBytes, std::size_t bytes) {
  const std::size_t from = PageRounded(usedBytes), to = PageRounded(bytes);
  // Only blocks that may hold 2 MiB pages can have a resident tail that was never written.
  if (!block || bytes < kHugePageAdviceBytes || from >= to) return;
  ::madvise(static_cast<char*>(block) + from, to - from, MADV_DONTNEED);
}

void FreeLargeBlock(void* block, std::size_t bytes) {
  if (block) ::munmap(block, PageRounded(bytes));
}

}  // namespace corvane
