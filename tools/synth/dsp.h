// Shared constants and small helpers of the synthesizer.
#pragma once

#include <cstdint>

#include "maths/pi.h"

namespace synth {

constexpr int kSampleRate = 44100;
constexpr double kPi = kPiDouble;

// Equal-tempered frequency of a MIDI note number (69 = A4 = 440 Hz).
float MidiToHz(float note);
float DbToGain(float db);
float GainToDb(float gain);

// Fast sine of a phase in cycles, from a table with linear interpolation
// (error under 1e-6).
float SineOfCycles(double phase);

// exp(-t / seconds) sampled at the synthesizer's rate, one multiply a step.
class ExpDecay {
 public:
  explicit ExpDecay(float seconds);
  float Next() {
    float value = level_;
    level_ *= factor_;
    return value;
  }

 private:
  float level_ = 1.0f;
  float factor_;
};

// Deterministic white noise (xorshift32); the same seed gives the same stream.
class Noise {
 public:
  explicit Noise(uint32_t seed = 0x9E3779B9u) : state_(seed ? seed : 1u) {}
  float Next();  // uniform in [-1, 1)
  float Unit();  // uniform in [0, 1)

 private:
  uint32_t state_;
};

}  // namespace synth
