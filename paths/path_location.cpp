// Stepping a location along its position and orientation tracks.
#include "paths/path_location.h"

void PathLocation::Reset() {
  position_path_.Rewind();
  rotation_path_.Rewind();
}

void PathLocation::Update() {
  if (position_path_.IsValid()) position_ = position_path_.Update();
  if (!rotation_path_.IsValid()) return;
  float r = rotation_path_.Update()[0];
  if (orientations_.empty()) return;
  // Indices outside the list (or not a number) stop at its ends.
  float last = static_cast<float>(orientations_.size() - 1);
  if (!(r > 0.0f)) r = 0.0f;
  if (r > last) r = last;
  size_t i = static_cast<size_t>(r);
  float f = r - static_cast<float>(i);
  if (i + 1 == orientations_.size()) {
    SetOrientation(orientations_[i]);
  } else {
    SetOrientation(Slerp(orientations_[i], orientations_[i + 1], f));
  }
}
