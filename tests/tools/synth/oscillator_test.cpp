#include "tools/synth/oscillator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "tools/synth/drums.h"
#include "tools/synth/dsp.h"
#include "tools/synth/envelope.h"

namespace synth {
namespace {

// Amplitude of the component at `hz` (Goertzel over the whole signal).
double Level(const std::vector<float>& signal, double hz) {
  const double coeff = 2.0 * std::cos(2.0 * kPi * hz / kSampleRate);
  double s1 = 0.0, s2 = 0.0;
  for (float x : signal) s2 = std::exchange(s1, x + coeff * s1 - s2);
  return 2.0 * std::sqrt(std::max(s1 * s1 + s2 * s2 - coeff * s1 * s2, 0.0)) / double(signal.size());
}

std::vector<float> Tone(Waveform wave, float hz) {
  Oscillator osc(wave);
  osc.SetFrequency(hz);
  std::vector<float> out(kSampleRate);
  for (float& x : out) x = osc.Next();
  return out;
}

TEST(Oscillator, SawHasTheFourierAmplitudesAndSawAndSquareKeepAliasesLow) {
  std::vector<float> saw = Tone(Waveform::kSaw, 441.0f);
  for (int k = 1; k <= 5; ++k) EXPECT_NEAR(Level(saw, 441.0 * k), 2.0 / (kPi * k), 0.01) << k;
  // Harmonic 7 of 3.5 kHz folds to 19.6 kHz; a naive saw puts it at a
  // seventh of the fundamental, the corrected steps at well under half that.
  for (Waveform wave : {Waveform::kSaw, Waveform::kSquare}) {
    std::vector<float> tone = Tone(wave, 3500.0f);
    EXPECT_LT(Level(tone, kSampleRate - 7 * 3500.0), Level(tone, 3500.0) / 7.0 * 0.4);
  }
}

TEST(Oscillator, TriangleAndSineStayInRangeWithoutOffset) {
  for (Waveform wave : {Waveform::kTriangle, Waveform::kSine}) {
    std::vector<float> tone = Tone(wave, 440.0f);
    double sum = 0.0;
    float peak = 0.0f;
    for (float x : tone) sum += x, peak = std::max(peak, std::fabs(x));
    EXPECT_NEAR(sum / tone.size(), 0.0, 0.01);
    EXPECT_NEAR(peak, 1.0f, 0.05f);
  }
}

TEST(Adsr, ReachesSustainAndFallsSilentWithinItsReleaseLength) {
  AdsrShape shape{0.01f, 0.05f, 0.5f, 0.1f};
  Adsr env(shape);
  for (int i = 0; i < kSampleRate / 2; ++i) env.Next();
  EXPECT_NEAR(env.Next(), 0.5f, 1e-3f);
  env.Release();
  int samples = 0;
  for (; !env.Finished() && samples < 10 * kSampleRate; ++samples) env.Next();
  EXPECT_LE(samples, ReleaseSamples(shape));
  EXPECT_GT(samples, ReleaseSamples(shape) / 2);
}

TEST(Drums, KickIsLowAndHatIsHigh) {
  std::vector<float> kick = Kick(1.0f), hat = HiHat(1.0f, 0.05f, 3);
  EXPECT_GT(Level(kick, 55.0), 10.0 * Level(kick, 4000.0));
  EXPECT_GT(Level(hat, 9000.0), 10.0 * Level(hat, 200.0));
}

}  // namespace
}  // namespace synth
