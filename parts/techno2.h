// The second machine part, the peak of the show: liquid chrome metaballs
// swim inside a ring rail that rises and sinks through them, sparks rise
// from two rippling chrome pools, rotors turn overhead and the neon title
// hangs before the blue-lit wall.
#pragma once

#include <array>
#include <memory>

#include "effects/metaballs.h"
#include "effects/particle_object.h"
#include "parts/chrome_pools.h"
#include "parts/scene_part.h"
#include "parts/water_clock.h"

class Techno2 : public ScenePart {
 public:
  Techno2();
  ~Techno2() override;

  // Frames drawn so far: the balls' n.
  int FrameCount() const { return frames_; }
  const ChromePools& Pools() const { return pools_; }
  // Null before Load.
  MetaballObject* Metaballs() { return metaballs_.get(); }
  ParticleObject* Vapour() { return vapour_.get(); }

 private:
  void Dress(Scene& scene) override;
  void Animate(float t, float dt) override;
  void DrawEffects() override;

  ChromePools pools_;
  WaterClock water_clock_;
  std::unique_ptr<MetaballObject> metaballs_;
  std::unique_ptr<ParticleObject> vapour_;
  TextureRef* sky_ = nullptr;
  GLMesh* light_ = nullptr;                // "Omni", along its track
  std::array<GLMesh*, 3> rotors_ = {};     // "Cylinder21" to "Cylinder23"
  int frames_ = 0;
};
