// Parsing the demo's command line and its usage text.
#include "runtime/options.h"

#include <strings.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "runtime/show.h"

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

bool ParseSeconds(const char* text, double* out) {
  if (!text || !*text) return false;
  char* end = nullptr;
  const double v = std::strtod(text, &end);
  if (*end || !std::isfinite(v) || v <= 0.0 || v > 1e6) return false;
  *out = v;
  return true;
}

constexpr int kDefaultFixedStepFps = 60;

// "WxH" with two even numbers from 2 to kMaxFrameSide, or "native" in any case.
bool ParseSize(const char* text, Options* options, std::string* error) {
  const std::string given = text ? text : "";
  if (strcasecmp(given.c_str(), "native") == 0) {
    options->native_size = true;
    return true;
  }
  const std::string::size_type by = given.find('x');
  unsigned long w = 0, h = 0;
  if (by == std::string::npos || !ParseUnsigned(given.substr(0, by).c_str(), kMaxFrameSide, &w) ||
      !ParseUnsigned(given.substr(by + 1).c_str(), kMaxFrameSide, &h) || w == 0 || h == 0) {
    *error = "--size needs WIDTHxHEIGHT, two numbers of pixels from 2 to " + std::to_string(kMaxFrameSide) +
             " (1920x1080, say), or native; not '" + given + "'";
    return false;
  }
  if (w % 2 || h % 2) {
    *error = "--size " + given + ": width and height must be even (the video's colour format needs it)";
    return false;
  }
  options->width = static_cast<int>(w);
  options->height = static_cast<int>(h);
  return true;
}

}  // namespace

int FixedStepFps(const Options& options) {
  if (options.fps > 0) return options.fps;
  return options.timedemo || !options.capture_file.empty() ? kDefaultFixedStepFps : 0;
}

const char* UsageText() {
  return "usage: demo [-nosound] [options]\n"
         "  -nosound      run without music (first argument only, any case)\n"
         "  --window      run in a window instead of full screen\n"
         "  --fps N       fixed-step clock: every presented frame advances the show by 1/N s\n"
         "  --frames DIR  write every presented frame to DIR as a numbered PNG (640x480 unless --size)\n"
         "  --seed N      seed the random generator with N instead of the time\n"
         "  --frame-log   print the per-frame diagnostic lines (also DEMO_FRAME_LOG=1)\n"
         "  --timedemo    run as fast as possible on the fixed-step clock (60 steps a second\n"
         "                unless --fps), no music; print frame times per part at the end\n"
         "  --timedemo-csv FILE  the timedemo, also writing every frame's time to FILE\n"
         "  --capture FILE  record the show with its music to a video (mp4, mkv, ...) through\n"
         "                ffmpeg, on the fixed-step clock (--fps, 60 unless given)\n"
         "  --part NAME   start at a part after loading: Natu1, Techno1, interlude, Natu2,\n"
         "                Techno3, Techno2, Natu3 or end (any case); --frames and --capture\n"
         "                then begin with the part's first frame\n"
         "  --seconds S   end after S seconds of show time\n"
         "  --size WxH    draw every frame W x H pixels (even numbers), the 4:3 picture centred\n"
         "                between black bars; native: the desktop's size (default 640x480)\n"
         "  --aa N        N samples per pixel (2 to 16) for smooth edges: multisampling where\n"
         "                the driver offers it, else drawing at a larger size and reducing\n"
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
      options->frame_log = true;
    } else if (arg == "--help") {
      options->help = true;
    } else if (arg == "--timedemo") {
      options->timedemo = true;
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
      options->frames_dir = value;
      ++i;
    } else if (arg == "--timedemo-csv" || arg == "--capture") {
      if (!value || !*value) {
        *error = arg + " needs a file name";
        return false;
      }
      if (arg == "--capture") {
        options->capture_file = value;
      } else {
        options->timedemo = true;
        options->timedemo_csv = value;
      }
      ++i;
    } else if (arg == "--part") {
      const int state = value ? FindShowState(value) : -1;
      if (state < 0) {
        *error = "--part needs one of " + ShowStateNames();
        return false;
      }
      options->first_state = state;
      options->part_chosen = true;
      ++i;
    } else if (arg == "--size") {
      if (!ParseSize(value, options, error)) return false;
      ++i;
    } else if (arg == "--aa") {
      if (!ParseUnsigned(value, kMaxSamples, &n) || n < 1) {
        *error = "--aa needs a number of samples per pixel from 1 to " + std::to_string(kMaxSamples);
        return false;
      }
      options->samples = static_cast<int>(n);
      ++i;
    } else if (arg == "--seconds") {
      if (!ParseSeconds(value, &options->seconds)) {
        *error = "--seconds needs a number of seconds above 0";
        return false;
      }
      ++i;
    } else {
      *error = "unknown option " + arg;
      return false;
    }
  }
  if (options->timedemo && !options->capture_file.empty()) {
    *error = "--timedemo and --capture cannot be combined";
    return false;
  }
  return true;
}
