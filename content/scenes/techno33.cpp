// techno33.3ds: the third machine scene. A long chrome bath between two
// rows of machine blocks under blue panels, a chrome shuttle gliding on the
// divider; the camera skims the two rippling pools.
#include "content/scenes/scene_kit.h"

namespace {

constexpr float kPool = 0, kStep = 25;
constexpr float kDividerTop = 40;
// The shuttle's run along the divider: to this far either side of the
// middle, one way in this many 3DS frames.
constexpr float kShuttleReach = 650;
constexpr uint32_t kShuttleFrames = 100;

}  // namespace

Scene Techno33() {
  Scene scene;
  scene.last_frame = 500;
  const uint16_t metal = scene.AddMaterial(Machine().metal);
  const uint16_t panels = scene.AddMaterial(Machine().panels);
  const uint16_t chrome = scene.AddMaterial(Machine().chrome);
  const uint16_t walls = scene.AddMaterial(Machine().walls);

  AddGrid(scene.AddMesh("Box32"), -600, -1300, 600, -100, int(1200 / kStep), int(1200 / kStep),
          [](float, float) { return kPool; }, [&](V3, V3, V3) { return chrome; }, 600);
  AddGrid(scene.AddMesh("Box221"), -600, 100, 600, 1300, int(1200 / kStep), int(1200 / kStep),
          [](float, float) { return kPool; }, [&](V3, V3, V3) { return chrome; }, 600);

  // The bath's rim and floor, and a wall of panels on each side.
  Mesh& bath = scene.AddMesh("Allas");
  AddBox(bath, {-900, -1600, -200}, {900, 1600, -40}, metal, 600);
  AddBox(bath, {-900, -100, -40}, {900, 100, kDividerTop}, metal, 600);
  Mesh& wall = scene.AddMesh("Seinat");
  AddBox(wall, {-4000, -5000, -220}, {4000, 5000, -200}, walls, 900);
  const V3 west[4] = {{-2600, -4000, -200}, {-2600, 4000, -200}, {-2600, 4000, 1400}, {-2600, -4000, 1400}};
  const V3 east[4] = {{2600, 4000, -200}, {2600, -4000, -200}, {2600, -4000, 1400}, {2600, 4000, 1400}};
  AddQuad(wall, west, {{0, 1}, {4, 1}, {4, 0}, {0, 0}}, panels);
  AddQuad(wall, east, {{0, 1}, {4, 1}, {4, 0}, {0, 0}}, panels);

  for (int i = 1; i <= 10; ++i) {
    const float side = i % 2 ? -1.f : 1.f, y = -3000 + 600.f * float((i - 1) / 2) * 1.5f;
    const V3 c{side * 1500, y, -200};
    AddTower(scene.AddMesh("Box" + std::to_string(i)), c, 250, 200, 420 + 160.f * float(i % 4),
             {walls, panels, metal, chrome});
  }
  // A chrome shuttle that glides to and fro along the divider, its frame at
  // the middle of its foot.
  Mesh& shuttle = scene.AddMesh("Sukkula");
  shuttle.origin = {0, 0, kDividerTop};
  AddBox(shuttle, {-150, -80, kDividerTop}, {150, 80, kDividerTop + 120}, chrome, 300);
  for (uint32_t frame = 0, k = 0; frame <= 500; frame += kShuttleFrames, ++k)
    shuttle.path.push_back({frame, {k % 2 ? kShuttleReach : -kShuttleReach, 0, kDividerTop}});

  // One cold light that travels the length of the bath and back, so the
  // highlights run along the chrome: the show has eight lights for all of
  // its scenes.
  scene.lights.push_back({"Omni",
                          {-1200, -2400, 1500},
                          0.8f,
                          0.9f,
                          1.0f,
                          {{0, {-1200, -2400, 1500}}, {250, {-600, 2400, 1300}}, {500, {-1200, -2400, 1500}}}});

  AddCamera(scene, {
                       {0, {0, -3200, 260}, {0, 0, 0}, 60},
                       {125, {-500, -1500, 160}, {200, 500, 20}, 58, -5},
                       {250, {300, 0, 460}, {-200, 1800, 60}, 56, 4},
                       {375, {500, 1500, 200}, {-300, -600, 0}, 58},
                       {500, {0, 3000, 420}, {0, 0, 0}, 62},
                   });
  return scene;
}
