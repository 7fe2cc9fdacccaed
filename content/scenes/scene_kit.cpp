// The helpers the scene recipes share: materials, camera paths and prop placement.
#include "content/scenes/scene_kit.h"

#include <algorithm>
#include <deque>

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

namespace {

Material SelfLit(Material m) {
  m.ambient = {255, 255, 255};
  return m;
}

}  // namespace

const MachineMaterials& Machine() {
  static const MachineMaterials materials{Textured("metal7", "metal7.jpg", false, 60),
                                          Textured("seina", "seina.jpg", false, 30),
                                          Textured("ritila", "ritila.jpg", false, 40),
                                          SelfLit(Textured("blue_spa", "blue_spa.jpg", false, 80)),
                                          Textured("chromic", "chromic.jpg", false, 100),
                                          SelfLit(Textured("neon", "neon.jpg", false, 100))};
  return materials;
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

void AddWallPanel(Mesh& mesh, V3 a, V3 b, float z0, float z1, V2 repeats, uint16_t material) {
  AddQuad(mesh, {{b.x, b.y, z0}, {a.x, a.y, z0}, {a.x, a.y, z1}, {b.x, b.y, z1}},
          {{0, repeats.v}, {repeats.u, repeats.v}, {repeats.u, 0}, {0, 0}}, material);
}

void AddTower(Mesh& mesh, V3 c, float half_x, float half_y, float h, const TowerLook& look) {
  const V3 half{half_x, half_y, 0}, inset{half_x - 30, half_y - 30, 0};
  AddBox(mesh, c - half, c + half + V3{0, 0, h * 0.45f}, look.plates, 400);
  AddBox(mesh, c - inset + V3{0, 0, h * 0.45f}, c + inset + V3{0, 0, h * 0.7f}, look.light, 380);
  AddBox(mesh, c - half + V3{0, 0, h * 0.7f}, c + half + V3{0, 0, h}, look.steel, 400);
  const float cap = std::min(half_x, half_y) * 0.75f;
  AddTube(mesh, c + V3{0, 0, h}, c + V3{0, 0, h + 90}, cap, cap * 0.55f, 12, look.chrome, true, 200);
}

void AddSpruce(Mesh& mesh, V3 root, float h, uint16_t boughs) {
  const float r = h * 0.28f;
  AddTube(mesh, root, root + V3{0, 0, h * 0.25f}, r * 0.12f, r * 0.1f, 5, boughs, false, h);
  for (int tier = 0; tier < 3; ++tier) {
    const float base = h * (0.15f + 0.25f * float(tier)), top = base + h * (0.5f - 0.05f * float(tier));
    const float width = r * (1.0f - 0.25f * float(tier));
    AddTube(mesh, root + V3{0, 0, base}, root + V3{0, 0, top}, width, 0, 7, boughs, false, h * 0.3f);
  }
}

float DistanceToPath(const std::vector<CameraStop>& stops, V3 p) {
  float nearest = 1e30f;
  for (size_t i = 0; i < stops.size(); ++i) {
    const V3 a = stops[i].position, b = i + 1 < stops.size() ? stops[i + 1].position : a;
    const V3 ab{b.x - a.x, b.y - a.y, 0}, ap{p.x - a.x, p.y - a.y, 0};
    const float length2 = Dot(ab, ab);
    const float t = length2 > 0 ? std::clamp(Dot(ap, ab) / length2, 0.0f, 1.0f) : 0.0f;
    nearest = std::min(nearest, Length(ap - ab * t));
  }
  return nearest;
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

namespace {

// The faces of one material with only the points they use, in their order.
Mesh FacesOf(const Mesh& mesh, uint16_t material, const std::string& name) {
  Mesh part;
  part.name = name;
  part.origin = mesh.origin;
  part.path = mesh.path;
  std::vector<bool> used(mesh.points.size(), false);
  for (const Triangle& f : mesh.faces)
    if (f.material == material) used[f.a] = used[f.b] = used[f.c] = true;
  std::vector<uint16_t> index(mesh.points.size(), 0);
  for (size_t i = 0; i < mesh.points.size(); ++i)
    if (used[i]) index[i] = AddPoint(part, mesh.points[i], mesh.uvs[i]);
  for (const Triangle& f : mesh.faces)
    if (f.material == material) AddFace(part, index[f.a], index[f.b], index[f.c], material);
  return part;
}

}  // namespace

Scene OneTexturePerMesh(Scene scene) {
  std::deque<Mesh> meshes;
  for (const Mesh& mesh : scene.meshes) {
    if (mesh.faces.empty()) {
      meshes.push_back(mesh);
      continue;
    }
    const uint16_t first = mesh.faces[0].material;
    meshes.push_back(FacesOf(mesh, first, mesh.name));
    std::vector<bool> seen(scene.materials.size(), false);
    seen[first] = true;
    for (const Triangle& f : mesh.faces) {
      if (seen[f.material]) continue;
      seen[f.material] = true;
      meshes.push_back(FacesOf(mesh, f.material, mesh.name + "_" + scene.materials[f.material].name));
    }
  }
  scene.meshes = std::move(meshes);
  return scene;
}
