// Random numbers as the effects draw them: the standard generator (seeded
// once at start-up) cut to the 15 bits that the effects' constants assume.
#pragma once

#include "maths/vec.h"

// The largest value of Rand15, and 2 / 32767, which maps a draw onto 0 to 2.
constexpr int kRand15Max = 32767;
constexpr float kTwoOverRand15Max = 6.103702e-05f;

// rand() masked to 15 bits: 0 to 32767, whatever the library's RAND_MAX.
int Rand15();
// Rand15() / 32767: 0 to 1.
float RandomUnit();

// Three components, each Rand15() x 6.103702e-05 - 1 (so -1 to 1), drawn
// again while the squared length is 1 or more.
vec<float, 3> RandomInUnitBall();
