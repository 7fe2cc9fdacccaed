// A directed location animated by a keyframed position track and a track of
// orientations.
#pragma once

#include <vector>

#include "paths/keyframe_path.h"
#include "paths/location.h"

class PathLocation : public DirectedLocation {
 public:
  using DirectedLocation::DirectedLocation;

  // Rewinds both tracks.
  virtual void Reset();
  // Advances both tracks by the shared path step and takes the position and
  // the orientation (slerped between neighbouring list entries) from them.
  virtual void Update();

  KeyframePath<float, 3>& PositionPath() { return position_path_; }
  const KeyframePath<float, 3>& PositionPath() const { return position_path_; }
  // Its values are fractional indices into the orientation list.
  KeyframePath<float, 1>& RotationPath() { return rotation_path_; }
  const KeyframePath<float, 1>& RotationPath() const { return rotation_path_; }
  std::vector<Quaternion>& Orientations() { return orientations_; }
  const std::vector<Quaternion>& Orientations() const { return orientations_; }

 private:
  KeyframePath<float, 3> position_path_;
  std::vector<Quaternion> orientations_;
  KeyframePath<float, 1> rotation_path_;
};
