// The force fields that move particles and the directors that colour and size them by age.
#include "effects/particle_fields.h"

namespace {

constexpr float kSwirl = 0.2f;

}  // namespace

vec<float, 3> centriforce::Force(const Particle& particle) const {
  return Cross(particle.position * kSwirl, vec<float, 3>(0.0f, 0.0f, 1.0f));
}

ParticleAttributes PAG::AttributesOf(const Particle& particle) const {
  const float x = particle.age;
  if (x <= 0.0f) return start_;
  if (x >= life_) return end_;
  auto blend = [&](float a, float b) { return (a * (life_ - x) + b * x) * inverse_life_; };
  ParticleAttributes mixed;
  for (int i = 0; i < 4; ++i) mixed.color[i] = blend(start_.color[i], end_.color[i]);
  mixed.size = blend(start_.size, end_.size);
  mixed.extra = blend(start_.extra, end_.extra);
  return mixed;
}
