// The authored scene's materials, meshes, lights and cameras.
#include "tools/content/scene_model.h"

#include <cmath>
#include <stdexcept>

V3 Cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
float Dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Length(V3 a) { return std::sqrt(Dot(a, a)); }
V3 Normalized(V3 a) {
  const float l = Length(a);
  return l > 1e-7f ? a * (1.0f / l) : a;
}

uint16_t Scene::AddMaterial(const Material& m) {
  if (materials.size() >= UINT16_MAX) throw std::length_error("too many materials");
  materials.push_back(m);
  return uint16_t(materials.size() - 1);
}

Mesh& Scene::AddMesh(const std::string& name) {
  meshes.push_back(Mesh{});
  meshes.back().name = name;
  return meshes.back();
}

const Mesh* Scene::FindMesh(const std::string& name) const {
  for (const auto& m : meshes)
    if (m.name == name) return &m;
  return nullptr;
}
