// natu11.3ds: the first nature scene. A round lake in a bowl of hills at
// sunset, a pier with posts and rails, shore bushes, rocks, four trees and
// spruces on the slopes;
// the camera glides low over the water towards the sun and round the pier.
#include <algorithm>
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "maths/pi.h"
#include "tools/content/raster.h"

namespace {

constexpr float kLake = 600;       // half size of the water grid
constexpr float kWaterStep = 25;   // ripple grid spacing
constexpr float kVeil = 1.5f;      // the mirror's surface above the still water
constexpr float kBedHidden = -12;  // lake bed deeper than the ripples' troughs
constexpr float kLand = 4600;      // half size of the terrain
constexpr int kLandCells = 44;
constexpr float kCrest = 3000;     // radius of the hills' crest round the lake
constexpr float kFall = 400;       // how far the land falls beyond it, above the lake bed
constexpr float kGroundTile = 128;  // file units per repeat of grass and rock: fine up close
constexpr float kPierY = -520;     // pier runs from the south shore north
constexpr float kPierTipY = -250;

float Smoothstep(float a, float b, float x) {
  const float t = std::clamp((x - a) / (b - a), 0.0f, 1.0f);
  return t * t * (3 - 2 * t);
}

// Ground height: a lake bed below the water, shores rising to hills. Beyond
// their crest the land falls away out of sight, so that the skyline is land
// the fog has not yet swallowed, darker than the sky behind it.
float Ground(float x, float y) {
  const float r = std::sqrt(x * x + y * y);
  const float beyond = Smoothstep(kCrest, kLand, r);
  const float bowl = -45 + 95 * Smoothstep(380, 760, r) + 420 * Smoothstep(900, 3800, r) - kFall * beyond;
  const float hills = (Fbm(x / 1400 + 8, y / 1400 + 8, 64, 4, 7) - 0.5f) * 700 * Smoothstep(900, 2500, r) * (1 - beyond);
  return bowl + hills;
}

V3 OnGround(float x, float y, float above) { return {x, y, Ground(x, y) + above}; }

}  // namespace

