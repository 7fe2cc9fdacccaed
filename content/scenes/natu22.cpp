// natu22.3ds: the second nature scene. A meadow on a gentle slope with a
// round pond, a footbridge on posts, a boathouse and boulders by the water,
// a row of eight trees beyond and spruces on the hills; birds circle above
// the pond.
#include <algorithm>
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "tools/content/raster.h"

namespace {

constexpr float kLand = 9000;
constexpr float kPond = 900;  // half size of the water square
constexpr float kGroundTile = 180;  // file units per repeat of grass and rock: fine up close
// The pond's water level: the flock wheels at 20 to 190 units over the
// origin, so the land lies well below it and the birds fly against the sky.
constexpr float kWater = -250;

float Smoothstep(float a, float b, float x) {
  const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Rolling meadow rising to the north; a round pond whose banks stand above
// the water before the corners of the water square.
float Meadow(float x, float y) {
  const float r = std::sqrt(x * x + y * y);
  const float slope = y * 0.06f;
  const float rolls = (Fbm(x / 2500 + 3, y / 2500 + 3, 64, 4, 27) - 0.5f) * 900;
  const float pond = -70 + 110 * Smoothstep(560, 860, r);
  return kWater + pond + (slope + rolls) * Smoothstep(860, 2400, r);
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
  const uint16_t spruce = scene.AddMaterial(Textured("havu", "havu.jpg"));
  const uint16_t reeds = scene.AddMaterial(Textured("kaisla", "kaisla.jpg", true));
  const uint16_t flowers = scene.AddMaterial(Textured("kukka", "kukka.jpg", true));

  AddGrid(scene.AddMesh("Box"), -kLand, -kLand, kLand, kLand, 48, 48, Meadow,
          [&](V3 a, V3 b, V3 c) { return Normalized(Cross(b - a, c - a)).z < 0.85f ? rock : grass; }, kGroundTile);
  // Cells small enough for the sun's path in the sky that the water maps per vertex.
  AddGrid(scene.AddMesh("Box09"), -kPond, -kPond, kPond, kPond, 20, 20, [](float, float) { return kWater; },
          [&](V3, V3, V3) { return water; }, 400);

  // Footbridge over the pond: deck on posts, with rails on posts.
  Mesh& bridge = scene.AddMesh("Box15");
  auto plank = [&](V3 lo, V3 hi) { AddBox(bridge, lo + V3{0, 0, kWater}, hi + V3{0, 0, kWater}, wood, 120); };
  plank({-1000, -60, 30}, {1000, 60, 45});
  for (int i = 0; i <= 8; ++i) {
    const float x = -1000 + 250.f * float(i);
    for (float y : {-56.f, 56.f}) {
      plank({x - 8, y - 8, -80}, {x + 8, y + 8, 30});  // piles
      plank({x - 6, y - 6, 45}, {x + 6, y + 6, 115});  // rail posts
    }
  }
  plank({-1000, -64, 110}, {1000, -50, 122});
  plank({-1000, 50, 110}, {1000, 64, 122});

  // A boathouse on the west bank: plank walls under a pitched roof.
  Mesh& house = scene.AddMesh("Vaja");
  const V3 lo{-1250, 500, Meadow(-1100, 650) - 20}, hi{-950, 800, lo.z + 220};
  AddBox(house, lo, hi, wood, 150);
  const V3 ridge0{lo.x - 20, (lo.y + hi.y) / 2, hi.z + 130}, ridge1{hi.x + 20, (lo.y + hi.y) / 2, hi.z + 130};
  AddQuad(house, {{hi.x + 20, lo.y - 30, hi.z}, ridge1, ridge0, {lo.x - 20, lo.y - 30, hi.z}},
          {{0, 1}, {2, 1}, {2, 0}, {0, 0}}, wood);
  AddQuad(house, {{lo.x - 20, hi.y + 30, hi.z}, ridge0, ridge1, {hi.x + 20, hi.y + 30, hi.z}},
          {{0, 1}, {2, 1}, {2, 0}, {0, 0}}, wood);

  Mesh& boulders = scene.AddMesh("Kivet");
  for (int i = 0; i < 9; ++i) {
    const float a = 0.7f * float(i) + 0.3f * Hash01(i, 0, 28), r = 780 + 120 * Hash01(i, 1, 28);
    const V3 at{r * std::cos(a), r * std::sin(a), Meadow(r * std::cos(a), r * std::sin(a)) - 10};
    if (std::fabs(at.y) < 200) continue;  // the bridge lands here
    AddSphere(boulders, at, 35 + 40 * Hash01(i, 2, 28), 5, 8, rock,
              [i](V3 d) { return 0.8f + 0.4f * Fbm(d.x * 2 + 4, d.y * 2 + d.z * 3 + 4, 16, 3, 30 + uint32_t(i)); });
  }

  // Templates that the part scatters: reeds round the pond, flowers in the meadow.
  AddCard(scene.AddMesh("Quad01"), {0, -800, kWater}, {25, 0, 0}, 70, {0, 1}, {1, 0}, reeds);
  AddCard(scene.AddMesh("Quad02"), {0, -1200, Meadow(0, -1200)}, {10, 0, 0}, 20, {0, 1}, {1, 0}, flowers);

  const char* trees[] = {"tree01", "tree02", "tree03", "tree04", "tree05", "tree06", "tree07", "tree08"};
  for (int i = 0; i < 8; ++i) {
    const float x = -2800 + 800.f * float(i), y = 1700 + 500 * Hash01(i, 0, 29);
    AddPlaceholder(scene, trees[i], {x, y, Meadow(x, y)}, bark);
  }
  Mesh& forest = scene.AddMesh("Metsa");
  for (int i = 0; i < 60; ++i) {
    const float x = -6000 + 12000 * Hash01(i, 1, 31), y = 2900 + 4000 * Hash01(i, 2, 31);
    AddSpruce(forest, {x, y, Meadow(x, y) - 10}, 320 + 260 * Hash01(i, 3, 31), spruce);
  }
  scene.lights.push_back({"Omni", {-3000, 6000, 3500}, 1.0f, 0.8f, 0.55f, {}});

  // From the south-west corner of the meadow, in along the pond and under
  // the birds, turning towards the row of trees.
  std::vector<CameraStop> path{
      {0, {-1700, -1500, -90}, {0, 300, -40}, 55},
      {100, {-900, -950, -110}, {300, 900, 60}, 52},
      {200, {100, -550, -120}, {-200, 1500, 120}, 50},
      {300, {1000, -550, -90}, {-600, 1800, 200}, 50},
  };
  KeepAbove(path, Meadow, 120);
  AddCamera(scene, path);
  return scene;
}
