#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content/music/mastering.h"
#include "content/music/score.h"
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

// Energy in dB of four bands (below 200 Hz, to 2 kHz, to 6 kHz, above) over
// each 50 ms hop of the mono mix.
struct BandEnergy {
  static constexpr double kHop = 0.05;
  std::vector<std::array<double, 4>> hops;

  explicit BandEnergy(const synth::StereoBuffer& audio) {
    synth::Svf low(200.0f, 0.0f), mid(2000.0f, 0.0f), high(6000.0f, 0.0f);
    size_t hop = Frame(kHop);
    std::array<double, 4> sums{};
    for (size_t i = 0; i < audio.Frames(); ++i) {
      float x = 0.5f * (audio.left[i] + audio.right[i]);
      float below200 = low.Low(x);
      float below2k = mid.Low(x);
      float below6k = high.Low(x);
      float bands[4] = {below200, below2k - below200, below6k - below2k, x - below6k};
      for (int b = 0; b < 4; ++b) sums[b] += static_cast<double>(bands[b]) * bands[b];
      if ((i + 1) % hop == 0) {
        hops.push_back(sums);
        sums = {};
      }
    }
  }
  // Band levels in dB over [from, to) seconds.
  std::array<double, 4> Levels(double from, double to) const {
    std::array<double, 4> sum{};
    for (size_t h = static_cast<size_t>(from / kHop); h < static_cast<size_t>(to / kHop); ++h)
      for (int b = 0; b < 4; ++b) sum[b] += hops[h][b];
    std::array<double, 4> db{};
    for (int b = 0; b < 4; ++b) db[b] = 10.0 * std::log10(sum[b] + 1e-9);
    return db;
  }
  // How far the second before `t` and the second after differ (RMS over bands, dB).
  double Change(double t) const {
    std::array<double, 4> before = Levels(t - 1.0, t), after = Levels(t, t + 1.0);
    double sum = 0.0;
    for (int b = 0; b < 4; ++b) sum += (after[b] - before[b]) * (after[b] - before[b]);
    return std::sqrt(sum / 4.0);
  }
};

TEST(Soundtrack, HasTheTrackLength) {
  EXPECT_EQ(Rendered().Frames(), Frame(kTrackSeconds));
}

TEST(Soundtrack, SectionsChangeAtThePartBoundaries) {
  BandEnergy energy(Rendered());
  for (const Section& section : Sections()) {
    if (section.start == 0.0) continue;
    double b = section.start;
    // The music holds steady up to the boundary and changes there: the
    // largest change from two seconds before it to a beat after falls within
    // a beat of it. (After it, a fade or a decay may go on changing.)
    double best_time = 0.0, best = -1.0;
    for (int hop = -40; hop <= 10; ++hop) {
      double t = b + hop * BandEnergy::kHop;
      double change = energy.Change(t);
      if (change > best) {
        best = change;
        best_time = t;
      }
    }
    EXPECT_NEAR(best_time, b, kBeatSeconds) << section.name;
    EXPECT_GT(energy.Change(b), 3.0) << section.name;
  }
}

TEST(Soundtrack, CalmPartsAreQuieterThanMachinePartsAndThePeakIsLoudest) {
  synth::LoudnessMeter meter(Rendered(), kSampleRate);
  double loudest_calm = -100.0, quietest_driving = 0.0, peak = -100.0, others = -100.0;
  for (const Section& section : Sections()) {
    double lufs = meter.Integrated(Frame(section.start), Frame(section.end));
    if (section.mood == Mood::kCalm) loudest_calm = std::max(loudest_calm, lufs);
    if (section.mood == Mood::kDriving) quietest_driving = std::min(quietest_driving, lufs);
    if (section.mood == Mood::kPeak) peak = lufs;
    else others = std::max(others, lufs);
  }
  EXPECT_LT(loudest_calm + 3.0, quietest_driving);
  EXPECT_GT(peak, others);
}

TEST(Soundtrack, FadesOutByTheEndCard) {
  const synth::StereoBuffer& audio = Rendered();
  for (size_t i = Frame(kFadeEndSeconds); i < audio.Frames(); ++i) {
    ASSERT_EQ(audio.left[i], 0.0f) << i;
    ASSERT_EQ(audio.right[i], 0.0f) << i;
  }
}

TEST(Soundtrack, IsMasteredWithoutClipping) {
  synth::LoudnessMeter meter(Rendered(), kSampleRate);
  EXPECT_LT(synth::SamplePeak(Rendered()), 1.0f);
  EXPECT_LT(synth::GainToDb(synth::TruePeak(Rendered())), -1.0f);
  EXPECT_GE(meter.Integrated(), -16.0);
  EXPECT_LE(meter.Integrated(), -14.0);
}

TEST(Soundtrack, Mp3DecodesToTheRenderedLengthWithoutClipping) {
  ASSERT_EQ(std::system("mpg123 -q -w decoded.wav " MUSIC_MP3), 0);
  synth::WavAudio decoded;
  std::string error;
  ASSERT_TRUE(synth::ReadWav("decoded.wav", decoded, error)) << error;
  EXPECT_EQ(decoded.sample_rate, kSampleRate);
  long difference = static_cast<long>(decoded.audio.Frames()) - static_cast<long>(Rendered().Frames());
  EXPECT_LE(std::labs(difference), 1152) << decoded.audio.Frames();
  EXPECT_LT(synth::GainToDb(synth::TruePeak(decoded.audio)), -1.0f);
}

TEST(Soundtrack, RendersTheSameSamplesEveryTime) {
  // This process renders once more; the build's copy came from another.
  ASSERT_TRUE(synth::WriteWav("again.wav", RenderSoundtrack()));
  auto bytes = [](const char* path) {
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  };
  std::vector<char> again = bytes("again.wav");
  EXPECT_EQ(again.size(), bytes(MUSIC_WAV).size());
  EXPECT_TRUE(again == bytes(MUSIC_WAV));
}

}  // namespace
}  // namespace music
