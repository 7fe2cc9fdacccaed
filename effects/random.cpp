// The effects' 15-bit random draws from the standard generator.
#include "effects/random.h"

#include <cstdlib>

// The effects' constants were written for a 15-bit rand(); a wider
// RAND_MAX would push their ranges far out (and never end a draw loop).
int Rand15() { return std::rand() & kRand15Max; }

float RandomUnit() { return static_cast<float>(Rand15()) / kRand15Max; }

vec<float, 3> RandomInUnitBall() {
  vec<float, 3> v;
  do {
    for (int i = 0; i < 3; ++i) v[i] = static_cast<float>(Rand15()) * kTwoOverRand15Max - 1.0f;
  } while (v.SquaredLength() >= 1.0f);
  return v;
}
