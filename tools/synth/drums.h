// Synthesized drums. Each call returns one hit as mono samples from its onset;
// `seed` picks the noise so that repeated hits can differ yet stay repeatable.
#pragma once

#include <cstdint>
#include <vector>

namespace synth {

// Sine with a falling pitch and a short click.
std::vector<float> Kick(float velocity);
// Pitched body and band-passed noise.
std::vector<float> Snare(float velocity, uint32_t seed);
// Six detuned square waves and noise, high-passed; `decay` in seconds (about
// 0.04 closed, 0.3 open, 1.5 for a crash).
std::vector<float> HiHat(float velocity, float decay, uint32_t seed);
// Struck-metal partials at inharmonic ratios over a ring-modulated clank.
std::vector<float> MetalHit(float velocity, float pitch_hz);

}  // namespace synth