Scene Natu11() {
  Scene scene;
  scene.last_frame = 705;
  const uint16_t grass = scene.AddMaterial(Textured("ruoho", "ruoho.jpg"));
  const uint16_t rock = scene.AddMaterial(Textured("kivi", "kivi.jpg"));
  const uint16_t water = scene.AddMaterial(Textured("vesi", "vesi.jpg", false, 60));
  const uint16_t wood = scene.AddMaterial(Textured("lauta", "lauta.jpg"));
  const uint16_t fence = scene.AddMaterial(Textured("aita", "aita.jpg", true));
  const uint16_t leaves = scene.AddMaterial(Textured("lehvat", "puutex2.jpg", true));
  const uint16_t reeds = scene.AddMaterial(Textured("kaisla", "kaisla.jpg", true));
  const uint16_t flowers = scene.AddMaterial(Textured("kukka", "kukka.jpg", true));
  const uint16_t spruce = scene.AddMaterial(Textured("havu", "havu.jpg"));

  Mesh& land = scene.AddMesh("Maasto");
  // No lake bed where the water always covers it: those pixels would be
  // drawn only to be drawn over.
  AddGrid(land, -kLand, -kLand, kLand, kLand, kLandCells, kLandCells, Ground,
          [&](V3 a, V3 b, V3 c) {
            if (std::max({a.z, b.z, c.z}) < kBedHidden) return kNoFace;
            return Normalized(Cross(b - a, c - a)).z < 0.8f ? rock : grass;
          }, kGroundTile);

  const int cells = int(2 * kLake / kWaterStep);
  AddGrid(scene.AddMesh("WaterPlane"), -kLake, -kLake, kLake, kLake, cells, cells, [](float, float) { return 0.0f; },
          [&](V3, V3, V3) { return water; }, 300);


  // Pier: a plank deck on four posts, with fence rails on both sides.
  AddBox(scene.AddMesh("Laituri"), {-45, kPierY - 300, 18}, {45, kPierTipY, 26}, wood, 90);
  const char* posts[] = {"tolpa", "tolpa01", "tolpa02", "tolpa03"};
  for (int i = 0; i < 4; ++i) {
    const float x = (i % 2 ? 40.f : -40.f), y = i < 2 ? kPierTipY - 10 : kPierY + 40;
    AddTube(scene.AddMesh(posts[i]), {x, y, -50}, {x, y, 50}, 7, 6, 8, wood, true, 60);
  }
  const char* rails[] = {"Box108", "Box109", "Box110", "Box111", "Box112"};
  for (int i = 0; i < 5; ++i) {
    const float y0 = kPierY - 300 + 120.f * float(i / 2 * 2), side = i % 2 ? 44.f : -44.f;
    if (i == 4) {  // across the end of the pier
      AddCard(scene.AddMesh(rails[i]), {0, kPierTipY, 26}, {44, 0, 0}, 40, {0, 1}, {1, 0}, fence);
      continue;
    }
    AddCard(scene.AddMesh(rails[i]), {side, y0 + 115, 26}, {0, 115, 0}, 40, {0, 1}, {2, 0}, fence);
  }

  // Fifteen frames a second: 705 frames for the part's 47 seconds.
  std::vector<CameraStop> path{
      {0, {-250, -1100, 120}, {0, -100, 30}, 55},
      {120, {-430, -800, 80}, {200, 400, 30}, 52},
      {240, {-200, -150, 80}, {300, 900, 120}, 50, -3},
      {360, {300, 250, 70}, {900, -100, 70}, 50, 3},
      {480, {420, -380, 90}, {-120, -560, 30}, 50},
      {600, {160, -650, 150}, {-300, 200, 20}, 50},
      {705, {0, -300, 160}, {0, 1500, 150}, 55},
  };
  // Shore bushes: leaf cards in stars of three round the lake, leaving open the
  // south-west shore where the camera comes in and the pier's root.
  Mesh& bushes = scene.AddMesh("Box11");
  for (int i = 0; i < 14; ++i) {
    const float a = 0.45f * float(i) + 0.2f * Hash01(i, 0, 3), r = 600 + 120 * Hash01(i, 1, 3);
    if (a > 3.9f && a < 4.95f) continue;
    const V3 base = OnGround(r * std::cos(a), r * std::sin(a), -5);
    if (DistanceToPath(path, base) < 150) continue;
    const float size = 50 + 40 * Hash01(i, 2, 3);
    // Three cards a third of a turn apart, never all edge-on; their map stays
    // inside the leaf half so no bark bleeds in at the edges.
    for (int k = 0; k < 3; ++k) {
      const float turn = a + 1.0471976f * float(k);
      AddCard(bushes, base, {size * std::cos(turn), size * std::sin(turn), 0}, size * 1.4f, {0.53f, 1}, {0.97f, 0}, leaves);
    }
  }

  // Templates that the part scatters: a clump of reeds and a flower.
  AddCard(scene.AddMesh("Quad01"), {0, -640, 0}, {25, 0, 0}, 70, {0, 1}, {1, 0}, reeds);
  AddCard(scene.AddMesh("Quad02"), OnGround(200, -800, 0), {10, 0, 0}, 20, {0, 1}, {1, 0}, flowers);

  // Boulders on the shore.
  const V3 boulders[] = {OnGround(-760, -260, -10), OnGround(640, 420, -10), OnGround(120, 780, -12)};
  const char* boulder_names[] = {"GeoSphere1", "GeoSphere2", "GeoSphere3"};
  for (int i = 0; i < 3; ++i)
    AddSphere(scene.AddMesh(boulder_names[i]), boulders[i], 40 + 12.f * float(i), 7, 10, rock, [i](V3 d) {
      return 0.8f + 0.35f * Fbm(d.x * 2 + 4, d.y * 2 + d.z * 3 + 4, 16, 3, 17 + uint32_t(i)) - (d.z < 0 ? 0.2f : 0);
    });

  const V3 trees[] = {OnGround(-820, 380, 0), OnGround(-420, 860, 0), OnGround(860, -120, 0), OnGround(520, -820, 0)};
  const char* tree_names[] = {"Tree0", "Tree1", "Tree2", "Tree3"};
  for (int i = 0; i < 4; ++i) AddPlaceholder(scene, tree_names[i], trees[i], leaves);

  // Dark spruces on the slopes beyond the shore, clear of the camera.
  Mesh& forest = scene.AddMesh("Metsa");
  for (int i = 0; i < 32; ++i) {
    const float a = kTwoPi * Hash01(i, 0, 5), r = 1150 + 1300 * Hash01(i, 1, 5);
    const V3 root = OnGround(r * std::cos(a), r * std::sin(a), -10);
    if (DistanceToPath(path, root) < 500) continue;
    AddSpruce(forest, root, 200 + 160 * Hash01(i, 2, 5), spruce);
  }

  // Omni03 is the low sun behind the lake, high enough to light the slopes;
  // Omni05 is a red lantern at the pier's end.
  scene.lights.push_back({"Omni03", {-1500, 4000, 2600}, 1.0f, 0.78f, 0.55f, {}});
  scene.lights.push_back({"Omni05", {0, kPierTipY + 20, 80}, 1.0f, 0.2f, 0.1f, {}});

  // The lake mirror, last so that its surface veils everything reflected
  // before it. Its first three points span the water's rest plane (a speck
  // hidden under the shore); its surface floats a little above the water, so
  // that it never fights the water for depth, only the ripples' crests rise
  // through it, and it is never cut by the plane it reflects in.
  Mesh& mirror = scene.AddMesh("Box15");
  const V3 corner{-kLake, -kLake, 0};
  AddFace(mirror, AddPoint(mirror, corner, {0, 0}), AddPoint(mirror, corner + V3{8, 0, 0}, {0, 0}),
          AddPoint(mirror, corner + V3{0, 8, 0}, {0, 0}), water);
  // In cells, so that the light on it shades smoothly.
  AddGrid(mirror, -kLake, -kLake, kLake, kLake, 8, 8, [](float, float) { return kVeil; },
          [&](V3, V3, V3) { return water; }, 400);

  KeepAbove(path, Ground, 70);
  AddCamera(scene, path);
  return scene;
}
