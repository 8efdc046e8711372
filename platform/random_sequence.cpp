#include "platform/random_sequence.h"

namespace corvane {
namespace {
thread_local std::uint32_t g_state = 1;
}

int NextRandom() {
  g_state = g_state * 214013u + 2531011u;
  return static_cast<int>((g_state >> 16) & 0x7FFFu);
}

void ResetRandomForTest(std::uint32_t state) { g_state = state; }

}  // namespace corvane
