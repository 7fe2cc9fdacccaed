// Starting waves and summing every ringing wave's height at each vertex, step by step.
#include "effects/water_ripple.h"

#include <algorithm>
#include <cmath>

#include "maths/pi.h"

namespace {

constexpr float kReach = 200.0f;      // farthest a wave travels, and how long it rings, in time units
constexpr float kTimePerStep = 4.0f;  // time units
constexpr int kProfileLength = 1000;
constexpr float kProfilePeriod = 100.0f;  // time units
constexpr float kProfileAmplitude = 10.0f;
constexpr float kFarCorner = 1000000.0f;

// A sine whose amplitude falls linearly from 10 at 0 to 0 at 200, shared by
// every wave of every surface.
const std::array<float, kProfileLength>& Profile() {
  static const std::array<float, kProfileLength> profile = [] {
    std::array<float, kProfileLength> p;
    for (int i = 0; i < kProfileLength; ++i)
      p[i] = (kReach - i) * kProfileAmplitude * std::sin(i * kTwoPi / kProfilePeriod) / kReach;
    return p;
  }();
  return profile;
}

}  // namespace

WaterRipple::WaterRipple(GLMesh* mesh)
    : lower_(kFarCorner, kFarCorner), upper_(-kFarCorner, -kFarCorner), mesh_(mesh), normals_(*mesh) {
  const std::vector<vec<float, 3>>& vertices = mesh->VertexArray();
  waves_.resize(vertices.size());
  for (const vec<float, 3>& v : vertices) {
    lower_ = vec<float, 2>(std::min(lower_[0], v[0]), std::min(lower_[1], v[1]));
    upper_ = vec<float, 2>(std::max(upper_[0], v[0]), std::max(upper_[1], v[1]));
  }
  if (!vertices.empty()) rest_height_ = vertices[0][2];
  mesh->SetCacheable(false);
}

void WaterRipple::Disturb(int x, int y, float t0) {
  // NaN would break the queue's ordering; infinities would index the profile
  // out of range.
  if (!std::isfinite(t0)) return;
  StartWave(x, y, t0);
  // The mirror images make the waves seem to bounce off the pool's sides.
  StartWave(std::trunc(2 * upper_[0] - x), y, t0);
  StartWave(x, std::trunc(2 * upper_[1] - y), t0);
  StartWave(std::trunc(2 * lower_[0] - x), y, t0);
  StartWave(x, std::trunc(2 * lower_[1] - y), t0);
}

void WaterRipple::StartWave(float x, float y, float t0) {
  const std::vector<vec<float, 3>>& vertices = mesh_->VertexArray();
  const size_t count = std::min(vertices.size(), waves_.size());
  for (uint32_t i = 0; i < count; ++i) {
    const float dx = vertices[i][0] - x, dy = vertices[i][1] - y;
    const float d = std::sqrt(dx * dx + dy * dy);
    if (!(d < kReach)) continue;
    const Wave wave{t0 + d, (kReach - d) / kReach};
    events_.push({wave.start, i, true, wave});
    events_.push({wave.start + kReach, i, false, wave});
  }
}

void WaterRipple::TakeDueEvents() {
  while (!events_.empty() && events_.top().time < time_) {
    const Event& event = events_.top();
    std::vector<Wave>& list = waves_[event.vertex];
    if (event.add) {
      list.push_back(event.wave);
    } else {
      // Waves with equal start and weight ring alike, so any one of them may go.
      auto same = std::find_if(list.begin(), list.end(), [&](const Wave& w) {
        return w.start == event.wave.start && w.weight == event.wave.weight;
      });
      if (same != list.end()) {
        *same = list.back();
        list.pop_back();
      }
    }
    events_.pop();
  }
}

void WaterRipple::Step() {
  TakeDueEvents();
  const std::array<float, kProfileLength>& profile = Profile();
  std::vector<vec<float, 3>>& vertices = mesh_->VertexArray();
  const size_t count = std::min(vertices.size(), waves_.size());
  moved_.clear();
  for (uint32_t i = 0; i < count; ++i) {
    float h = 0.0f;
    for (const Wave& wave : waves_[i]) {
      // A wave rings from just after its start until 200 units later, so the
      // index is the nearest whole number to a positive age up to 200 (in
      // double the half is added exactly).
      const int at = int(double(time_ - wave.start) + 0.5);
      h += profile[std::clamp(at, 0, kProfileLength - 1)] * wave.weight;
    }
    const float z = rest_height_ - h;
    if (vertices[i][2] != z) moved_.push_back(i);
    vertices[i][2] = z;
  }
  // The lit and sphere-mapped water needs its normals to follow the surface.
  normals_.Update(moved_, mesh_->Normals());
  time_ += kTimePerStep;
}

const std::vector<WaterRipple::Wave>& WaterRipple::WavesAt(uint32_t vertex) const {
  static const std::vector<Wave> kNone;
  return vertex < waves_.size() ? waves_[vertex] : kNone;
}
