#include "runtime/options.h"

#include <strings.h>

#include <cerrno>
#include <cstdlib>

namespace {

bool ParseUnsigned(const char* text, unsigned long max, unsigned long* out) {
  if (!text || !*text || *text == '-') return false;
  char* end = nullptr;
  errno = 0;
  const unsigned long v = std::strtoul(text, &end, 10);
  if (errno || *end || v > max) return false;
  *out = v;
  return true;
}

}  // namespace

const char* UsageText() {
  return "usage: demo [-nosound] [options]\n"
         "  -nosound      run without music (first argument only, any case)\n"
         "  --window      run in a window instead of full screen\n"
         "  --fps N       fixed-step clock: every presented frame advances the show by 1/N s\n"
         "  --frames DIR  write every presented frame to DIR as a numbered 640x480 PNG\n"
         "  --seed N      seed the random generator with N instead of the time\n"
         "  --frame-log   print the per-frame diagnostic lines (also DEMO_FRAME_LOG=1)\n"
         "  --help        print this text\n";
}

bool ParseCommandLine(int argc, const char* const* argv, Options* options, std::string* error) {
  if (argc > 1 && strcasecmp(argv[1], "-nosound") == 0) options->sound = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg.compare(0, 2, "--") != 0) continue;
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    unsigned long n = 0;
    if (arg == "--window") {
      options->windowed = true;
    } else if (arg == "--frame-log") {
      options->frameLog = true;
    } else if (arg == "--help") {
      options->help = true;
    } else if (arg == "--fps") {
      if (!ParseUnsigned(value, 10000, &n) || n == 0) {
        *error = "--fps needs a frame rate from 1 to 10000";
        return false;
      }
      options->fps = static_cast<int>(n);
      ++i;
    } else if (arg == "--seed") {
      if (!ParseUnsigned(value, 0xffffffffUL, &n)) {
        *error = "--seed needs a number from 0 to 4294967295";
        return false;
      }
      options->seeded = true;
      options->seed = static_cast<unsigned>(n);
      ++i;
    } else if (arg == "--frames") {
      if (!value || !*value) {
        *error = "--frames needs a folder";
        return false;
      }
      options->framesDir = value;
      ++i;
    } else {
      *error = "unknown option " + arg;
      return false;
    }
  }
  return true;
}
