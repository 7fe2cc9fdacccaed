// Natu3's story: its dressing and the birds crossing the light.
#include "parts/natu3.h"

#include "parts/evening_water.h"

namespace {

constexpr float kFogEnd = 200.0f;
constexpr float kKeyframesPerSecond = 25.0f;
constexpr float kBirdSize = 0.04f;

}  // namespace

Natu3::Natu3() : FlockPart({"natu33.3ds", kKeyframesPerSecond, kFogEnd, false, kStoredOpacity}, kBirdSize) {}

void Natu3::Dress(Scene& scene) {
  DressEveningWater(scene, "Box15");  // the lake
  Birds().Load();
}
