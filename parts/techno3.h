// The third machine part: a long chrome bath between rows of machine blocks
// under blue panels; the camera skims its two pools while waves run over
// them, a light travels the bath and a shuttle glides along the divider.
#pragma once

#include "parts/chrome_pools.h"
#include "parts/scene_part.h"

class Techno3 : public ScenePart {
 public:
  Techno3();

  // Frames drawn so far.
  int FrameCount() const { return frames_; }
  const ChromePools& Pools() const { return pools_; }

 private:
  void Dress(Scene& scene) override;
  void Animate(float t, float dt) override;

  ChromePools pools_;
  GLMesh* light_ = nullptr;  // "Omni", along its track
  int frames_ = 0;
};
