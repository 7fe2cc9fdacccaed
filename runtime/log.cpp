// The per-frame diagnostic lines and their switch.
#include "runtime/log.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

bool EnvironmentSwitch(const char* name) {
  const char* v = std::getenv(name);
  return v && *v && std::strcmp(v, "0") != 0;
}

namespace {
bool gFrameLogging = EnvironmentSwitch("DEMO_FRAME_LOG");
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
