// Techno3's story: the chrome bath's pools, the travelling light and the shuttle.
#include "parts/techno3.h"

#include "parts/machine_hall.h"
#include "parts/scene_dressing.h"

namespace {

// The pools are disturbed in every frame whose count is a multiple of this.
constexpr int kFramesPerDisturbance = 5;

}  // namespace

Techno3::Techno3() : ScenePart(MachineSetup("techno33.3ds", kStoredOpacity)) {}

void Techno3::Dress(Scene& scene) {
  sky_ = SkyTexture(scene);
  DressMachineHall(scene);
  TextureRef* chrome = scene.Textures().GetTexture("chromic", "chromic.jpg");
  DressNumberedBoxes(scene, *chrome);
  pools_.Dress(scene);
  DressChrome(scene.FindObject("Sukkula"));
  light_ = scene.FindObject("Omni");
}

void Techno3::Animate(float, float) {
  if (frames_ % kFramesPerDisturbance == 0) pools_.Disturb();
  pools_.Step();
  // The shuttle moves along its own track with the render list.
  if (light_) light_->Update();
  ++frames_;
}

void Techno3::DrawEffects() {
  if (sky_) DrawSkyWhereOpen(*sky_);
}
