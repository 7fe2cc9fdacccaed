// Counting the show's time into wave periods, and one disturbance at a random whole-number point of a surface.
#include "parts/water_clock.h"

#include <cmath>

bool WaterClock::Tick(float dt) {
  accumulated_ += dt;
  if (accumulated_ < kPeriod) return false;
  accumulated_ -= kPeriod;
  return true;
}

void DisturbAtRandom(WaterRipple& surface, const std::function<int()>& rand15) {
  const vec<float, 2>& low = surface.LowerCorner();
  const vec<float, 2>& high = surface.UpperCorner();
  const float u = float(rand15() & kRand15Max) / float(kRand15Max);
  const float v = float(rand15() & kRand15Max) / float(kRand15Max);
  const float x = low[0] + u * (high[0] - low[0]);
  const float y = low[1] + v * (high[1] - low[1]);
  surface.Disturb(int(std::lround(x)), int(std::lround(y)), surface.Time());
}
