// Command line of the demo program.
#pragma once

#include <string>

struct Options {
  bool sound = true;       // cleared by "-nosound" as the first argument
  bool windowed = false;   // --window
  int fps = 0;             // --fps N: fixed-step clock; 0 = real time
  std::string framesDir;   // --frames DIR: write every presented frame
  bool seeded = false;     // --seed N given
  unsigned seed = 0;
  bool frameLog = false;   // --frame-log: per-frame diagnostic lines
  bool help = false;       // --help
};

// Parses the arguments. Only the first argument is compared with "-nosound"
// (ignoring case); options are the arguments that begin with "--". Returns
// false with a message in *error for a malformed option.
bool ParseCommandLine(int argc, const char* const* argv, Options* options, std::string* error);

// The --help text.
const char* UsageText();
