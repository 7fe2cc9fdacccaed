// The last nature part: the calm lake under the low sun between dark
// headlands, the rocky island, and birds crossing the light.
#pragma once

#include "parts/flock_part.h"

class Natu3 : public FlockPart {
 public:
  Natu3();

 private:
  void Dress(Scene& scene) override;
};
