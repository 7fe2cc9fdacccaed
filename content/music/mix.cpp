// The mixing desk: buses, ducking, sends and the closing fade.
#include "content/music/mix.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/dsp.h"
#include "tools/synth/effects.h"

namespace music {
namespace {

size_t Frame(double seconds) { return static_cast<size_t>(std::llround(seconds * synth::kSampleRate)); }

}  // namespace

Mix::Mix(double seconds)
    : music_(Frame(seconds)),
      drums_(Frame(seconds)),
      reverb_send_(Frame(seconds)),
      delay_send_(Frame(seconds)),
      duck_(Frame(seconds), 1.0f) {}

void Mix::Add(Bus bus, const Voice& voice, double time, float gain, float pan, float reverb,
              float delay) {
  size_t at = Frame(time);
  synth::AddMono(bus == Bus::kMusic ? music_ : drums_, voice, at, gain, pan);
  if (reverb > 0.0f) synth::AddMono(reverb_send_, voice, at, gain * reverb, pan);
  if (delay > 0.0f) synth::AddMono(delay_send_, voice, at, gain * delay, pan);
}

void Mix::Duck(double time) {
  constexpr float kDepth = 0.45f;
  constexpr float kAttack = 0.004f * synth::kSampleRate;
  constexpr float kRecovery = 0.11f * synth::kSampleRate;
  size_t at = Frame(time);
  size_t length = std::min(duck_.size() - std::min(at, duck_.size()), Frame(0.45));
  for (size_t i = 0; i < length; ++i) {
    float s = static_cast<float>(i);
    float dip = kDepth * std::min(s / kAttack, 1.0f) * std::exp(-s / kRecovery);
    duck_[at + i] = std::min(duck_[at + i], 1.0f - dip);
  }
}

synth::StereoBuffer Mix::Finish(double fade_start, double fade_end) {
  synth::StereoBuffer out = drums_;
  for (size_t i = 0; i < out.Frames(); ++i) {
    out.left[i] += music_.left[i] * duck_[i];
    out.right[i] += music_.right[i] * duck_[i];
  }
  synth::AddStereo(out, synth::Reverb(reverb_send_, {0.85f, 0.45f, 1.0f}), 1.0f);
  synth::AddStereo(out, synth::PingPongDelay(delay_send_, {0.375f, 0.45f, 3500.0f}), 0.6f);
  size_t start = Frame(fade_start), end = std::min(Frame(fade_end), out.Frames());
  for (size_t i = start; i < out.Frames(); ++i) {
    float gain = 0.0f;
    if (i < end) {
      float u = static_cast<float>(i - start) / static_cast<float>(end - start);
      gain = 0.5f + 0.5f * std::cos(static_cast<float>(synth::kPi) * u);
    }
    out.left[i] *= gain;
    out.right[i] *= gain;
  }
  return out;
}

}  // namespace music
