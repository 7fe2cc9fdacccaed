// The second nature part: the meadow and its pond in the last light, the
// footbridge, a row of trees beyond, and birds wheeling over the pond.
#pragma once

#include "parts/flock_part.h"

class Natu2 : public FlockPart {
 public:
  Natu2();

 private:
  void Dress(Scene& scene) override;
};
