// State-variable filter (trapezoidal integration): stable under fast cutoff
// changes, with low-, band- and high-pass outputs from one state.
#pragma once

namespace synth {

struct FilterOutputs {
  float low;
  float band;
  float high;
};

class Svf {
 public:
  Svf(float cutoff_hz, float resonance);  // resonance 0 (none) to just under 1
  void SetCutoff(float hz);
  FilterOutputs Process(float input);
  float Low(float input) { return Process(input).low; }
  float Band(float input) { return Process(input).band; }
  float High(float input) { return Process(input).high; }

 private:
  float g_ = 0.0f;
  float k_;
  float a1_ = 0.0f, a2_ = 0.0f, a3_ = 0.0f;
  float ic1_ = 0.0f, ic2_ = 0.0f;
};

}  // namespace synth
