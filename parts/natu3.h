// The last nature part: the calm lake under the low sun between dark
// headlands, the rocky island, and birds crossing the light.
#pragma once

#include "parts/nature_kit.h"
#include "parts/scene_part.h"

class Natu3 : public ScenePart {
 public:
  Natu3();

  BirdFlock& Birds() { return birds_; }

 private:
  void Dress(Scene& scene) override;
  void Animate(float t, float dt) override;
  void DrawEffects() override;

  BirdFlock birds_;
};
