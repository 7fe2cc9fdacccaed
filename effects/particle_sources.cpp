// Random birth positions and start velocities from points, balls, spheres, cones and rings.
#include "effects/particle_sources.h"

#include <cmath>

#include "effects/random.h"

namespace {

// 2 pi / 32767: a 15-bit draw onto an angle of 0 to 2 pi.
constexpr float kTurnOverRand15Max = 0.00019175345f;

}  // namespace

vec<float, 3> BallSource::sample() { return centre_ + RandomInUnitBall() * radius_; }

vec<float, 3> SphereSource::sample() {
  const float z = static_cast<float>(Rand15()) * kTwoOverRand15Max - 1.0f;
  const float phi = static_cast<float>(Rand15()) * kTurnOverRand15Max;
  const float ring = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
  return centre_ + vec<float, 3>(ring * std::sin(phi), ring * std::cos(phi), z) * radius_;
}

vec<float, 3> ConeUpSource::sample() {
  // Uniform in cos(angle) is uniform in area over the cap.
  const float lowest = std::cos(half_angle_);
  const float z = lowest + (1.0f - lowest) * RandomUnit();
  const float phi = static_cast<float>(Rand15()) * kTurnOverRand15Max;
  const float speed = min_speed_ + (max_speed_ - min_speed_) * RandomUnit();
  const float ring = std::sqrt(std::fmax(0.0f, 1.0f - z * z));
  return vec<float, 3>(ring * std::cos(phi), ring * std::sin(phi), z) * speed;
}

vec<float, 3> RingUpSource::sample() {
  const float phi = static_cast<float>(Rand15()) * kTurnOverRand15Max;
  return centre_ + vec<float, 3>(std::cos(phi), std::sin(phi), 0.0f) * radius_;
}
