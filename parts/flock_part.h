// The nature parts whose story is a flock of birds over their water: the
// flock steps once a frame and is drawn with the scene's effects.
#pragma once

#include "parts/bird_flock.h"
#include "parts/scene_part.h"

class FlockPart : public ScenePart {
 public:
  BirdFlock& Birds() { return birds_; }

 protected:
  FlockPart(const Setup& setup, float bird_size) : ScenePart(setup), birds_(bird_size) {}

 private:
  void Animate(float, float) final { birds_.Update(); }
  void DrawEffects() final { birds_.Draw(GetScene()); }

  BirdFlock birds_;
};
