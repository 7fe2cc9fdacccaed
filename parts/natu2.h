// The second nature part: the meadow and its pond in the last light, the
// footbridge, a row of trees beyond, and birds wheeling over the pond.
#pragma once

#include "parts/nature_kit.h"
#include "parts/scene_part.h"

class Natu2 : public ScenePart {
 public:
  Natu2();

  BirdFlock& Birds() { return birds_; }

 private:
  void Dress(Scene& scene) override;
  void Animate(float t, float dt) override;
  void DrawEffects() override;

  BirdFlock birds_;
};
