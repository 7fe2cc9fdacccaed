// The nature parts' flock of birds.
#pragma once

#include <memory>

#include "effects/flock.h"
#include "scene/scene.h"

// Ten birds of "kurppa.3ds" wheeling round (0, 0, 3) of the flock's space,
// drawn at the part's size (the flock's space is 1250 model units to one of
// its own; the part scales that into its scene).
class BirdFlock {
 public:
  static constexpr int kBirds = 10;

  explicit BirdFlock(float size) : size_(size) {}
  // Loads the bird and makes the flock, already gathered (200 steps on);
  // without the model there is none.
  void Load();
  // One step of the flock: 0.1 of its time, whatever the frame's length.
  void Update();
  // Draws the birds under the current model-view matrix, scaled by the
  // part's size, which it leaves as it was.
  void Draw(Scene& scene);

  Flock* Birds() { return flock_.get(); }

 private:
  float size_;
  Scene bird_;
  std::unique_ptr<Flock> flock_;
};
