// K-weighted gated loudness and 4x-oversampled true peak.
#include "tools/synth/loudness.h"

#include <algorithm>
#include <cmath>

#include "tools/synth/dsp.h"

namespace synth {
namespace {

constexpr double kAbsoluteGate = -70.0;
constexpr double kRelativeGate = -10.0;
constexpr double kSilent = -120.0;

double PowerToLufs(double power) {
  return power > 0.0 ? -0.691 + 10.0 * std::log10(power) : kSilent;
}

class BiquadState {
 public:
  explicit BiquadState(const Biquad& q) : q_(q) {}
  double Process(double x) {
    double y = q_.b[0] * x + z1_;
    z1_ = q_.b[1] * x - q_.a[1] * y + z2_;
    z2_ = q_.b[2] * x - q_.a[2] * y;
    return y;
  }

 private:
  Biquad q_;
  double z1_ = 0.0, z2_ = 0.0;
};

std::vector<double> KWeightedSquares(const std::vector<float>& channel, double sample_rate) {
  std::array<Biquad, 2> stages = KWeighting(sample_rate);
  BiquadState shelf(stages[0]), highpass(stages[1]);
  std::vector<double> squares(channel.size());
  for (size_t i = 0; i < channel.size(); ++i) {
    double y = highpass.Process(shelf.Process(channel[i]));
    squares[i] = y * y;
  }
  return squares;
}

// Interpolation filter for 4x oversampling: windowed sinc, 16 taps per phase.
constexpr int kPhases = 4;
constexpr int kTapsPerPhase = 16;

std::array<std::array<float, kTapsPerPhase>, kPhases> InterpolationPhases() {
  std::array<std::array<float, kTapsPerPhase>, kPhases> phases{};
  constexpr int kTaps = kPhases * kTapsPerPhase;
  for (int p = 0; p < kPhases; ++p) {
    for (int t = 0; t < kTapsPerPhase; ++t) {
      int n = t * kPhases + p;  // index in the full-rate filter
      double x = (n - (kTaps - 1) / 2.0) / kPhases;
      double sinc = std::fabs(x) < 1e-12 ? 1.0 : std::sin(kPi * x) / (kPi * x);
      double window = 0.5 - 0.5 * std::cos(2.0 * kPi * (n + 0.5) / kTaps);
      phases[p][t] = static_cast<float>(sinc * window);
    }
  }
  return phases;
}

float ChannelTruePeak(const std::vector<float>& channel) {
  static const auto phases = InterpolationPhases();
  // Silence before the first sample and after the last, so that the filter
  // also rings out the track's edges.
  std::vector<float> padded(channel.size() + 2 * kTapsPerPhase, 0.0f);
  std::copy(channel.begin(), channel.end(), padded.begin() + kTapsPerPhase);
  float peak = 0.0f;
  for (size_t i = kTapsPerPhase; i < padded.size(); ++i) {
    for (int p = 0; p < kPhases; ++p) {
      float sum = 0.0f;
      for (int t = 0; t < kTapsPerPhase; ++t) sum += phases[p][t] * padded[i - t];
      peak = std::max(peak, std::fabs(sum));
    }
  }
  return peak;
}

}  // namespace

std::array<Biquad, 2> KWeighting(double sample_rate) {
  // Analog prototypes of the two stages, mapped by the bilinear transform.
  const double shelf_hz = 1681.974450955533;
  const double shelf_gain_db = 3.999843853973347;
  const double shelf_q = 0.7071752369554196;
  double k = std::tan(kPi * shelf_hz / sample_rate);
  double vh = std::pow(10.0, shelf_gain_db / 20.0);
  double vb = std::pow(vh, 0.4996667741545416);
  double a0 = 1.0 + k / shelf_q + k * k;
  Biquad shelf{{(vh + vb * k / shelf_q + k * k) / a0, 2.0 * (k * k - vh) / a0,
                (vh - vb * k / shelf_q + k * k) / a0},
               {1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / shelf_q + k * k) / a0}};

  const double highpass_hz = 38.13547087602444;
  const double highpass_q = 0.5003270373238773;
  k = std::tan(kPi * highpass_hz / sample_rate);
  a0 = 1.0 + k / highpass_q + k * k;
  Biquad highpass{{1.0, -2.0, 1.0},
                  {1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / highpass_q + k * k) / a0}};
  return {shelf, highpass};
}

LoudnessMeter::LoudnessMeter(const StereoBuffer& audio, double sample_rate)
    : frames_(audio.Frames()),
      block_(static_cast<size_t>(0.4 * sample_rate)),
      step_(static_cast<size_t>(0.1 * sample_rate)) {
  std::vector<double> left = KWeightedSquares(audio.left, sample_rate);
  std::vector<double> right = KWeightedSquares(audio.right, sample_rate);
  prefix_.assign(frames_ + 1, 0.0);
  for (size_t i = 0; i < frames_; ++i) prefix_[i + 1] = prefix_[i] + left[i] + right[i];
}

double LoudnessMeter::Integrated(size_t begin, size_t end) const {
  end = std::min(end, frames_);
  std::vector<double> blocks;
  for (size_t start = begin; start + block_ <= end; start += step_) {
    double power = (prefix_[start + block_] - prefix_[start]) / static_cast<double>(block_);
    if (PowerToLufs(power) > kAbsoluteGate) blocks.push_back(power);
  }
  if (blocks.empty()) return kSilent;
  double mean = 0.0;
  for (double power : blocks) mean += power;
  double relative_gate = PowerToLufs(mean / static_cast<double>(blocks.size())) + kRelativeGate;
  double gated = 0.0;
  size_t count = 0;
  for (double power : blocks) {
    if (PowerToLufs(power) > relative_gate) {
      gated += power;
      ++count;
    }
  }
  return count ? PowerToLufs(gated / static_cast<double>(count)) : kSilent;
}

float SamplePeak(const StereoBuffer& audio) {
  float peak = 0.0f;
  for (size_t i = 0; i < audio.Frames(); ++i)
    peak = std::max({peak, std::fabs(audio.left[i]), std::fabs(audio.right[i])});
  return peak;
}

float TruePeak(const StereoBuffer& audio) {
  return std::max(ChannelTruePeak(audio.left), ChannelTruePeak(audio.right));
}

}  // namespace synth
