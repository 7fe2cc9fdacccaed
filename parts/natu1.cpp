// Natu1's story: what it dresses by name, its sun and lantern, its scattered shore plants and rippling lake.
#include "parts/natu1.h"

#include <string>

#include "parts/cut_out_scatter.h"
#include "parts/evening_water.h"
#include "parts/scene_dressing.h"
#include "parts/tree_planting.h"
#include "scene/basic_attributes.h"

namespace {

constexpr float kFogEnd = 95.0f;
constexpr float kTrailOpacity = 0.4f;
constexpr float kKeyframesPerSecond = 15.0f;
// How much the lake's lit surface covers the sky and ripples on the water.
constexpr float kVeilOpacity = 0.3f;
// What the lake gives back of the light of what it mirrors.
constexpr float kReflectance[] = {0.68f, 0.66f, 0.64f};

// Reeds in the shallows and on the wet shore, flowers in the grass above
// it: clumps thickest where the camera passes.
const std::vector<Planting> kShore = {
    {"Quad01", {-30.0f, 6.0f, 0.8f, 45, 6, 45.0f, 250.0f, 1400.0f, 140.0f, 0.8f, 1.5f, 0.2f}},
    {"Quad02", {10.0f, 260.0f, 0.9f, 70, 7, 70.0f, 350.0f, 1500.0f, 110.0f, 1.0f, 2.2f, 0.12f}},
};
constexpr uint32_t kShoreSeed = 1101;

// Birches by the water, leaning out over it, and two broad trees behind the
// shore; slender trunks of many levels, so crowns of a hundred or more
// sprays on three-sided branches: at the lake's fill cost, the closest tree
// too keeps within the frame's budget.
const TreeKind kBirch{{0.75f, 2.4f, 0.68f, 0.028f, 4}, 0.7f, 4.5f};
const TreeKind kBroadleaf{{1.2f, 2.3f, 0.56f, 0.014f, 4}, 0.75f, 3.2f};
const std::vector<TreePlan> kTrees = {
    {"Tree0", &kBirch, 40.0f, vec3f(0.12f, -0.05f, 0.0f), 0.3f, 3, 14},
    {"Tree1", &kBroadleaf, 45.0f, vec3f(0.0f), 1.9f, 3, 14},
    {"Tree2", &kBroadleaf, 50.0f, vec3f(-0.06f, 0.03f, 0.0f), 2.6f, 3, 14},
    {"Tree3", &kBirch, 44.0f, vec3f(-0.04f, 0.1f, 0.0f), 4.4f, 3, 14},
};

bool IsFoliageOrRail(const std::string& name) {
  for (const char* known : {"Box11", "Box108", "Box109", "Box110", "Box111", "Box112"})
    if (name == known) return true;
  return false;
}

// The sun low behind the lake lights everything in the fog's colour.
void DressSun(Light& sun) {
  sun.SetAmbient(kFogColour[0], kFogColour[1], kFogColour[2], 1.0f);
  sun.SetDiffuse(kFogColour[0], kFogColour[1], kFogColour[2], 1.0f);
  sun.SetSpecular(kFogColour[0], kFogColour[1], kFogColour[2], 1.0f);
}

// The red lantern at the end of the pier: its glow fades within a few
// metres of it, and the lamp itself is not drawn.
void DressLantern(Light& lantern) {
  lantern.PushVisibility(0);
  lantern.SetAttenuation(0.1f, 0.5f, 0.0f);
  lantern.SetAmbient(1.0f, 0.0f, 0.0f, 1.0f);
  lantern.SetDiffuse(1.0f, 0.0f, 0.0f, 1.0f);
  lantern.SetSpecular(1.0f, 0.0f, 0.0f, 1.0f);
}

}  // namespace

Natu1::Natu1() : ScenePart({"natu11.3ds", kKeyframesPerSecond, kFogEnd, true, kTrailOpacity}) {}

void Natu1::Dress(Scene& scene) {
  PushSkyBackground(scene);
  for (GLMesh* object : scene.CollectObjects()) {
    const std::string& name = object->Name();
    if (name == "WaterPlane") {
      object->AddAttribute(SkyOnWater(scene));
      water_ = std::make_unique<WaterRipple>(object);
    } else if (name == "Omni03") {
      if (auto* sun = dynamic_cast<Light*>(object)) DressSun(*sun);
    } else if (name == "Omni05") {
      if (auto* lantern = dynamic_cast<Light*>(object)) DressLantern(*lantern);
    } else if (name.compare(0, 4, "Quad") == 0) {
      object->PushVisibility(0);  // a template for the scatter
      DressCutOut(*object);
    } else if (IsFoliageOrRail(name)) {
      DressCutOut(*object);
    }
  }

  ScatterOverGround(scene, "Maasto", kShore, kShoreSeed);
  PlantTrees(scene, "Maasto", kTrees);

  GLMesh* mirror = scene.FindObject("Box15");
  if (mirror) {
    auto* veil = new Transparency(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    veil->SetBlendColor(0.0f, 0.0f, 0.0f, kVeilOpacity);
    mirror->AddAttribute(veil);
    // Drawn after the compiled scene, as the water is, and after the water:
    // its surface veils the water as it veils the reflection.
    mirror->SetCacheable(false);
  }
  // The reflection darkened: drawn again over it, the surface scales what
  // lies under it by the lake's reflectance.
  auto* reflectance = new Transparency(GL_ZERO, GL_CONSTANT_COLOR);
  reflectance->SetBlendColor(kReflectance[0], kReflectance[1], kReflectance[2], 1.0f);
  SetMirror(mirror, {reflectance});
}

void Natu1::Animate(float, float dt) {
  if (water_clock_.Tick(dt) && water_) DisturbAtRandom(*water_);
  if (water_) water_->Step();
}
