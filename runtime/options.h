// Command line of the demo program.
#pragma once

#include <string>

struct Options {
  bool sound = true;         // cleared by "-nosound" as the first argument
  bool windowed = false;     // --window
  int fps = 0;               // --fps N: fixed-step clock; 0 = real time
  std::string frames_dir;    // --frames DIR: write every presented frame
  bool seeded = false;       // --seed N given
  unsigned seed = 0;
  bool frame_log = false;    // --frame-log: per-frame diagnostic lines
  bool help = false;         // --help
  bool timedemo = false;     // --timedemo: time every frame, print the table at the end
  std::string timedemo_csv;  // --timedemo-csv FILE: also write every frame's time (implies --timedemo)
  std::string capture_file;  // --capture FILE: record a video through ffmpeg
  int first_state = 1;       // --part NAME: the timeline state to start at
  bool part_chosen = false;  // --part given: frames and video begin with the part, not the loading
  double seconds = 0.0;      // --seconds S: show seconds to play; 0 = to the end
  int width = 0;             // --size WxH: the frame in pixels; 0 = 640x480
  int height = 0;
  bool native_size = false;  // --size native: the desktop's size
  int samples = 1;           // --aa N: samples per pixel
};

// The largest frame side --size takes, in pixels; the driver may allow less.
constexpr int kMaxFrameSide = 16384;
// The most samples per pixel --aa takes.
constexpr int kMaxSamples = 16;

// The fixed-step clock's frame rate: --fps N, 60 for the timedemo and the
// capture without it, 0 for real time.
int FixedStepFps(const Options& options);

// Parses the arguments. Only the first argument is compared with "-nosound"
// (ignoring case); options are the arguments that begin with "--". Returns
// false with a message in *error for a malformed option, an unknown part
// (the message lists the names), a size that is not two even numbers above 0,
// or the timedemo combined with capture.
bool ParseCommandLine(int argc, const char* const* argv, Options* options, std::string* error);

// The --help text.
const char* UsageText();
