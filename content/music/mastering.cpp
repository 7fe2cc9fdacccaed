// Mastering the mix to its loudness target under the peak ceiling.
#include "content/music/mastering.h"

#include "content/music/score.h"
#include "tools/synth/dsp.h"
#include "tools/synth/loudness.h"

namespace music {
namespace {

constexpr int kLookahead = 64;  // samples, about 1.5 ms
constexpr float kRelease = 0.08f;

synth::StereoBuffer Limited(const synth::StereoBuffer& mix, double gain_db, double ceiling_db) {
  synth::StereoBuffer out = mix;
  float gain = synth::DbToGain(static_cast<float>(gain_db));
  for (size_t i = 0; i < out.Frames(); ++i) {
    out.left[i] *= gain;
    out.right[i] *= gain;
  }
  synth::LimitPeaks(out, synth::DbToGain(static_cast<float>(ceiling_db)), kLookahead, kRelease);
  return out;
}

}  // namespace

MasteringResult Master(synth::StereoBuffer& audio, const MasteringTarget& target) {
  // The limiter takes some loudness away, so gain and ceiling are refined
  // from what the meter reads after it.
  double gain_db = target.loudness_lufs - synth::LoudnessMeter(audio, synth::kSampleRate).Integrated();
  double ceiling_db = target.true_peak_dbtp - 0.3;
  synth::StereoBuffer out;
  double loudness = 0.0, true_peak = 0.0;
  for (int pass = 0; pass < 4; ++pass) {
    out = Limited(audio, gain_db, ceiling_db);
    loudness = synth::LoudnessMeter(out, synth::kSampleRate).Integrated();
    true_peak = synth::GainToDb(synth::TruePeak(out));
    bool loud_enough = loudness > target.loudness_lufs - 0.2 && loudness < target.loudness_lufs + 0.2;
    if (loud_enough && true_peak <= target.true_peak_dbtp) break;
    gain_db += target.loudness_lufs - loudness;
    if (true_peak > target.true_peak_dbtp) ceiling_db -= true_peak - target.true_peak_dbtp + 0.05;
  }
  audio = std::move(out);
  return {gain_db, loudness, true_peak};
}

synth::StereoBuffer RenderSoundtrack() {
  synth::StereoBuffer audio = RenderScore();
  Master(audio, MasteringTarget{});
  return audio;
}

}  // namespace music
