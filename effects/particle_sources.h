// Where particles are born and how fast they start: random points and
// vectors drawn from simple shapes. Every sample draws from Rand15.
#pragma once

#include "maths/vec.h"

class Distribution {
 public:
  virtual ~Distribution() = default;
  virtual vec<float, 3> sample() = 0;
};

// Always the point.
class PointSource : public Distribution {
 public:
  explicit PointSource(const vec<float, 3>& point) : point_(point) {}
  vec<float, 3> sample() override { return point_; }

 private:
  vec<float, 3> point_;
};

// The shapes about a centre with a radius.
class RoundSource : public Distribution {
 protected:
  RoundSource(const vec<float, 3>& centre, float radius) : centre_(centre), radius_(radius) {}

  vec<float, 3> centre_;
  float radius_;
};

// Inside the ball: centre + radius x (a random vector in the unit ball).
class BallSource : public RoundSource {
 public:
  BallSource(const vec<float, 3>& centre, float radius) : RoundSource(centre, radius) {}
  vec<float, 3> sample() override;
};

// On the sphere: centre + radius x (a random unit vector, uniform in z and
// in the angle about z).
class SphereSource : public RoundSource {
 public:
  SphereSource(const vec<float, 3>& centre, float radius) : RoundSource(centre, radius) {}
  vec<float, 3> sample() override;
};

// Velocities in an upward cone: a direction at most half_angle radians from
// +z (uniform over that cap of the sphere), times a speed uniform in
// [min_speed, max_speed]. Sparks and vapour leaving a surface.
class ConeUpSource : public Distribution {
 public:
  ConeUpSource(float half_angle, float min_speed, float max_speed)
      : half_angle_(half_angle), min_speed_(min_speed), max_speed_(max_speed) {}
  vec<float, 3> sample() override;

 private:
  float half_angle_;
  float min_speed_;
  float max_speed_;
};

// On a level ring about the up axis: centre + radius x (cos a, sin a, 0)
// with a uniform. As a position source, the rim of a pool; as a velocity
// source with centre (0, 0, rise), a fountain spreading outwards.
class RingUpSource : public RoundSource {
 public:
  RingUpSource(const vec<float, 3>& centre, float radius) : RoundSource(centre, radius) {}
  vec<float, 3> sample() override;
};
