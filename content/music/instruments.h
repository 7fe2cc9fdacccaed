// The soundtrack's instruments. Each call renders one note as mono samples
// from its onset: the held part of `seconds`, then the release tail.
#pragma once

#include <cstdint>
#include <vector>

namespace music {

using Voice = std::vector<float>;

// Two detuned saws through a slowly moving low-pass; `brightness` 0..1,
// `release` the time constant of the fade after the gate, in seconds.
Voice Pad(float pitch, double seconds, float detune_cents, float brightness, float release);
// Short FM blip with a falling index: the water-drop arpeggio.
Voice WaterPluck(float pitch, float velocity);
// Inharmonic FM bell for the calm melodies.
Voice Bell(float pitch, float velocity);
// Saw and sub square through a resonant low-pass swept by its own envelope.
Voice Bass(float pitch, double seconds, float velocity, float cutoff_hz);
// Two detuned saws with delayed vibrato.
Voice Lead(float pitch, double seconds, float velocity);
// Short filtered saw for chord stabs and the machine arpeggio.
Voice Stab(float pitch, double seconds, float velocity, float cutoff_hz);
// A few quick rising whistles.
Voice BirdCall(uint32_t seed);
// Band-passed noise whose centre glides from `from_hz` to `to_hz`.
Voice NoiseSweep(double seconds, float from_hz, float to_hz, float velocity, uint32_t seed);

}  // namespace music
