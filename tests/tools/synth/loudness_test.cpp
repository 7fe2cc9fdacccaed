#include "tools/synth/loudness.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tools/synth/dsp.h"

namespace synth {
namespace {

StereoBuffer Sine(double hz, double seconds, double db, double phase = 0.0) {
  StereoBuffer out(static_cast<size_t>(seconds * kSampleRate));
  for (size_t i = 0; i < out.Frames(); ++i)
    out.left[i] = out.right[i] = float(std::pow(10.0, db / 20.0) * std::sin(2.0 * kPi * hz * i / kSampleRate + phase));
  return out;
}

TEST(KWeighting, MatchesThePublishedCoefficientsAt48kHz) {
  std::array<Biquad, 2> k = KWeighting(48000.0);
  const double expected[] = {1.53512485958697, -2.69169618940638, 1.19839281085285, -1.69065929318241,
                             0.73248077421585, -1.99004745483398, 0.99007225036621};
  const double actual[] = {k[0].b[0], k[0].b[1], k[0].b[2], k[0].a[1], k[0].a[2], k[1].a[1], k[1].a[2]};
  for (int i = 0; i < 7; ++i) EXPECT_NEAR(actual[i], expected[i], 1e-9) << i;
}

TEST(LoudnessMeter, ReadsMinus23LufsAndGatesQuietPassagesAndSilence) {
  EXPECT_NEAR(LoudnessMeter(Sine(1000.0, 20.0, -23.0), kSampleRate).Integrated(), -23.0, 0.1);
  // 10 s at -36, 60 s at -23, 10 s at -36 dBFS: the quiet ends fall under the relative gate.
  StereoBuffer quiet = Sine(1000.0, 10.0, -36.0), loud = Sine(1000.0, 60.0, -23.0);
  StereoBuffer all(quiet.Frames() * 2 + loud.Frames());
  for (size_t i = 0; i < all.Frames(); ++i) {
    const StereoBuffer& part = i < quiet.Frames() || i >= quiet.Frames() + loud.Frames() ? quiet : loud;
    all.left[i] = all.right[i] = part.left[i % quiet.Frames()];
  }
  LoudnessMeter meter(all, kSampleRate);
  EXPECT_NEAR(meter.Integrated(), -23.0, 0.1);
  EXPECT_NEAR(meter.Integrated(0, quiet.Frames()), -36.0, 0.1);
  StereoBuffer silence(kSampleRate * 2);
  EXPECT_LT(LoudnessMeter(silence, kSampleRate).Integrated(), -70.0);
  EXPECT_LT(LoudnessMeter(silence, kSampleRate).Integrated(100, 200), -70.0);
}

TEST(TruePeak, FindsThePeakBetweenSamplesAndEqualsTheSamplePeakForLowTones) {
  // A quarter-rate sine sampled 45 degrees off its crests: samples at 0.707, waveform at 1.
  StereoBuffer tone = Sine(kSampleRate / 4.0, 1.0, 0.0, kPi / 4.0);
  EXPECT_NEAR(SamplePeak(tone), std::sqrt(0.5), 1e-3);
  EXPECT_NEAR(GainToDb(TruePeak(tone)), 0.0, 0.3);
  EXPECT_NEAR(TruePeak(Sine(100.0, 1.0, GainToDb(0.5f))), 0.5f, 0.01f);
}

}  // namespace
}  // namespace synth
