// Pi, written once: as the float that the geometry computes with, and as the
// double that double-precision code needs.
#pragma once

constexpr double kPiDouble = 3.14159265358979323846;
constexpr float kPi = static_cast<float>(kPiDouble);
constexpr float kTwoPi = 2.0f * kPi;
