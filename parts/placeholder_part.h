// A scene part that has no scene yet: clears the screen to its colour.
#pragma once

#include "runtime/effect.h"

class PlaceholderPart : public Effect {
 public:
  PlaceholderPart(float r, float g, float b) : r_(r), g_(g), b_(b) {}
  bool Frame(float t) override;

 private:
  float r_, g_, b_;
};
