// natu33.3ds: the last nature scene. Evening calm: a lake under the low
// sun between dark headlands of spruce, with a rocky island; the camera
// drifts out past the island over the water and rises towards the sun.
#include <algorithm>
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "tools/content/raster.h"

namespace {

constexpr float kLand = 9000;
constexpr V3 kIsland{650, 2300, 0};
constexpr float kIslandRadius = 520;
// The lake's level: the flock wheels about 100 to 200 units over the origin,
// so the water lies well below it and the birds cross the sky.
constexpr float kWater = -150;
// Where the water is finely gridded (x from, x to, y from, y to) and how finely.
constexpr float kFineWater[] = {-1700, 1300, -3500, 7000};
constexpr float kFineCell = 125;

// Headlands rise beyond a lake about 2400 units wide; the shore behind the
// camera closes the lake to the south.
float Shore(float x, float y) {
  const float headlands = (Fbm(x / 2000 + 5, y / 2000 + 5, 64, 4, 37) - 0.35f) * 1400;
  const float valley = std::min(1.0f, std::max(0.0f, std::fabs(x) - 1200) / 1800 + std::max(0.0f, -y - 3800) / 3000);
  return kWater + headlands * valley - 80 + 500 * std::max(0.0f, -y - 4500) / 4500;
}

// The island: a low dome of rock and grass.
float Island(float x, float y) {
  const float d = std::hypot(x - kIsland.x, y - kIsland.y) / kIslandRadius;
  const float lumps = (Fbm(x / 300 + 2, y / 300 + 2, 32, 3, 38) - 0.5f) * 60;
  return kWater + 150 * (1 - d * d) + lumps - 20;
}

}  // namespace

Scene Natu33() {
  Scene scene;
  scene.last_frame = 500;
  const uint16_t grass = scene.AddMaterial(Textured("ruoho", "ruoho.jpg"));
  const uint16_t rock = scene.AddMaterial(Textured("kivi", "kivi.jpg"));
  const uint16_t water = scene.AddMaterial(Textured("vesi", "vesi.jpg", false, 80));
  const uint16_t spruce = scene.AddMaterial(Textured("havu", "havu.jpg"));

  AddGrid(scene.AddMesh("Box09"), -kLand, -kLand, kLand, kLand, 50, 50, Shore,
          [&](V3 a, V3 b, V3 c) { return Normalized(Cross(b - a, c - a)).z < 0.8f ? rock : grass; }, 500);
  // The sky is mapped on the water per vertex, and the sun's path under the
  // middle of the window spans few pixels: fine cells where the camera
  // looks along the lake, coarse ones over the rest.
  std::vector<float> across{-kLand, -5000}, along{-kLand, -6000};
  for (float x = kFineWater[0]; x <= kFineWater[1]; x += kFineCell) across.push_back(x);
  for (float y = kFineWater[2]; y <= kFineWater[3]; y += 2 * kFineCell) along.push_back(y);
  across.insert(across.end(), {5000, kLand});
  along.push_back(kLand);
  AddPlane(scene.AddMesh("Box15"), across, along, kWater, water, 800);

  // The island, its boulders and a few spruces.
  AddGrid(scene.AddMesh("Saari"), kIsland.x - kIslandRadius, kIsland.y - kIslandRadius, kIsland.x + kIslandRadius,
          kIsland.y + kIslandRadius, 16, 16, Island, [&](V3, V3, V3) { return rock; }, 250);
  Mesh& boulders = scene.AddMesh("Kivet");
  for (int i = 0; i < 7; ++i) {
    const float a = 0.9f * float(i), r = kIslandRadius * (0.75f + 0.2f * Hash01(i, 0, 39));
    const V3 at{kIsland.x + r * std::cos(a), kIsland.y + r * std::sin(a), kWater - 10};
    AddSphere(boulders, at, 40 + 50 * Hash01(i, 1, 39), 5, 8, rock,
              [i](V3 d) { return 0.8f + 0.4f * Fbm(d.x * 2 + 4, d.y * 2 + d.z * 3 + 4, 16, 3, 40 + uint32_t(i)); });
  }
  Mesh& forest = scene.AddMesh("Metsa");
  for (int i = 0; i < 5; ++i) {
    const float x = kIsland.x - 220 + 110 * float(i), y = kIsland.y + 120 * (Hash01(i, 0, 41) - 0.5f);
    AddSpruce(forest, {x, y, Island(x, y) - 5}, 260 + 160 * Hash01(i, 1, 41), spruce);
  }
  // Spruce silhouettes along both headlands, thinning out with distance.
  for (int i = 0; i < 70; ++i) {
    const float side = i % 2 ? 1.f : -1.f;
    const float y = -2500 + 11000 * Hash01(i, 2, 41);
    const float x = side * (1700 + 2600 * Hash01(i, 3, 41));
    const float ground = Shore(x, y);
    if (ground < kWater + 30) continue;  // no trees in the water
    AddSpruce(forest, {x, y, ground - 10}, 300 + 260 * Hash01(i, 4, 41), spruce);
  }
  scene.lights.push_back({"Omni", {-2000, 8000, 3200}, 1.0f, 0.75f, 0.5f, {}});

  std::vector<CameraStop> path{
      {0, {-600, -3300, 30}, {200, 2000, 410}, 55},
      {170, {-500, -1200, -10}, {650, 2300, 260}, 50, -3},
      {340, {-650, 1200, 50}, {300, 5000, 550}, 50, 2},
      {500, {-300, 2900, 370}, {0, 8000, 950}, 55},
  };
  KeepAbove(path, [](float x, float y) { return std::max({kWater, Shore(x, y), Island(x, y)}); }, 100);
  AddCamera(scene, path);
  return scene;
}
