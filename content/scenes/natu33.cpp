// natu33.3ds: the last nature scene. Evening calm: a wide lake under the
// low sun between dark wooded headlands; the camera drifts out over the
// water and rises towards the sun.
#include <algorithm>
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "tools/content/raster.h"

namespace {

constexpr float kLand = 9000;

float Shore(float x, float y) {
  const float headlands = (Fbm(x / 2000 + 5, y / 2000 + 5, 64, 4, 37) - 0.35f) * 1400;
  const float valley = std::min(1.0f, std::fabs(x) / 5000 + std::max(0.0f, -y) / 9000);
  return headlands * valley - 80 + 500 * std::max(0.0f, -y - 4000) / 5000;
}

}  // namespace

Scene Natu33() {
  Scene scene;
  scene.last_frame = 500;
  const uint16_t grass = scene.AddMaterial(Textured("ruoho", "ruoho.jpg"));
  const uint16_t rock = scene.AddMaterial(Textured("kivi", "kivi.jpg"));
  const uint16_t water = scene.AddMaterial(Textured("vesi", "vesi.jpg", false, 80));

  AddGrid(scene.AddMesh("Box09"), -kLand, -kLand, kLand, kLand, 50, 50, Shore,
          [&](V3 a, V3 b, V3 c) { return Normalized(Cross(b - a, c - a)).z < 0.8f ? rock : grass; }, 700);
  AddGrid(scene.AddMesh("Box15"), -kLand, -kLand, kLand, kLand, 8, 8, [](float, float) { return 0.0f; },
          [&](V3, V3, V3) { return water; }, 900);
  scene.lights.push_back({"Omni", {0, 8000, 1500}, 1.0f, 0.7f, 0.4f, {}});

  std::vector<CameraStop> path{
      {0, {0, -3500, 160}, {0, 2000, 120}, 55},
      {170, {-300, -1800, 120}, {200, 3000, 160}, 52, -3},
      {340, {100, -400, 220}, {0, 4000, 300}, 50, 2},
      {500, {0, 600, 600}, {0, 6000, 700}, 55},
  };
  KeepAbove(path, [](float x, float y) { return std::max(0.0f, Shore(x, y)); }, 100);
  AddCamera(scene, path);
  return scene;
}
