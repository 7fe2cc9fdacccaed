// The first machine part: four tubes wriggle down from the ceiling of a steel
// hall, each with a chrome rider at its lower end, over a mirror floor.
#pragma once

#include <memory>

#include "parts/hanging_tubes.h"
#include "parts/scene_part.h"

class Techno1 : public ScenePart {
 public:
  Techno1();
  ~Techno1() override;

  // The tubes, once loaded.
  HangingTubes* Tubes() { return tubes_.get(); }

 private:
  void Dress(Scene& scene) override;
  void Animate(float t, float dt) override;
  void DrawEffects() override;

  std::unique_ptr<HangingTubes> tubes_;
};
