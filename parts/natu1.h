// The first nature part: the lake at sunset seen from low over the water,
// with the pier and its red lantern, reeds and flowers on the shore, four
// trees, and the rippling lake mirroring it all.
#pragma once

#include <memory>

#include "effects/water_ripple.h"
#include "parts/scene_part.h"
#include "parts/water_clock.h"

class Natu1 : public ScenePart {
 public:
  Natu1();

  // The waves on "WaterPlane"; null without one.
  WaterRipple* Water() const { return water_.get(); }

 private:
  void Dress(Scene& scene) override;
  void Animate(float t, float dt) override;

  std::unique_ptr<WaterRipple> water_;
  WaterClock water_clock_;
};
