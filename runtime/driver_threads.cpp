// Choosing llvmpipe's thread count where the user has not.
#include "runtime/driver_threads.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace {
constexpr char kThreadsVariable[] = "LP_NUM_THREADS";
}  // namespace

const char* ChooseDriverThreads() {
  if (const char* chosen = std::getenv(kThreadsVariable)) return chosen;
  const long processors = sysconf(_SC_NPROCESSORS_ONLN);
  if (processors < 1) return nullptr;
  setenv(kThreadsVariable, std::to_string(processors + 1).c_str(), 0);
  return std::getenv(kThreadsVariable);
}
