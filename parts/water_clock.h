// The pace and places of the waves that the parts start on their water: one
// disturbance each time the show's time adds up to a period, at a random
// whole-number point of the surface.
#pragma once

#include <functional>

#include "effects/water_ripple.h"
#include "effects/random.h"

class WaterClock {
 public:
  static constexpr float kPeriod = 0.75f;  // seconds between disturbances

  // Adds the frame's time; true when a disturbance is due, and then one
  // period is taken off: a long frame brings a single disturbance and leaves
  // the rest to the frames after it.
  bool Tick(float dt);
  float Accumulated() const { return accumulated_; }

 private:
  float accumulated_ = 0.0f;
};

// Starts a wave now (at the surface's own time) at a point drawn uniformly
// in the rectangle of its corners, each coordinate from one 15-bit number
// and rounded to a whole number.
void DisturbAtRandom(WaterRipple& surface, const std::function<int()>& rand15 = Rand15);
