// The first nature part: the lake at sunset seen from low over the water,
// with the pier and its red lantern, reeds and flowers on the shore, and
// the lake mirroring the trees and hills.
#pragma once

#include "parts/scene_part.h"

class Natu1 : public ScenePart {
 public:
  Natu1();

 private:
  void Dress(Scene& scene) override;
};
