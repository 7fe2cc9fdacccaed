// The state-variable filter step.
#include "tools/synth/filter.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/dsp.h"

namespace synth {

Svf::Svf(float cutoff_hz, float resonance)
    : k_(2.0f - 2.0f * std::clamp(resonance, 0.0f, 0.98f)) {
  SetCutoff(cutoff_hz);
}

void Svf::SetCutoff(float hz) {
  float nyquist_safe = 0.45f * kSampleRate;
  hz = std::clamp(hz, 10.0f, nyquist_safe);
  g_ = static_cast<float>(std::tan(kPi * hz / kSampleRate));
  a1_ = 1.0f / (1.0f + g_ * (g_ + k_));
  a2_ = g_ * a1_;
  a3_ = g_ * a2_;
}

FilterOutputs Svf::Process(float input) {
  float v3 = input - ic2_;
  float v1 = a1_ * ic1_ + a2_ * v3;
  float v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
  ic1_ = 2.0f * v1 - ic1_;
  ic2_ = 2.0f * v2 - ic2_;
  return {v2, v1, input - k_ * v1 - v2};
}

}  // namespace synth
