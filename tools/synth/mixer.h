// Stereo buffers, panned mixing and the master bus's peak limiter.
#pragma once

#include <cstddef>
#include <vector>

namespace synth {

struct StereoBuffer {
  explicit StereoBuffer(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
  size_t Frames() const { return left.size(); }
  std::vector<float> left;
  std::vector<float> right;
};

// Adds a mono signal at frame `at` with an equal-power pan (-1 left .. 1
// right); whatever falls past the end of `mix` is dropped.
void AddMono(StereoBuffer& mix, const std::vector<float>& source, size_t at, float gain,
             float pan);
// Adds `source` from frame 0, up to the shorter of the two.
void AddStereo(StereoBuffer& mix, const StereoBuffer& source, float gain);

// Soft look-ahead limiter: the gain glides down over `lookahead` samples
// before a peak and recovers with `release_seconds`, so that no sample
// exceeds `ceiling` and the gain never steps.
void LimitPeaks(StereoBuffer& audio, float ceiling, int lookahead, float release_seconds);

}  // namespace synth
