// The show's random numbers: the C library generator, seeded once at
// start-up, cut to the 15 bits that its timings and sizes were tuned for.
#pragma once

#include <cstdlib>

// A whole number from 0 to 32767.
inline int Rand15() { return std::rand() & 0x7fff; }
