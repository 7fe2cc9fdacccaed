// natu22.3ds: the second nature scene. A meadow on a gentle slope with a
// pond, a footbridge and a row of eight trees; birds circle above the pond.
#include <algorithm>
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "tools/content/raster.h"

namespace {

constexpr float kLand = 9000;

float Meadow(float x, float y) {
  const float slope = y * 0.06f;
  const float rolls = (Fbm(x / 2500 + 3, y / 2500 + 3, 64, 4, 27) - 0.5f) * 900;
  const float r = std::sqrt(x * x + y * y);
  const float pond = r < 1200 ? -60 * (1 - r / 1200) : 0;
  return (slope + rolls) * std::clamp((r - 600) / 1400, 0.0f, 1.0f) + pond - 20;
}

}  // namespace

Scene Natu22() {
  Scene scene;
  scene.last_frame = 300;
  const uint16_t grass = scene.AddMaterial(Textured("ruoho", "ruoho.jpg"));
  const uint16_t rock = scene.AddMaterial(Textured("kivi", "kivi.jpg"));
  const uint16_t water = scene.AddMaterial(Textured("vesi", "vesi.jpg", false, 60));
  const uint16_t wood = scene.AddMaterial(Textured("lauta", "lauta.jpg"));
  const uint16_t bark = scene.AddMaterial(Textured("Puutex", "puutex2.jpg"));

  AddGrid(scene.AddMesh("Box"), -kLand, -kLand, kLand, kLand, 48, 48, Meadow,
          [&](V3 a, V3 b, V3 c) { return Normalized(Cross(b - a, c - a)).z < 0.85f ? rock : grass; }, 700);
  AddGrid(scene.AddMesh("Box09"), -900, -900, 900, 900, 6, 6, [](float, float) { return 0.0f; },
          [&](V3, V3, V3) { return water; }, 600);
  // Footbridge over the pond: deck and two rails.
  Mesh& bridge = scene.AddMesh("Box15");
  AddBox(bridge, {-1100, -60, 30}, {1100, 60, 45}, wood, 120);
  AddBox(bridge, {-1100, -62, 45}, {1100, -52, 110}, wood, 120);
  AddBox(bridge, {-1100, 52, 45}, {1100, 62, 110}, wood, 120);

  const char* trees[] = {"tree01", "tree02", "tree03", "tree04", "tree05", "tree06", "tree07", "tree08"};
  for (int i = 0; i < 8; ++i) {
    const float x = -2800 + 800.f * float(i), y = 1700 + 500 * Hash01(i, 0, 29);
    AddPlaceholder(scene, trees[i], {x, y, Meadow(x, y)}, bark);
  }
  scene.lights.push_back({"Omni", {-3000, 6000, 2500}, 1.0f, 0.75f, 0.5f, {}});

  std::vector<CameraStop> path{
      {0, {-2400, -3200, 350}, {0, 0, 200}, 55},
      {100, {-1200, -2400, 260}, {200, 600, 250}, 52},
      {200, {200, -1900, 220}, {0, 1200, 350}, 50},
      {300, {1500, -1300, 300}, {-300, 1500, 450}, 50},
  };
  KeepAbove(path, Meadow, 120);
  AddCamera(scene, path);
  return scene;
}
