// techno33.3ds: the third machine scene. A long chrome bath between two
// rows of machine blocks in a hall walled with blue panels on all four sides,
// open to the sky; a shuttle glides on the divider; the camera skims the two
// rippling pools.
#include <cmath>

#include "content/scenes/scene_kit.h"

namespace {

constexpr float kPool = 0, kStep = 25;
constexpr float kDividerTop = 40;
// The hall's walls: plates up to kPlateTop, light panels above to kWallTop.
constexpr float kHallHalfX = 2600, kHallHalfY = 4000;
constexpr float kHallFloor = -200, kPlateTop = 200, kWallTop = 1400;
// Machine blocks stand in pairs either side of the bath, from kFirstBlockY
// every kBlockPitch along it.
constexpr int kBlocks = 14;
constexpr float kBlockX = 1500, kFirstBlockY = -3000, kBlockPitch = 900;
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
  // The floor, and the walls closing the hall round it, facing in: wherever
  // the camera turns, the view ends at lit panels.
  Mesh& wall = scene.AddMesh("Seinat");
  AddBox(wall, {-4000, -5000, kHallFloor - 20}, {4000, 5000, kHallFloor}, walls, 900);
  const V3 corners[4] = {{-kHallHalfX, -kHallHalfY, 0}, {kHallHalfX, -kHallHalfY, 0}, {kHallHalfX, kHallHalfY, 0},
                         {-kHallHalfX, kHallHalfY, 0}};
  for (int i = 0; i < 4; ++i) {
    const V3 a = corners[i], b = corners[(i + 1) % 4];
    const float across = Length(b - a) / 2000;  // panel repeats, each 2000 wide
    AddWallPanel(wall, a, b, kHallFloor, kPlateTop, {across * 4, 0.8f}, walls);
    AddWallPanel(wall, a, b, kPlateTop, kWallTop, {across, 0.75f}, panels);
  }

  for (int i = 1; i <= kBlocks; ++i) {
    const float side = i % 2 ? -1.f : 1.f, y = kFirstBlockY + kBlockPitch * float((i - 1) / 2);
    AddTower(scene.AddMesh("Box" + std::to_string(i)), {side * kBlockX, y, kHallFloor}, 250, 200,
             420 + 160.f * float(i % 4), {walls, panels, metal, chrome});
  }
  // A shuttle that glides to and fro along the divider, its frame at the
  // middle of its foot: a chrome canopy, curved so that it mirrors the hall,
  // on a steel sled with a blue light strip.
  Mesh& shuttle = scene.AddMesh("Sukkula");
  shuttle.origin = {0, 0, kDividerTop};
  AddSphere(shuttle, {0, 0, kDividerTop + 70}, 150, 8, 16, chrome, [](V3 d) {
    return 1.0f / std::sqrt(d.x * d.x + d.y * d.y / 0.3f + d.z * d.z / 0.22f);  // a low, long canopy
  });
  AddBox(shuttle, {-170, -85, kDividerTop}, {170, 85, kDividerTop + 50}, metal, 150);
  AddBox(shuttle, {-160, -88, kDividerTop + 22}, {160, 88, kDividerTop + 34}, panels, 150);
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
