// Dressing the two chrome pools, and starting and stepping their waves.
#include "parts/chrome_pools.h"

#include "effects/pool_reflection.h"
#include "parts/water_clock.h"
#include "scene/scene.h"

namespace {

const char* const kPools[2] = {"Box32", "Box221"};

}  // namespace

void ChromePools::Dress(Scene& scene) {
  for (const char* name : kPools) {
    GLMesh* pool = scene.FindObject(name);
    if (!pool || pool->VertexArray().empty()) continue;
    pool->AddAttribute(new PoolReflection());
    surfaces_.push_back(std::make_unique<WaterRipple>(pool));
    areas_.push_back({surfaces_.back()->LowerCorner(), surfaces_.back()->UpperCorner(), pool->VertexArray()[0][2]});
  }
}

void ChromePools::Disturb() {
  for (auto& surface : surfaces_) DisturbAtRandom(*surface);
  ++disturbances_;
}

void ChromePools::Step() {
  for (auto& surface : surfaces_) surface->Step();
}
