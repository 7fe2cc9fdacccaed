// 16-bit PCM WAV files: the renderer writes them, the meter reads them back.
#pragma once

#include <string>

#include "tools/synth/mixer.h"

namespace synth {

// Writes stereo 16-bit PCM at the synthesizer's rate, rounding and clamping
// each sample. Returns false if the file cannot be written.
bool WriteWav(const std::string& path, const StereoBuffer& audio);

struct WavAudio {
  StereoBuffer audio;  // mono files are copied to both sides
  int sample_rate = 0;
};

// Reads a 16-bit PCM WAV of one or two channels. Returns false with a reason
// in `error` for anything else, including a malformed file.
bool ReadWav(const std::string& path, WavAudio& out, std::string& error);

}  // namespace synth
