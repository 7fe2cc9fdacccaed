// Ping-pong delay and reverb sends.
#include "tools/synth/effects.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "tools/synth/dsp.h"
#include "tools/synth/filter.h"

namespace synth {
namespace {

class Comb {
 public:
  Comb(size_t length, float feedback, float damping)
      : buffer_(length, 0.0f), feedback_(feedback), damping_(damping) {}
  float Process(float input) {
    float output = buffer_[index_];
    filtered_ = output * (1.0f - damping_) + filtered_ * damping_;
    buffer_[index_] = input + filtered_ * feedback_;
    if (++index_ == buffer_.size()) index_ = 0;
    return output;
  }

 private:
  std::vector<float> buffer_;
  size_t index_ = 0;
  float feedback_;
  float damping_;
  float filtered_ = 0.0f;
};

class Allpass {
 public:
  explicit Allpass(size_t length) : buffer_(length, 0.0f) {}
  float Process(float input) {
    float delayed = buffer_[index_];
    buffer_[index_] = input + delayed * 0.5f;
    if (++index_ == buffer_.size()) index_ = 0;
    return delayed - input;
  }

 private:
  std::vector<float> buffer_;
  size_t index_ = 0;
};

// One side of the reverb; `spread` offsets the right side's delays.
class ReverbChannel {
 public:
  ReverbChannel(const ReverbSettings& settings, size_t spread) {
    static const std::array<size_t, 8> kCombs = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const std::array<size_t, 4> kAllpasses = {556, 441, 341, 225};
    float feedback = 0.7f + 0.28f * settings.room;
    float damping = 0.4f * settings.damping;
    for (size_t length : kCombs) combs_.emplace_back(length + spread, feedback, damping);
    for (size_t length : kAllpasses) allpasses_.emplace_back(length + spread);
  }
  float Process(float input) {
    float sum = 0.0f;
    for (Comb& comb : combs_) sum += comb.Process(input);
    for (Allpass& allpass : allpasses_) sum = allpass.Process(sum);
    return sum;
  }

 private:
  std::vector<Comb> combs_;
  std::vector<Allpass> allpasses_;
};

}  // namespace

StereoBuffer PingPongDelay(const StereoBuffer& send, const PingPongDelaySettings& settings) {
  size_t length = static_cast<size_t>(std::max(1.0f, settings.seconds * kSampleRate));
  std::vector<float> left_line(length, 0.0f), right_line(length, 0.0f);
  Svf left_damp(settings.damping_hz, 0.0f), right_damp(settings.damping_hz, 0.0f);
  StereoBuffer wet(send.Frames());
  size_t index = 0;
  for (size_t i = 0; i < send.Frames(); ++i) {
    float left_out = left_line[index];
    float right_out = right_line[index];
    // Mono input enters on the left; each echo crosses to the other side.
    float input = 0.5f * (send.left[i] + send.right[i]);
    left_line[index] = input + settings.feedback * right_damp.Low(right_out);
    right_line[index] = settings.feedback * left_damp.Low(left_out);
    if (++index == length) index = 0;
    wet.left[i] = left_out;
    wet.right[i] = right_out;
  }
  return wet;
}

StereoBuffer Reverb(const StereoBuffer& send, const ReverbSettings& settings) {
  constexpr float kInputGain = 0.015f;
  ReverbChannel left(settings, 0), right(settings, 23);
  float direct = 0.5f + 0.5f * settings.width;
  float cross = 0.5f - 0.5f * settings.width;
  StereoBuffer wet(send.Frames());
  for (size_t i = 0; i < send.Frames(); ++i) {
    float input = kInputGain * (send.left[i] + send.right[i]);
    float l = left.Process(input);
    float r = right.Process(input);
    wet.left[i] = 3.0f * (l * direct + r * cross);
    wet.right[i] = 3.0f * (r * direct + l * cross);
  }
  return wet;
}

}  // namespace synth
