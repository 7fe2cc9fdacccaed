// The ADSR envelope's stages over a note.
#include "tools/synth/envelope.h"

#include <cmath>

#include "tools/synth/dsp.h"

namespace synth {
namespace {

constexpr float kSilence = 1e-3f;  // -60 dB

float FallCoefficient(float time_constant) {
  if (time_constant <= 0.0f) return 0.0f;
  return std::exp(-1.0f / (time_constant * kSampleRate));
}

}  // namespace

Adsr::Adsr(const AdsrShape& shape)
    : shape_(shape),
      attack_step_(shape.attack > 0.0f ? 1.0f / (shape.attack * kSampleRate) : 1.0f),
      decay_coeff_(FallCoefficient(shape.decay)),
      release_coeff_(FallCoefficient(shape.release)) {}

void Adsr::Release() { stage_ = Stage::kRelease; }

float Adsr::Next() {
  switch (stage_) {
    case Stage::kAttack:
      level_ += attack_step_;
      if (level_ >= 1.0f) {
        level_ = 1.0f;
        stage_ = Stage::kDecay;
      }
      break;
    case Stage::kDecay:
      level_ = shape_.sustain + (level_ - shape_.sustain) * decay_coeff_;
      break;
    case Stage::kRelease:
      level_ *= release_coeff_;
      if (level_ < kSilence) level_ = 0.0f;
      break;
  }
  return level_;
}

bool Adsr::Finished() const { return stage_ == Stage::kRelease && level_ == 0.0f; }

int ReleaseSamples(const AdsrShape& shape) {
  // exp(-t / tau) reaches -60 dB after tau * ln(1e3) seconds.
  return static_cast<int>(shape.release * std::log(1.0f / kSilence) * kSampleRate) + 1;
}

}  // namespace synth
