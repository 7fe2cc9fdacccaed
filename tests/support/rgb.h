// Pixel colours in tests, compared with a tolerance.
#pragma once

#include <array>

using Rgb = std::array<int, 3>;

// Each channel within `tolerance` of the expected value.
inline bool Near(const Rgb& actual, const Rgb& expected, int tolerance = 2) {
  for (int i = 0; i < 3; ++i)
    if (actual[i] < expected[i] - tolerance || actual[i] > expected[i] + tolerance) return false;
  return true;
}
