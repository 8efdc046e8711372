#include "platform/processor_count.h"

#include <thread>

#if defined(__linux__)
#include <sched.h>
#endif

namespace corvane {

int AllowedProcessors() {
#if defined(__linux__)
  cpu_set_t allowed;
  if (sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0)
    return CPU_COUNT(&allowed);
#endif
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n > 1024 ? 1024 : n);
}

}  // namespace corvane
