// The fatal reporter and the replaceable exit handler: the one place the program ends from.
#include "fatal.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {
ExitHandler gExitHandler = nullptr;
}

void ShowMessageBox(const std::string& title, const std::string& text) {
  std::fflush(stdout);
  std::fprintf(stderr, "%s\n%s\n", title.c_str(), text.c_str());
  std::fflush(stderr);
}

ExitHandler SetExitHandler(ExitHandler handler) {
  ExitHandler old = gExitHandler;
  gExitHandler = handler;
  return old;
}

void ExitWithStatus(int status) {
  if (gExitHandler) gExitHandler(status);
  std::fflush(stdout);
  std::exit(status);
}

int FatalError(int status, const char* format, ...) {
  // Grow the buffer until the whole message fits.
  size_t size = 100;
  char* buffer = static_cast<char*>(std::malloc(size));
  if (!buffer) ExitWithStatus(-1);
  for (;;) {
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(buffer, size, format, args);
    va_end(args);
    if (n >= 0 && static_cast<size_t>(n) < size) break;
    size = n < 0 ? size * 2 : static_cast<size_t>(n) + 1;
    char* grown = static_cast<char*>(std::realloc(buffer, size));
    if (!grown) {
      std::free(buffer);
      ExitWithStatus(-1);
    }
    buffer = grown;
  }
  const std::string message = buffer;
  std::free(buffer);
  ShowMessageBox(message, "Error");
  if (status != 0) ExitWithStatus(status);
  return 0;
}
