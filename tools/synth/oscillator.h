// Band-limited oscillators: the saw and square use polyBLEP corrections at
// their steps, the triangle integrates the corrected square.
#pragma once

namespace synth {

enum class Waveform { kSine, kTriangle, kSaw, kSquare };

class Oscillator {
 public:
  explicit Oscillator(Waveform wave, float phase = 0.0f);
  void SetFrequency(float hz);
  float Next();

 private:
  float Square(double phase) const;

  Waveform wave_;
  double phase_;      // in cycles, [0, 1)
  double increment_;  // cycles per sample
  float triangle_ = 0.0f;
};

}  // namespace synth
