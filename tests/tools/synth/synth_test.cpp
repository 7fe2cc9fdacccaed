// The synth's oscillators, envelope, drums, mixer, loudness meter and wav files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

#include "tests/tools/files.h"
#include "tools/synth/drums.h"
#include "tools/synth/dsp.h"
#include "tools/synth/envelope.h"
#include "tools/synth/loudness.h"
#include "tools/synth/mixer.h"
#include "tools/synth/oscillator.h"
#include "tools/synth/wav.h"

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
    const std::vector<float> tone = Tone(wave, 3500.0f);
    EXPECT_LT(Level(tone, kSampleRate - 7 * 3500.0), Level(tone, 3500.0) / 7.0 * 0.4);
  }
}

TEST(Oscillator, TriangleAndSineStayInRangeWithoutOffset) {
  for (Waveform wave : {Waveform::kTriangle, Waveform::kSine}) {
    double sum = 0.0, peak = 0.0;
    for (float x : Tone(wave, 440.0f)) sum += x, peak = std::max(peak, double(std::fabs(x)));
    EXPECT_NEAR(sum / kSampleRate, 0.0, 0.01);
    EXPECT_NEAR(peak, 1.0, 0.05);
  }
}

TEST(Adsr, ReachesSustainAndFallsSilentWithinItsReleaseLength) {
  const AdsrShape shape{0.01f, 0.05f, 0.5f, 0.1f};
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
  // 10 s at -36, 60 s at -23, 10 s at -36 dBFS: the quiet ends fall under the relative gate.
  StereoBuffer quiet = Sine(1000.0, 10.0, -36.0), loud = Sine(1000.0, 60.0, -23.0);
  StereoBuffer all(quiet.Frames() * 2 + loud.Frames());
  for (size_t i = 0; i < all.Frames(); ++i) {
    const StereoBuffer& part = i < quiet.Frames() || i >= quiet.Frames() + loud.Frames() ? quiet : loud;
    all.left[i] = all.right[i] = part.left[i % quiet.Frames()];
  }
  const LoudnessMeter meter(all, kSampleRate);
  EXPECT_NEAR(meter.Integrated(), -23.0, 0.1);
  EXPECT_NEAR(meter.Integrated(0, quiet.Frames()), -36.0, 0.1);
  const LoudnessMeter silence(StereoBuffer(kSampleRate * 2), kSampleRate);
  EXPECT_LT(silence.Integrated(), -70.0);
  EXPECT_LT(silence.Integrated(100, 200), -70.0);
}

TEST(TruePeak, FindsThePeakBetweenSamplesAndEqualsTheSamplePeakForLowTones) {
  // A quarter-rate sine sampled 45 degrees off its crests: samples at 0.707, waveform at 1.
  StereoBuffer tone = Sine(kSampleRate / 4.0, 1.0, 0.0, kPi / 4.0);
  EXPECT_NEAR(SamplePeak(tone), std::sqrt(0.5), 1e-3);
  EXPECT_NEAR(GainToDb(TruePeak(tone)), 0.0, 0.3);
  EXPECT_NEAR(TruePeak(Sine(100.0, 1.0, GainToDb(0.5f))), 0.5f, 0.01f);
}

std::string Output(const std::string& command) {
  std::string output;
  FILE* pipe = popen(command.c_str(), "r");
  for (char buffer[256]; fgets(buffer, sizeof buffer, pipe);) output += buffer;
  pclose(pipe);
  return output;
}

TEST(Wav, SoxReadsWhatWeWrite) {
  StereoBuffer audio(12345);
  for (size_t i = 0; i < audio.Frames(); ++i) audio.left[i] = 0.5f * std::sin(float(i) * 0.1f), audio.right[i] = -0.25f;
  ASSERT_TRUE(WriteWav("written.wav", audio));
  EXPECT_EQ(Output("sox --i -s written.wav; sox --i -r written.wav; sox --i -c written.wav"), "12345\n44100\n2\n");
  const std::string stats = Output("sox written.wav -n remix 2 stats 2>&1");  // right alone: -0.25
  EXPECT_NE(stats.find("DC offset  -0.250000"), std::string::npos) << stats;
}

TEST(Wav, ReadsWhatSoxWritesAndKeepsSixteenBitSamples) {
  ASSERT_EQ(std::system("sox -n -r 22050 -c 1 -b 16 sox_tone.wav synth 1 sine 1000 vol 0.5"), 0);
  WavAudio wav;
  std::string error;
  ASSERT_TRUE(ReadWav("sox_tone.wav", wav, error)) << error;
  EXPECT_EQ(wav.sample_rate, 22050);
  EXPECT_EQ(wav.audio.Frames(), 22050u);
  EXPECT_NEAR(SamplePeak(wav.audio), 0.5f, 0.01f);
  EXPECT_EQ(wav.audio.left, wav.audio.right);  // mono on both sides

  StereoBuffer audio(3);
  audio.left = {0.0f, 0.5f, -1.0f};
  audio.right = {1.5f, -0.25f, 32767.0f / 32768.0f};  // 1.5 clamps
  ASSERT_TRUE(WriteWav("roundtrip.wav", audio));
  ASSERT_TRUE(ReadWav("roundtrip.wav", wav, error)) << error;
  EXPECT_EQ(wav.audio.left, audio.left);
  EXPECT_EQ(wav.audio.right, (std::vector<float>{32767.0f / 32768.0f, -0.25f, 32767.0f / 32768.0f}));
}

TEST(Wav, MalformedFilesAreRefusedOrTrimmed) {
  ASSERT_TRUE(WriteWav("whole.wav", StereoBuffer(100)));
  const std::vector<char> whole = ReadAll<char>("whole.wav");
  WavAudio wav;
  std::string error;
  // Every truncation: refused before the data chunk, trimmed inside it.
  for (size_t length = 0; length < whole.size(); ++length) {
    WriteAll("cut.wav", std::vector<char>(whole.begin(), whole.begin() + length));
    const bool read = ReadWav("cut.wav", wav, error);
    EXPECT_EQ(read, length >= 44) << length;
    if (read) { EXPECT_EQ(wav.audio.Frames(), (length - 44) / 4); }
  }
  std::vector<char> lying = whole, eight = whole;  // a chunk size far past the end of the file; eight-bit samples
  std::fill(lying.begin() + 16, lying.begin() + 20, '\xff');
  eight[34] = 8;
  for (const auto& broken : {lying, eight}) {
    WriteAll("broken.wav", broken);
    EXPECT_FALSE(ReadWav("broken.wav", wav, error));
  }
  EXPECT_FALSE(ReadWav("no_such_file.wav", wav, error));
}

}  // namespace
}  // namespace synth
