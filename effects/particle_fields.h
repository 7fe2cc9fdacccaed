// What acts on a particle and how it looks: force fields, and attribute
// directors that give a particle its colour and size by age.
#pragma once

#include "effects/particle.h"

class ForceField {
 public:
  virtual ~ForceField() = default;
  virtual vec<float, 3> Force(const Particle& particle) const = 0;
};

// Gravity: (0, 0, -30) on every particle.
class gForce : public ForceField {
 public:
  vec<float, 3> Force(const Particle&) const override { return vec<float, 3>(0.0f, 0.0f, -30.0f); }
};

// A swirl about the z axis: (0.2 x position) cross (0, 0, 1).
class centriforce : public ForceField {
 public:
  vec<float, 3> Force(const Particle& particle) const override;
};

// The look of a particle: colour r, g, b, a; size; one further value that
// nothing reads.
struct ParticleAttributes {
  float color[4];
  float size;
  float extra;
};

class ParticleAttributeDirector {
 public:
  virtual ~ParticleAttributeDirector() = default;
  virtual ParticleAttributes AttributesOf(const Particle& particle) const = 0;
};

// From `start` at birth to `end` at age `life`, blended linearly between;
// before birth `start`, after `life` `end`. life must be positive.
class PAG : public ParticleAttributeDirector {
 public:
  PAG(const ParticleAttributes& start, const ParticleAttributes& end, float life)
      : start_(start), end_(end), life_(life), inverse_life_(1.0f / life) {}
  ParticleAttributes AttributesOf(const Particle& particle) const override;

 private:
  ParticleAttributes start_;
  ParticleAttributes end_;
  float life_;
  float inverse_life_;
};
