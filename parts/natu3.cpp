// Natu3's story: its dressing and the birds crossing the light.
#include "parts/natu3.h"

#include "parts/scene_frame.h"

namespace {

constexpr float kFogEnd = 200.0f;
constexpr float kKeyframesPerSecond = 25.0f;
constexpr float kBirdSize = 0.04f;

}  // namespace

Natu3::Natu3() : ScenePart({"natu33.3ds", kKeyframesPerSecond, kFogEnd, false, kStoredOpacity}), birds_(kBirdSize) {}

void Natu3::Dress(Scene& scene) {
  TextureRef* sky = SkyTexture(scene);
  scene.PushBackground(sky);
  if (GLMesh* lake = scene.FindObject("Box15")) lake->AddAttribute(SkyOnWater(*sky));
  if (auto* sun = dynamic_cast<Light*>(scene.FindObject("Omni"))) LightLikeTheSun(*sun);
  birds_.Load();
}

void Natu3::Animate(float, float) { birds_.Update(); }

void Natu3::DrawEffects() { birds_.Draw(GetScene()); }
