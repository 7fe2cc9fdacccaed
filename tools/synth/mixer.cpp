// Panned mixing into stereo buffers and the master limiter.
#include "tools/synth/mixer.h"

#include <algorithm>
#include <cmath>
#include <deque>

#include "tools/synth/dsp.h"

namespace synth {

void AddMono(StereoBuffer& mix, const std::vector<float>& source, size_t at, float gain,
             float pan) {
  if (at >= mix.Frames()) return;
  double angle = (std::clamp(pan, -1.0f, 1.0f) + 1.0) * kPi / 4.0;
  float left_gain = gain * static_cast<float>(std::cos(angle));
  float right_gain = gain * static_cast<float>(std::sin(angle));
  size_t count = std::min(source.size(), mix.Frames() - at);
  for (size_t i = 0; i < count; ++i) {
    mix.left[at + i] += source[i] * left_gain;
    mix.right[at + i] += source[i] * right_gain;
  }
}

void AddStereo(StereoBuffer& mix, const StereoBuffer& source, float gain) {
  size_t count = std::min(mix.Frames(), source.Frames());
  for (size_t i = 0; i < count; ++i) {
    mix.left[i] += source.left[i] * gain;
    mix.right[i] += source.right[i] * gain;
  }
}

void LimitPeaks(StereoBuffer& audio, float ceiling, int lookahead, float release_seconds) {
  size_t frames = audio.Frames();
  size_t window = static_cast<size_t>(std::max(lookahead, 1));
  // Gain that each frame needs on its own.
  std::vector<float> needed(frames);
  for (size_t i = 0; i < frames; ++i) {
    float peak = std::max(std::fabs(audio.left[i]), std::fabs(audio.right[i]));
    needed[i] = peak > ceiling ? ceiling / peak : 1.0f;
  }
  // held[j] = min(needed[j - window + 1 .. j]), by a monotonic queue.
  std::vector<float> held(frames);
  std::deque<size_t> queue;
  for (size_t j = 0; j < frames; ++j) {
    while (!queue.empty() && needed[queue.back()] >= needed[j]) queue.pop_back();
    queue.push_back(j);
    if (queue.front() + window <= j) queue.pop_front();
    held[j] = needed[queue.front()];
  }
  // The mean of held[i .. i + window - 1] never exceeds needed[i], since each
  // of those windows contains frame i; recovery is limited by the release.
  float recovery = std::exp(-1.0f / (release_seconds * kSampleRate));
  double sum = 0.0;
  for (size_t j = 0; j < std::min(window, frames); ++j) sum += held[j];
  float gain = 1.0f;
  for (size_t i = 0; i < frames; ++i) {
    size_t span = std::min(window, frames - i);
    float smooth = static_cast<float>(sum / static_cast<double>(window)) +
                   static_cast<float>(window - span) / static_cast<float>(window);
    gain = std::min(smooth, 1.0f - (1.0f - gain) * recovery);
    audio.left[i] *= gain;
    audio.right[i] *= gain;
    sum -= held[i];
    if (i + window < frames) sum += held[i + window];
  }
}

}  // namespace synth
