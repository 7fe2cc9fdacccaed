// Kick, snare, hi-hat and metal hits.
#include "tools/synth/drums.h"

#include <cmath>

#include "tools/synth/dsp.h"
#include "tools/synth/filter.h"
#include "tools/synth/oscillator.h"

namespace synth {
namespace {

std::vector<float> Samples(float seconds) {
  return std::vector<float>(static_cast<size_t>(seconds * kSampleRate), 0.0f);
}

}  // namespace

std::vector<float> Kick(float velocity) {
  std::vector<float> out = Samples(0.6f);
  Oscillator body(Waveform::kSine, 0.25f);
  Svf click_filter(3000.0f, 0.2f);
  Noise noise(0x4B1C4u);
  ExpDecay sweep(0.035f), body_level(0.28f), click_level(0.004f);
  for (size_t i = 0; i < out.size(); ++i) {
    body.SetFrequency(46.0f + 120.0f * sweep.Next());
    float tone = body.Next() * body_level.Next();
    float click = click_filter.Band(noise.Next()) * click_level.Next();
    out[i] = velocity * std::tanh(1.6f * tone + 0.8f * click);
  }
  return out;
}

std::vector<float> Snare(float velocity, uint32_t seed) {
  std::vector<float> out = Samples(0.4f);
  Oscillator body(Waveform::kTriangle);
  Svf rattle(4200.0f, 0.3f);
  Noise noise(seed);
  ExpDecay sweep(0.02f), body_level(0.05f), hiss_level(0.11f);
  for (size_t i = 0; i < out.size(); ++i) {
    body.SetFrequency(175.0f + 60.0f * sweep.Next());
    float tone = body.Next() * body_level.Next();
    float hiss = rattle.Band(noise.Next()) * hiss_level.Next();
    out[i] = velocity * (0.55f * tone + 1.1f * hiss);
  }
  return out;
}

std::vector<float> HiHat(float velocity, float decay, uint32_t seed) {
  static const float kPartials[6] = {263.0f, 400.0f, 421.0f, 474.0f, 587.0f, 845.0f};
  std::vector<Oscillator> squares;
  for (int k = 0; k < 6; ++k) {
    squares.emplace_back(Waveform::kSquare, 0.13f * static_cast<float>(k));
    squares.back().SetFrequency(kPartials[k] * 1.7f);
  }
  std::vector<float> out = Samples(decay * 6.0f + 0.01f);
  Svf band(9500.0f, 0.4f);
  Svf high(7000.0f, 0.0f);
  Noise noise(seed);
  ExpDecay level(decay);
  for (size_t i = 0; i < out.size(); ++i) {
    float metal = 0.0f;
    for (Oscillator& square : squares) metal += square.Next();
    float raw = 0.12f * metal + 0.5f * noise.Next();
    float shaped = high.High(band.Band(raw));
    float attack = i < 40 ? static_cast<float>(i) / 40.0f : 1.0f;
    out[i] = velocity * 1.6f * shaped * attack * level.Next();
  }
  return out;
}

std::vector<float> MetalHit(float velocity, float pitch_hz) {
  static const float kRatios[4] = {1.0f, 2.76f, 5.40f, 8.93f};
  static const float kDecays[4] = {0.45f, 0.3f, 0.16f, 0.08f};
  std::vector<float> out = Samples(1.6f);
  std::vector<Oscillator> partials;
  std::vector<ExpDecay> levels;
  for (int k = 0; k < 4; ++k) {
    partials.emplace_back(Waveform::kSine, 0.1f * static_cast<float>(k));
    partials.back().SetFrequency(pitch_hz * kRatios[k]);
    levels.emplace_back(kDecays[k]);
  }
  ExpDecay clank_level(0.05f);
  Oscillator clank_a(Waveform::kSquare), clank_b(Waveform::kSquare);
  clank_a.SetFrequency(pitch_hz * 1.31f);
  clank_b.SetFrequency(pitch_hz * 1.94f);
  Svf clank_filter(pitch_hz * 3.0f, 0.6f);
  for (size_t i = 0; i < out.size(); ++i) {
    float ring = 0.0f;
    for (int k = 0; k < 4; ++k) ring += partials[k].Next() * levels[k].Next() / (k + 1.0f);
    float clank = clank_filter.Band(clank_a.Next() * clank_b.Next()) * clank_level.Next();
    out[i] = velocity * (0.6f * ring + 0.5f * clank);
  }
  return out;
}

}  // namespace synth
