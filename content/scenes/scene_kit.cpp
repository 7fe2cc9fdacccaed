#include "content/scenes/scene_kit.h"

#include <algorithm>

Material Textured(const std::string& name, const std::string& texture, bool two_sided, uint16_t shininess) {
  Material m;
  m.name = name;
  m.ambient = {150, 140, 130};
  m.diffuse = {255, 255, 255};
  m.specular = {90, 90, 90};
  m.shininess = shininess;
  m.texture = texture;
  m.two_sided = two_sided;
  return m;
}

void AddCamera(Scene& scene, const std::vector<CameraStop>& stops) {
  Camera camera;
  camera.name = "Camera01";
  for (const CameraStop& s : stops) {
    camera.position.push_back({s.frame, s.position});
    camera.target.push_back({s.frame, s.target});
    camera.fov.push_back({s.frame, s.fov});
    camera.roll.push_back({s.frame, s.roll});
  }
  scene.cameras.push_back(camera);
}

void KeepAbove(std::vector<CameraStop>& stops, const HeightField& ground, float clearance) {
  for (CameraStop& s : stops) s.position.z = std::max(s.position.z, ground(s.position.x, s.position.y) + clearance);
}

void AddPlaceholder(Scene& scene, const std::string& name, V3 root, uint16_t material) {
  Mesh& mesh = scene.AddMesh(name);
  const uint16_t a = AddPoint(mesh, root, {0.1f, 1});  // first point: the root
  const uint16_t b = AddPoint(mesh, root + V3{15, 0, 0}, {0.4f, 1});
  const uint16_t c = AddPoint(mesh, root + V3{0, 15, 0}, {0.25f, 1});
  const uint16_t tip = AddPoint(mesh, root + V3{5, 5, 30}, {0.25f, 0});
  AddFace(mesh, a, b, tip, material);
  AddFace(mesh, b, c, tip, material);
  AddFace(mesh, c, a, tip, material);
}
