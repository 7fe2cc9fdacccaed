// Mastering of the finished mix: loudness brought to a target by measurement,
// peaks held under a ceiling by the limiter.
#pragma once

#include "tools/synth/mixer.h"

namespace music {

struct MasteringTarget {
  double loudness_lufs = -15.0;
  double true_peak_dbtp = -1.5;
};

struct MasteringResult {
  double gain_db;
  double loudness_lufs;
  double true_peak_dbtp;
};

MasteringResult Master(synth::StereoBuffer& audio, const MasteringTarget& target);

// The rendered score, mastered: what demo.mp3 holds.
synth::StereoBuffer RenderSoundtrack();

}  // namespace music
