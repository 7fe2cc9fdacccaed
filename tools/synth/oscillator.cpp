// Band-limited saw, square and triangle oscillators.
#include "tools/synth/oscillator.h"

#include <cmath>

#include "tools/synth/dsp.h"

namespace synth {
namespace {

// Residual that turns a naive unit step at phase 0 into a band-limited one.
double PolyBlep(double t, double dt) {
  if (t < dt) {
    t /= dt;
    return t + t - t * t - 1.0;
  }
  if (t > 1.0 - dt) {
    t = (t - 1.0) / dt;
    return t * t + t + t + 1.0;
  }
  return 0.0;
}

}  // namespace

Oscillator::Oscillator(Waveform wave, float phase)
    : wave_(wave), phase_(phase - std::floor(phase)), increment_(0.0) {
  // Start the triangle on its waveform so that it carries no offset.
  triangle_ = static_cast<float>(phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_);
}

void Oscillator::SetFrequency(float hz) {
  increment_ = static_cast<double>(hz) / kSampleRate;
  if (increment_ > 0.5) increment_ = 0.5;
  if (increment_ < 0.0) increment_ = 0.0;
}

float Oscillator::Square(double phase) const {
  double value = phase < 0.5 ? 1.0 : -1.0;
  value += PolyBlep(phase, increment_);
  double half = phase + 0.5;
  value -= PolyBlep(half - std::floor(half), increment_);
  return static_cast<float>(value);
}

float Oscillator::Next() {
  float value = 0.0f;
  switch (wave_) {
    case Waveform::kSine:
      value = SineOfCycles(phase_);
      break;
    case Waveform::kSaw:
      value = static_cast<float>(2.0 * phase_ - 1.0 - PolyBlep(phase_, increment_));
      break;
    case Waveform::kSquare:
      value = Square(phase_);
      break;
    case Waveform::kTriangle: {
      // Leaky integration of the square; 4 * increment scales it to +-1.
      float step = static_cast<float>(4.0 * increment_);
      triangle_ = step * Square(phase_) + (1.0f - 0.25f * step) * triangle_;
      value = triangle_;
      break;
    }
  }
  phase_ += increment_;
  if (phase_ >= 1.0) phase_ -= 1.0;
  return value;
}

}  // namespace synth
