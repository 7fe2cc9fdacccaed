// The two chrome pools of the later machine halls, "Box32" and "Box221":
// liquid chrome that mirrors the hall, broken up where waves tilt it.
#pragma once

#include <memory>
#include <vector>

#include "effects/water_ripple.h"

class Scene;

// Where a pool lies: its corners in x and y, and the height of its surface.
struct PoolArea {
  vec<float, 2> lower, upper;
  float height;
};

class ChromePools {
 public:
  // Dresses each pool that the scene has (either may be missing) as chrome
  // and makes its ripple surface. Before the scene builds its render list.
  void Dress(Scene& scene);
  // Starts a wave now at a random whole-number point of each pool.
  void Disturb();
  // Takes one step on each pool.
  void Step();

  const std::vector<PoolArea>& Areas() const { return areas_; }
  // How many times the pools were disturbed, whether or not any exist.
  int Disturbances() const { return disturbances_; }

 private:
  std::vector<std::unique_ptr<WaterRipple>> surfaces_;
  std::vector<PoolArea> areas_;
  int disturbances_ = 0;
};
