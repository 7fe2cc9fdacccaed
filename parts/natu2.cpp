// Natu2's story: its dressing and the flock over the pond.
#include "parts/natu2.h"

#include "parts/cut_out_scatter.h"
#include "parts/evening_water.h"
#include "parts/tree_planting.h"

namespace {

constexpr float kFogEnd = 200.0f;
constexpr float kKeyframesPerSecond = 25.0f;
constexpr float kBirdSize = 0.02f;

// A row of leafy trees along the top of the meadow, far from the camera:
// three-sided branches, the one in the middle of the view fuller.
const TreeKind kOak{{1.2f, 2.3f, 0.56f, 0.016f, 4}, 0.6f, 2.6f};
const TreeKind kBirch{{0.75f, 2.4f, 0.66f, 0.026f, 4}, 0.55f, 3.8f};
const std::vector<TreePlan> kTrees = {
    {"tree01", &kOak, 60.0f, vec3f(0.05f, 0.0f, 0.0f), 0.2f, 3, 14},
    {"tree02", &kBirch, 36.0f, vec3f(-0.05f, 0.03f, 0.0f), 1.4f, 3, 14},
    {"tree03", &kOak, 66.0f, vec3f(0.0f), 2.9f, 3, 13},
    {"tree04", &kBirch, 34.0f, vec3f(0.08f, 0.0f, 0.0f), 0.7f, 3, 14},
    {"tree05", &kOak, 62.0f, vec3f(-0.03f, -0.04f, 0.0f), 4.1f, 3, 14},
    {"tree06", &kBirch, 38.0f, vec3f(0.0f, 0.06f, 0.0f), 5.3f, 3, 14},
    {"tree07", &kOak, 56.0f, vec3f(0.04f, 0.02f, 0.0f), 2.2f, 3, 14},
    {"tree08", &kBirch, 32.0f, vec3f(-0.06f, 0.0f, 0.0f), 3.6f, 3, 14},
};

// Reeds in a ring where the pond's banks meet the water, flowers all over
// the meadow: clumps thickest where the camera passes, as on Natu1's shore.
const std::vector<Planting> kMeadow = {
    {"Quad01", {-268.0f, -236.0f, 0.8f, 40, 6, 50.0f, 400.0f, 1800.0f, 150.0f, 0.9f, 1.6f, 0.2f}},
    {"Quad02", {-236.0f, 400.0f, 0.9f, 110, 8, 90.0f, 500.0f, 2200.0f, 150.0f, 2.2f, 3.6f, 0.12f}},
};
constexpr uint32_t kMeadowSeed = 2201;

}  // namespace

Natu2::Natu2() : FlockPart({"natu22.3ds", kKeyframesPerSecond, kFogEnd, false, kStoredOpacity}, kBirdSize) {}

void Natu2::Dress(Scene& scene) {
  DressEveningWater(scene, "Box09");  // the pond
  for (const Planting& planting : kMeadow)
    if (GLMesh* cut_out = scene.FindObject(planting.cut_out)) cut_out->PushVisibility(0);  // a template
  ScatterOverGround(scene, "Box", kMeadow, kMeadowSeed);
  PlantTrees(scene, "Box", kTrees);
  Birds().Load();
}
