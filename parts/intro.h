// The intro: fades the loading picture in and loads the rest of the show
// behind it.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "effects/bitmap.h"
#include "runtime/effect.h"
#include "runtime/show.h"

// Makes the scene part that the timeline names; null for a name it lacks.
using ScenePartFactory = std::function<std::unique_ptr<Effect>(const std::string& name)>;

class Intro : public Effect {
 public:
  explicit Intro(ScenePartFactory make_part) : make_part_(std::move(make_part)) {}

  // Makes the loading picture from "loading.jpg".
  bool Load() override;

  // Resets the show clock and fades the loading picture in from black over
  // three seconds of it; then makes the other two pictures and the scene
  // parts of the timeline (in the order of their names) and loads them in the
  // order they play, each part with the whole light pool free. Always true.
  bool LoadingStep(ShowParts& parts);

  // The show's full-screen pictures, kept for as long as the intro: null
  // until Load (the loading picture) or LoadingStep (the other two) makes them.
  const Bitmap* LoadingPicture() const { return loading_picture_.get(); }
  const Bitmap* ShownPicture(Picture picture) const;

 private:
  void FadeInLoadingPicture();

  ScenePartFactory make_part_;
  std::unique_ptr<Bitmap> loading_picture_;
  std::unique_ptr<Bitmap> interlude_picture_;
  std::unique_ptr<Bitmap> closing_picture_;
};
