// Loudness and peak measurement after ITU-R BS.1770: K-weighting, gated
// integrated loudness over 400 ms blocks, and true peak by 4x oversampling.
#pragma once

#include <array>
#include <vector>

#include "tools/synth/mixer.h"

namespace synth {

struct Biquad {
  std::array<double, 3> b;  // feed-forward
  std::array<double, 3> a;  // feedback, a[0] == 1
};

// The two K-weighting stages (high shelf, then high-pass) for a sample rate.
std::array<Biquad, 2> KWeighting(double sample_rate);

class LoudnessMeter {
 public:
  LoudnessMeter(const StereoBuffer& audio, double sample_rate);
  // Gated integrated loudness of frames [begin, end) in LUFS; -70 or below
  // means silence (no block passes the absolute gate).
  double Integrated(size_t begin, size_t end) const;
  double Integrated() const { return Integrated(0, frames_); }

 private:
  std::vector<double> prefix_;  // running sum of the K-weighted power of both channels
  size_t frames_;
  size_t block_;
  size_t step_;
};

// Largest absolute sample of either channel.
float SamplePeak(const StereoBuffer& audio);
// Largest absolute value of either channel after 4x band-limited oversampling.
float TruePeak(const StereoBuffer& audio);

}  // namespace synth
