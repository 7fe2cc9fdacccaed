// Send effects: each takes the signal sent to it and returns only its wet
// output, as long as the input.
#pragma once

#include "tools/synth/mixer.h"

namespace synth {

// Stereo delay whose echoes alternate between the sides; each pass through
// the loop is damped by a low-pass.
struct PingPongDelaySettings {
  float seconds = 0.375f;
  float feedback = 0.45f;
  float damping_hz = 4000.0f;
};
StereoBuffer PingPongDelay(const StereoBuffer& send, const PingPongDelaySettings& settings);

// Reverb of parallel damped comb filters into series all-passes per side.
struct ReverbSettings {
  float room = 0.8f;     // 0 small .. 1 large
  float damping = 0.4f;  // 0 bright .. 1 dark
  float width = 1.0f;    // 0 mono .. 1 full stereo
};
StereoBuffer Reverb(const StereoBuffer& send, const ReverbSettings& settings);

}  // namespace synth
