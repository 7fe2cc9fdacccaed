// Natu2's story: its dressing and the flock over the pond.
#include "parts/natu2.h"

#include "parts/evening_water.h"
#include "parts/tree_planting.h"

namespace {

constexpr float kFogEnd = 200.0f;
constexpr float kKeyframesPerSecond = 25.0f;
constexpr float kBirdSize = 0.02f;

// A row of leafy trees along the top of the meadow, the nearer ones fuller.
const TreeKind kOak{{1.1f, 2.4f, 0.55f, 0.007f, 5}, 0.45f};
const TreeKind kBirch{{0.9f, 2.2f, 0.62f, 0.006f, 5}, 0.4f};
const std::vector<TreePlan> kTrees = {
    {"tree01", &kOak, 150.0f, vec3f(0.05f, 0.0f, 0.0f), 0.2f, 5, 13},
    {"tree02", &kBirch, 130.0f, vec3f(-0.05f, 0.03f, 0.0f), 1.4f, 5, 14},
    {"tree03", &kOak, 170.0f, vec3f(0.0f), 2.9f, 6, 13},
    {"tree04", &kBirch, 125.0f, vec3f(0.08f, 0.0f, 0.0f), 0.7f, 5, 14},
    {"tree05", &kOak, 160.0f, vec3f(-0.03f, -0.04f, 0.0f), 4.1f, 6, 13},
    {"tree06", &kBirch, 140.0f, vec3f(0.0f, 0.06f, 0.0f), 5.3f, 5, 14},
    {"tree07", &kOak, 145.0f, vec3f(0.04f, 0.02f, 0.0f), 2.2f, 5, 13},
    {"tree08", &kBirch, 120.0f, vec3f(-0.06f, 0.0f, 0.0f), 3.6f, 4, 14},
};

}  // namespace

Natu2::Natu2() : FlockPart({"natu22.3ds", kKeyframesPerSecond, kFogEnd, false, kStoredOpacity}, kBirdSize) {}

void Natu2::Dress(Scene& scene) {
  DressEveningWater(scene, "Box09");  // the pond
  PlantTrees(scene, "Box", kTrees);
  Birds().Load();
}
