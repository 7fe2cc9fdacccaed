#include "parts/natu2.h"

#include "parts/nature_kit.h"

namespace {

constexpr float kFogEnd = 200.0f;
constexpr float kKeyframesPerSecond = 25.0f;

}  // namespace

Natu2::Natu2() : ScenePart({"natu22.3ds", kKeyframesPerSecond, kFogEnd, false, kStoredOpacity}) {}

void Natu2::Dress(Scene& scene) {
  TextureRef* sky = SkyTexture(scene);
  scene.PushBackground(sky);
  if (GLMesh* pond = scene.FindObject("Box09")) pond->AddAttribute(SkyOnWater(*sky));
  if (auto* sun = dynamic_cast<Light*>(scene.FindObject("Omni"))) LightLikeTheSun(*sun);
}
