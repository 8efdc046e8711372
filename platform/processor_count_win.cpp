#include "platform/processor_count.h"

#include <windows.h>

#include <bitset>
#include <thread>

namespace corvane {

int AllowedProcessors() {
  DWORD_PTR process = 0, system = 0;
  if (GetProcessAffinityMask(GetCurrentProcess(), &process, &system) && process != 0)
    return static_cast<int>(std::bitset<sizeof(DWORD_PTR) * 8>(process).count());
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(n > 1024 ? 1024 : n);
}

}  // namespace corvane
