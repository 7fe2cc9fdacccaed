// techno11.3ds: the first machine scene. A steel hall with a mirror floor;
// four tubes (built by the part) hang from mounts in the ceiling, a chrome
// pod hangs among them, blue light panels line the walls.
#include <cmath>

#include "content/scenes/scene_kit.h"

namespace {

constexpr float kFloor = 7600, kCeiling = 11000, kMountZ = 10567.153f;
constexpr V3 kHallLo{6000, -8000, kFloor}, kHallHi{18500, 4800, kCeiling};
constexpr V3 kCentre{12325, -1580, 9300};
const V3 kTubeBases[4] = {{14472.444f, -3594.216f, kMountZ},
                          {14472.444f, 616.446f, kMountZ},
                          {10178.361f, 616.446f, kMountZ},
                          {10178.361f, -3743.054f, kMountZ}};

// Walls and ceiling of a box seen from inside (the floor is the mirror).
void AddRoom(Mesh& mesh, V3 lo, V3 hi, uint16_t wall, uint16_t ceiling) {
  auto quad = [&](V3 a, V3 b, V3 c, V3 d, float u, float v, uint16_t m) {
    AddQuad(mesh, {a, b, c, d}, {{0, v}, {u, v}, {u, 0}, {0, 0}}, m);
  };
  const float w = (hi.x - lo.x) / 2000, d = (hi.y - lo.y) / 2000, h = (hi.z - lo.z) / 2000;
  quad({lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, w, d, ceiling);
  quad({lo.x, lo.y, lo.z}, {lo.x, lo.y, hi.z}, {hi.x, lo.y, hi.z}, {hi.x, lo.y, lo.z}, h, w, wall);
  quad({hi.x, hi.y, lo.z}, {hi.x, hi.y, hi.z}, {lo.x, hi.y, hi.z}, {lo.x, hi.y, lo.z}, h, w, wall);
  quad({lo.x, hi.y, lo.z}, {lo.x, hi.y, hi.z}, {lo.x, lo.y, hi.z}, {lo.x, lo.y, lo.z}, h, d, wall);
  quad({hi.x, lo.y, lo.z}, {hi.x, lo.y, hi.z}, {hi.x, hi.y, hi.z}, {hi.x, hi.y, lo.z}, h, d, wall);
}

}  // namespace

Scene Techno11() {
  Scene scene;
  scene.last_frame = 1125;
  const uint16_t metal = scene.AddMaterial(Textured("metal7", "metal7.jpg", false, 60));
  const uint16_t walls = scene.AddMaterial(Textured("seina", "seina.jpg", false, 30));
  const uint16_t grating = scene.AddMaterial(Textured("ritila", "ritila.jpg", false, 40));
  const uint16_t panels = scene.AddMaterial(Textured("blue_spa", "blue_spa.jpg", false, 80));
  const uint16_t chrome = scene.AddMaterial(Textured("chromic", "chromic.jpg", false, 100));

  AddRoom(scene.AddMesh("Halli"), kHallLo, kHallHi, walls, metal);

  // The mirror floor: its first three points span the floor plane.
  AddQuad(scene.AddMesh("Peili01"),
          {{kHallLo.x, kHallLo.y, kFloor}, {kHallHi.x, kHallLo.y, kFloor}, {kHallHi.x, kHallHi.y, kFloor},
           {kHallLo.x, kHallHi.y, kFloor}},
          {{0, 0}, {6, 0}, {6, 6}, {0, 6}}, grating);

  // Ceiling mounts of the four tubes, and the beams that carry them.
  Mesh& mounts = scene.AddMesh("Kiinnike");
  for (const V3& b : kTubeBases) AddTube(mounts, b, {b.x, b.y, kCeiling}, 330, 260, 16, metal, true, 400);
  AddBox(mounts, {9900, -3900, 10700}, {14750, -3300, 10950}, metal, 800);
  AddBox(mounts, {9900, 330, 10700}, {14750, 900, 10950}, metal, 800);

  // The hanging chrome pod; its frame sits at its centre so it can swing.
  Mesh& pod = scene.AddMesh("tarzan");
  pod.origin = kCentre;
  AddSphere(pod, kCentre, 380, 10, 16, chrome, [](V3 d) { return 1.0f + 0.5f * d.z * d.z; });
  AddTube(pod, kCentre + V3{0, 0, 500}, {kCentre.x, kCentre.y, kCeiling}, 30, 30, 8, metal, false, 400);

  // Pillars round the hall with light panels between them.
  Mesh& pillars = scene.AddMesh("Pylvaat");
  Mesh& lights = scene.AddMesh("Valot");
  for (int i = 0; i < 6; ++i) {
    const float x = kHallLo.x + 1000 + 2100 * float(i);
    for (float y : {kHallLo.y + 500, kHallHi.y - 500}) {
      AddTube(pillars, {x, y, kFloor}, {x, y, kCeiling}, 220, 220, 12, metal, false, 800);
      const float wall_y = y < 0 ? kHallLo.y + 5 : kHallHi.y - 5;
      const float dir = y < 0 ? 1.f : -1.f;
      const V3 a{x + 250, wall_y, 8300}, b{x + 1850, wall_y, 8300};
      if (dir > 0)
        AddQuad(lights, {a, b, b + V3{0, 0, 1600}, a + V3{0, 0, 1600}}, {{0, 1}, {2, 1}, {2, 0}, {0, 0}}, panels);
      else
        AddQuad(lights, {b, a, a + V3{0, 0, 1600}, b + V3{0, 0, 1600}}, {{0, 1}, {2, 1}, {2, 0}, {0, 0}}, panels);
    }
  }
  scene.lights.push_back({"Omni", {12300, -1500, 10300}, 0.75f, 0.85f, 1.0f, {}});

  std::vector<CameraStop> path;
  for (int k = 0; k <= 9; ++k) {  // a slow orbit round the tubes, rising and sinking
    const float a = -1.6f + 0.7f * float(k), r = 4200 - 900 * std::sin(float(k) * 0.8f);
    const V3 eye{kCentre.x + r * std::cos(a), kCentre.y + r * std::sin(a), 8500 + 700 * std::sin(float(k) * 1.3f)};
    path.push_back({uint32_t(k * 125), eye, kCentre + V3{0, 0, -300.f + 150 * float(k % 3)}, 60, 0});
  }
  AddCamera(scene, path);
  return scene;
}
