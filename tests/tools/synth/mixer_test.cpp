#include "tools/synth/mixer.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/synth/dsp.h"
#include "tools/synth/loudness.h"

namespace synth {
namespace {

TEST(AddMono, PansWithEqualPowerAndStopsAtTheEnd) {
  StereoBuffer mix(10);
  AddMono(mix, std::vector<float>(20, 1.0f), 5, 1.0f, 0.0f);
  EXPECT_EQ(mix.left[4], 0.0f);
  EXPECT_NEAR(mix.left[5], std::sqrt(0.5f), 1e-6f);
  EXPECT_NEAR(mix.right[9], std::sqrt(0.5f), 1e-6f);
  AddMono(mix, std::vector<float>(3, 1.0f), 10, 1.0f, 0.0f);  // wholly past the end
  StereoBuffer hard(1);
  AddMono(hard, {1.0f}, 0, 1.0f, 1.0f);
  EXPECT_NEAR(hard.left[0], 0.0f, 1e-6f);
  EXPECT_NEAR(hard.right[0], 1.0f, 1e-6f);
}

TEST(LimitPeaks, HoldsTheCeilingAndGlidesInsteadOfStepping) {
  StereoBuffer audio(kSampleRate);  // a quiet tone with one loud burst
  for (size_t i = 0; i < audio.Frames(); ++i)
    audio.left[i] = audio.right[i] = (i >= 20000 && i < 22000 ? 3.0f : 0.3f) * std::sin(float(i) * 0.05f);
  const StereoBuffer before = audio;
  LimitPeaks(audio, 0.5f, 64, 0.05f);
  EXPECT_LE(SamplePeak(audio), 0.5f + 1e-5f);
  EXPECT_FLOAT_EQ(audio.left[1000], before.left[1000]);  // far from the burst: untouched
  float previous = 1.0f, largest_step = 0.0f;  // gain, output over input
  for (size_t i = 0; i < audio.Frames(); ++i) {
    if (std::fabs(before.left[i]) < 0.05f) continue;
    const float gain = audio.left[i] / before.left[i];
    largest_step = std::max(largest_step, std::fabs(gain - previous));
    previous = gain;
  }
  EXPECT_LT(largest_step, 0.1f);
}

}  // namespace
}  // namespace synth
