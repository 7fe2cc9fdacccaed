// ADSR envelope: linear attack, exponential decay and release.
#pragma once

namespace synth {

struct AdsrShape {
  float attack = 0.01f;   // seconds to full level
  float decay = 0.1f;     // time constant of the fall to sustain, seconds
  float sustain = 1.0f;   // level held while the gate is open
  float release = 0.2f;   // time constant of the fall to silence, seconds
};

class Adsr {
 public:
  explicit Adsr(const AdsrShape& shape);
  void Release();  // closes the gate; the level falls from where it is
  float Next();
  // True once released and quieter than -60 dB.
  bool Finished() const;

 private:
  enum class Stage { kAttack, kDecay, kRelease };
  AdsrShape shape_;
  Stage stage_ = Stage::kAttack;
  float level_ = 0.0f;
  float attack_step_;
  float decay_coeff_;
  float release_coeff_;
};

// Samples that an envelope of this shape takes to fall silent after release.
int ReleaseSamples(const AdsrShape& shape);

}  // namespace synth
