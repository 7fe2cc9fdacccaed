// The soundtrack as the build rendered it, and its mp3 as mpg123 decodes it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <utility>

#include "content/music/mastering.h"
#include "content/music/score.h"
#include "tests/tools/files.h"
#include "tools/synth/dsp.h"
#include "tools/synth/filter.h"
#include "tools/synth/loudness.h"
#include "tools/synth/wav.h"

namespace music {
namespace {

using synth::kSampleRate;

const synth::StereoBuffer& Rendered() {
  static const synth::WavAudio wav = [] {
    synth::WavAudio read;
    std::string error;
    EXPECT_TRUE(synth::ReadWav(MUSIC_WAV, read, error)) << error;
    return read;
  }();
  return wav.audio;
}

size_t Frame(double seconds) { return static_cast<size_t>(seconds * kSampleRate); }

// Energy of four bands (below 200 Hz, to 2 kHz, to 6 kHz, above) over each 50 ms hop of the mono mix.
struct BandEnergy {
  static constexpr double kHop = 0.05;
  std::vector<std::array<double, 4>> hops;

  explicit BandEnergy(const synth::StereoBuffer& audio) {
    synth::Svf low(200.0f, 0.0f), mid(2000.0f, 0.0f), high(6000.0f, 0.0f);
    std::array<double, 4> sums{};
    for (size_t i = 0; i < audio.Frames(); ++i) {
      const float x = 0.5f * (audio.left[i] + audio.right[i]);
      const float b200 = low.Low(x), b2k = mid.Low(x), b6k = high.Low(x);
      const float bands[4] = {b200, b2k - b200, b6k - b2k, x - b6k};
      for (int b = 0; b < 4; ++b) sums[b] += double(bands[b]) * bands[b];
      if ((i + 1) % Frame(kHop) == 0) hops.push_back(std::exchange(sums, {}));
    }
  }
  // How far the second before `t` and the second after differ (RMS over the bands' dB levels).
  double Change(double t) const {
    double sum = 0.0;
    for (int b = 0; b < 4; ++b) {
      double before = 1e-9, after = 1e-9;
      for (size_t h = size_t((t - 1.0) / kHop); h < size_t(t / kHop); ++h) before += hops[h][b];
      for (size_t h = size_t(t / kHop); h < size_t((t + 1.0) / kHop); ++h) after += hops[h][b];
      sum += std::pow(10.0 * std::log10(after / before), 2);
    }
    return std::sqrt(sum / 4.0);
  }
};

TEST(Soundtrack, HasTheTrackLengthAndFadesOutByTheEndCard) {
  const synth::StereoBuffer& audio = Rendered();
  ASSERT_EQ(audio.Frames(), Frame(kTrackSeconds));
  for (size_t i = Frame(kFadeEndSeconds); i < audio.Frames(); ++i)
    ASSERT_TRUE(audio.left[i] == 0.0f && audio.right[i] == 0.0f) << i;
}

TEST(Soundtrack, SectionsChangeAtTheirBoundaries) {
  BandEnergy energy(Rendered());
  for (const Section& section : Sections()) {
    if (section.start == 0.0) continue;
    // The largest change from two seconds before the boundary to a beat after
    // falls within a beat of it (after it, a fade or a decay may go on changing).
    double best_time = 0.0, best = -1.0;
    for (int hop = -40; hop <= 10; ++hop) {
      const double t = section.start + hop * BandEnergy::kHop, change = energy.Change(t);
      if (change > best) best = change, best_time = t;
    }
    EXPECT_NEAR(best_time, section.start, kBeatSeconds) << section.name;
    EXPECT_GT(energy.Change(section.start), 3.0) << section.name;
  }
}

TEST(Soundtrack, CalmSectionsAreQuieterThanMachineSectionsAndThePeakIsLoudest) {
  synth::LoudnessMeter meter(Rendered(), kSampleRate);
  double loudest_calm = -100.0, quietest_driving = 0.0, peak = -100.0, others = -100.0;
  for (const Section& section : Sections()) {
    const double lufs = meter.Integrated(Frame(section.start), Frame(section.end));
    if (section.mood == Mood::kCalm) loudest_calm = std::max(loudest_calm, lufs);
    if (section.mood == Mood::kDriving) quietest_driving = std::min(quietest_driving, lufs);
    if (section.mood == Mood::kPeak) peak = lufs;
    else others = std::max(others, lufs);
  }
  EXPECT_LT(loudest_calm + 3.0, quietest_driving);
  EXPECT_GT(peak, others);
}

TEST(Soundtrack, IsMasteredWithoutClippingAndTheMp3DecodesToTheRenderedLength) {
  const synth::LoudnessMeter meter(Rendered(), kSampleRate);
  EXPECT_LT(synth::SamplePeak(Rendered()), 1.0f);
  EXPECT_LT(synth::GainToDb(synth::TruePeak(Rendered())), -1.0f);
  EXPECT_GE(meter.Integrated(), -16.0);
  EXPECT_LE(meter.Integrated(), -14.0);

  ASSERT_EQ(std::system("mpg123 -q -w decoded.wav " MUSIC_MP3), 0);
  synth::WavAudio decoded;
  std::string error;
  ASSERT_TRUE(synth::ReadWav("decoded.wav", decoded, error)) << error;
  EXPECT_EQ(decoded.sample_rate, kSampleRate);
  EXPECT_LE(std::labs(long(decoded.audio.Frames()) - long(Rendered().Frames())), 1152) << decoded.audio.Frames();
  EXPECT_LT(synth::GainToDb(synth::TruePeak(decoded.audio)), -1.0f);
}

TEST(Soundtrack, RendersTheSameSamplesEveryTime) {
  // This process renders once more; the build's copy came from another.
  ASSERT_TRUE(synth::WriteWav("again.wav", RenderSoundtrack()));
  EXPECT_TRUE(ReadAll<char>("again.wav") == ReadAll<char>(MUSIC_WAV));
}

}  // namespace
}  // namespace music
