#include "tests/oom/alloc_failure.h"

#include <sanitizer/common_interface_defs.h>
#include <sys/mman.h>

#include <cerrno>
#include <cstdarg>
#include <cstddef>
#include <cstdlib>
#include <new>

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_calloc(std::size_t n, std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void* __real_mmap(void* addr, std::size_t len, int prot, int flags, int fd, off_t offset);
void* __real_mremap(void* old, std::size_t oldSize, std::size_t newSize, int flags, ...);
}

namespace corvane::oom {
namespace {

bool g_counting = false;
std::uint64_t g_count = 0;
std::uint64_t g_failAt = 0;
bool g_failed = false;

// Counts one allocation; true when it is the one to fail.
bool FailThisOne() {
  if (!g_counting) return false;
  ++g_count;
  if (g_count != g_failAt) return false;
  g_failed = true;
  // CORVANE_OOM_TRACE=1 shows where each failing allocation was asked for.
  static const bool trace = std::getenv("CORVANE_OOM_TRACE") != nullptr;
  if (trace) __sanitizer_print_stack_trace();
  return true;
}

}  // namespace

void Arm(std::uint64_t n) {
  g_count = 0;
  g_failAt = n;
  g_failed = false;
  g_counting = true;
}

void Disarm() { g_counting = false; }
std::uint64_t Counted() { return g_count; }
bool Failed() { return g_failed; }

}  // namespace corvane::oom

using corvane::oom::FailThisOne;

extern "C" {

void* __wrap_malloc(std::size_t size) { return FailThisOne() ? nullptr : __real_malloc(size); }
void* __wrap_calloc(std::size_t n, std::size_t size) {
  return FailThisOne() ? nullptr : __real_calloc(n, size);
}
void* __wrap_realloc(void* block, std::size_t size) {
  return FailThisOne() ? nullptr : __real_realloc(block, size);
}
void* __wrap_mmap(void* addr, std::size_t len, int prot, int flags, int fd, off_t offset) {
  if (FailThisOne()) {
    errno = ENOMEM;
    return MAP_FAILED;
  }
  return __real_mmap(addr, len, prot, flags, fd, offset);
}
void* __wrap_mremap(void* old, std::size_t oldSize, std::size_t newSize, int flags, ...) {
  if (FailThisOne()) {
    errno = ENOMEM;
    return MAP_FAILED;
  }
  return __real_mremap(old, oldSize, newSize, flags);  // the library never passes a new address
}

}  // extern "C"

namespace {

void* NewBlock(std::size_t size) {
  return FailThisOne() ? nullptr : __real_malloc(size == 0 ? 1 : size);
}

}  // namespace

void* operator new(std::size_t size) {
  if (void* p = NewBlock(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* p = NewBlock(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return NewBlock(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return NewBlock(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
