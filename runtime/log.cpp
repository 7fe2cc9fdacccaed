#include "runtime/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool FromEnvironment() {
  const char* v = std::getenv("DEMO_FRAME_LOG");
  return v && *v && std::strcmp(v, "0") != 0;
}

bool gFrameLogging = FromEnvironment();

}  // namespace

void SetFrameLogging(bool on) { gFrameLogging = on; }
bool FrameLogging() { return gFrameLogging; }

void FrameLog(const char* format, ...) {
  if (!gFrameLogging) return;
  va_list args;
  va_start(args, format);
  std::vprintf(format, args);
  va_end(args);
}
