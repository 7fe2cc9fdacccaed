#include "parts/techno3.h"

#include "parts/machine_hall.h"

namespace {

const char* const kPools[2] = {"Box32", "Box221"};

}  // namespace

Techno3::Techno3() : ScenePart(MachineSetup("techno33.3ds", kStoredOpacity)) {}

void Techno3::Dress(Scene& scene) {
  DressMachineHall(scene);
  TextureRef* chrome = scene.Textures().GetTexture("chromic", "chromic.jpg");
  DressNumberedBoxes(scene, *chrome);
  // The pools keep their banded chrome; the hall glints over it where the
  // waves tilt the surface.
  for (const char* name : kPools)
    if (GLMesh* pool = scene.FindObject(name)) DressSheen(*pool, *chrome, GL_ADD);
  DressChrome(scene.FindObject("Sukkula"));
  light_ = scene.FindObject("Omni");
}

void Techno3::Animate(float, float) {
  // The shuttle moves along its own track with the render list.
  if (light_) light_->Update();
  ++frames_;
}
