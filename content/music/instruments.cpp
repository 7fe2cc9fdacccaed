// The soundtrack's instruments, one note at a time.
#include "content/music/instruments.h"

#include <cmath>

#include "tools/synth/dsp.h"
#include "tools/synth/envelope.h"
#include "tools/synth/filter.h"
#include "tools/synth/oscillator.h"

namespace music {
namespace {

using synth::Adsr;
using synth::AdsrShape;
using synth::kSampleRate;
using synth::MidiToHz;
using synth::Oscillator;
using synth::Svf;
using synth::Waveform;

// Filters retune every this many samples; tan() per sample is wasted work.
constexpr size_t kControlPeriod = 32;

// Renders the gate of `seconds` and the release; `sample(i, level)` makes
// sample i at envelope level `level`.
template <typename Sample>
Voice Render(double seconds, const AdsrShape& shape, Sample&& sample) {
  size_t gate = static_cast<size_t>(seconds * kSampleRate);
  Voice out(gate + static_cast<size_t>(synth::ReleaseSamples(shape)));
  Adsr envelope(shape);
  for (size_t i = 0; i < out.size(); ++i) {
    if (i == gate) envelope.Release();
    out[i] = sample(i, envelope.Next());
  }
  return out;
}

float Seconds(size_t i) { return static_cast<float>(i) / kSampleRate; }

}  // namespace

Voice Pad(float pitch, double seconds, float detune_cents, float brightness, float release) {
  float hz = MidiToHz(pitch);
  float spread = std::exp2(detune_cents / 1200.0f);
  Oscillator low(Waveform::kSaw, 0.0f), high(Waveform::kSaw, 0.37f);
  low.SetFrequency(hz / spread);
  high.SetFrequency(hz * spread);
  float wobble_hz = 0.13f + 0.01f * pitch;
  Svf filter(600.0f, 0.15f);
  float base = 500.0f + 2200.0f * brightness;
  return Render(seconds, {1.4f, 1.0f, 0.8f, release}, [&](size_t i, float level) {
    if (i % kControlPeriod == 0) {
      float lfo = synth::SineOfCycles(wobble_hz * Seconds(i) + pitch / 12.0f);
      filter.SetCutoff(base * (1.0f + 0.35f * lfo));
    }
    float raw = 0.5f * (low.Next() + high.Next());
    return 0.5f * level * filter.Low(raw);
  });
}

Voice WaterPluck(float pitch, float velocity) {
  float hz = MidiToHz(pitch);
  Oscillator carrier(Waveform::kSine), modulator(Waveform::kSine);
  modulator.SetFrequency(hz * 2.0f);
  synth::ExpDecay index_fall(0.03f), rise_fall(0.01f);
  return Render(0.02, {0.002f, 0.18f, 0.0f, 0.2f}, [&](size_t, float level) {
    float index = 1.8f * index_fall.Next();
    float rise = 1.0f + 0.04f * rise_fall.Next();
    carrier.SetFrequency(hz * rise * (1.0f + index * modulator.Next()));
    return 0.5f * velocity * level * carrier.Next();
  });
}

Voice Bell(float pitch, float velocity) {
  float hz = MidiToHz(pitch);
  Oscillator carrier(Waveform::kSine), modulator(Waveform::kSine), body(Waveform::kTriangle);
  modulator.SetFrequency(hz * 3.5f);
  body.SetFrequency(hz);
  synth::ExpDecay index_fall(0.25f);
  return Render(0.05, {0.003f, 1.6f, 0.0f, 1.6f}, [&](size_t, float level) {
    float index = 0.25f + 0.9f * index_fall.Next();
    carrier.SetFrequency(hz * (1.0f + index * modulator.Next()));
    return 0.4f * velocity * level * (0.7f * carrier.Next() + 0.3f * body.Next());
  });
}

Voice Bass(float pitch, double seconds, float velocity, float cutoff_hz) {
  float hz = MidiToHz(pitch);
  Oscillator saw(Waveform::kSaw), sub(Waveform::kSquare);
  saw.SetFrequency(hz);
  sub.SetFrequency(hz * 0.5f);
  Svf filter(cutoff_hz, 0.55f);
  return Render(seconds, {0.003f, 0.2f, 0.6f, 0.04f}, [&](size_t i, float level) {
    if (i % kControlPeriod == 0)
      filter.SetCutoff(cutoff_hz * (1.0f + 4.0f * std::exp(-Seconds(i) / 0.07f)));
    float raw = 0.7f * saw.Next() + 0.5f * sub.Next();
    return 0.6f * velocity * level * std::tanh(1.5f * filter.Low(raw));
  });
}

Voice Lead(float pitch, double seconds, float velocity) {
  float hz = MidiToHz(pitch);
  Oscillator a(Waveform::kSaw), b(Waveform::kSaw, 0.5f), vibrato(Waveform::kSine);
  vibrato.SetFrequency(5.5f);
  Svf filter(3200.0f, 0.25f);
  return Render(seconds, {0.015f, 0.4f, 0.75f, 0.22f}, [&](size_t i, float level) {
    float depth = std::fmin(Seconds(i) / 0.4f, 1.0f) * 0.004f;
    float bend = 1.0f + depth * vibrato.Next();
    a.SetFrequency(hz * bend * 0.997f);
    b.SetFrequency(hz * bend * 1.003f);
    return 0.35f * velocity * level * filter.Low(a.Next() + b.Next());
  });
}

Voice Stab(float pitch, double seconds, float velocity, float cutoff_hz) {
  float hz = MidiToHz(pitch);
  Oscillator saw(Waveform::kSaw), square(Waveform::kSquare, 0.25f);
  saw.SetFrequency(hz);
  square.SetFrequency(hz * 1.002f);
  Svf filter(cutoff_hz, 0.35f);
  return Render(seconds, {0.002f, 0.12f, 0.3f, 0.08f}, [&](size_t i, float level) {
    if (i % kControlPeriod == 0)
      filter.SetCutoff(cutoff_hz * (1.0f + 3.0f * std::exp(-Seconds(i) / 0.05f)));
    return 0.4f * velocity * level * filter.Low(0.6f * saw.Next() + 0.4f * square.Next());
  });
}

Voice BirdCall(uint32_t seed) {
  synth::Noise noise(seed);
  int chirps = 2 + static_cast<int>(noise.Unit() * 3.0f);
  float base = 2600.0f + 1400.0f * noise.Unit();
  float chirp_seconds = 0.07f + 0.04f * noise.Unit();
  float gap = chirp_seconds + 0.03f + 0.06f * noise.Unit();
  Voice out(static_cast<size_t>((chirps * gap + 0.1f) * kSampleRate), 0.0f);
  Oscillator whistle(Waveform::kSine);
  for (size_t i = 0; i < out.size(); ++i) {
    float t = Seconds(i);
    int chirp = static_cast<int>(t / gap);
    float u = (t - chirp * gap) / chirp_seconds;  // position inside this chirp
    if (chirp >= chirps || u >= 1.0f) {
      whistle.Next();
      continue;
    }
    whistle.SetFrequency(base * (1.0f + 0.5f * u) * (1.0f + 0.05f * chirp));
    float shape = std::sin(static_cast<float>(synth::kPi) * u);
    out[i] = 0.25f * shape * shape * whistle.Next();
  }
  return out;
}

Voice NoiseSweep(double seconds, float from_hz, float to_hz, float velocity, uint32_t seed) {
  synth::Noise noise(seed);
  Svf filter(from_hz, 0.7f);
  size_t length = static_cast<size_t>(seconds * kSampleRate);
  float ratio = to_hz / from_hz;
  return Render(seconds, {0.3f, 1.0f, 1.0f, 0.3f}, [&](size_t i, float level) {
    float u = std::fmin(static_cast<float>(i) / static_cast<float>(length), 1.0f);
    if (i % kControlPeriod == 0) filter.SetCutoff(from_hz * std::pow(ratio, u));
    return 0.5f * velocity * level * filter.Band(noise.Next());
  });
}

}  // namespace music
