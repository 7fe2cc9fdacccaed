// Pitch and level conversions, sine, decay and noise that the synthesizer shares.
#include "tools/synth/dsp.h"

#include <array>
#include <cmath>

namespace synth {

float MidiToHz(float note) { return 440.0f * std::exp2((note - 69.0f) / 12.0f); }

float DbToGain(float db) { return std::pow(10.0f, db / 20.0f); }

float GainToDb(float gain) { return 20.0f * std::log10(gain); }

float SineOfCycles(double phase) {
  constexpr int kSize = 4096;
  static const std::array<float, kSize + 1> table = [] {
    std::array<float, kSize + 1> values{};
    for (int i = 0; i <= kSize; ++i) values[i] = static_cast<float>(std::sin(2.0 * kPi * i / kSize));
    return values;
  }();
  double position = (phase - std::floor(phase)) * kSize;
  int index = static_cast<int>(position);
  if (index >= kSize) index = kSize - 1;
  float fraction = static_cast<float>(position - index);
  return table[index] + fraction * (table[index + 1] - table[index]);
}

ExpDecay::ExpDecay(float seconds)
    : factor_(seconds > 0.0f ? std::exp(-1.0f / (seconds * kSampleRate)) : 0.0f) {}

float Noise::Unit() {
  state_ ^= state_ << 13;
  state_ ^= state_ >> 17;
  state_ ^= state_ << 5;
  return static_cast<float>(state_ >> 8) * (1.0f / 16777216.0f);
}

float Noise::Next() { return Unit() * 2.0f - 1.0f; }

}  // namespace synth
