// techno22.3ds: the peak machine scene. A chamber round the origin where
// twenty metaballs swim (drawn by the part) inside a rising and sinking
// ring; two pools of liquid chrome ripple on either side in steel rims,
// three rotors turn overhead, hung from a gantry, machine towers banded with
// light stand in a ring, and neon block letters hang on a plated sign before
// the blue-lit wall.
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "content/scenes/text_mesh.h"
#include "maths/pi.h"

namespace {

constexpr float kFloor = -420, kPool = -380, kStep = 25;
constexpr float kWallRadius = 2500, kWallTop = 1800;
constexpr int kWallSides = 24;
// The ring rail's sweep: from below the metaballs to above them in this
// many 3DS frames, and back.
constexpr float kRingLow = -320, kRingHigh = 240;
constexpr uint32_t kRingSweepFrames = 140;
// The rotors' gantry: its beams' depth under the wall's top, half their
// width, and how far they reach from the centre, into the wall.
constexpr float kBeamBottom = kWallTop - 120, kBeamHalfWidth = 55, kGantryReach = 2470;
// The light's circle overhead, one key every kLightKeyFrames.
constexpr float kLightRadius = 1300, kLightHeight = 1200;
constexpr uint32_t kLightKeyFrames = 75, kLightKeysPerTurn = 8;

// A steel frame round the pool rectangle [x0, x1] x [y0, y1].
void AddRim(Mesh& mesh, float x0, float y0, float x1, float y1, uint16_t material) {
  constexpr float w = 60, top = kPool + 30;
  AddBox(mesh, {x0 - w, y0 - w, kFloor}, {x1 + w, y0, top}, material, 300);
  AddBox(mesh, {x0 - w, y1, kFloor}, {x1 + w, y1 + w, top}, material, 300);
  AddBox(mesh, {x0 - w, y0, kFloor}, {x0, y1, top}, material, 300);
  AddBox(mesh, {x1, y0, kFloor}, {x1 + w, y1, top}, material, 300);
}

}  // namespace

Scene Techno22() {
  Scene scene;
  scene.last_frame = 1125;
  const uint16_t metal = scene.AddMaterial(Machine().metal);
  const uint16_t panels = scene.AddMaterial(Machine().panels);
  const uint16_t chrome = scene.AddMaterial(Machine().chrome);
  const uint16_t neon = scene.AddMaterial(Machine().neon);
  const uint16_t grating = scene.AddMaterial(Machine().grating);
  const uint16_t walls = scene.AddMaterial(Machine().walls);

  // Backdrop: a ring wall round the chamber, light panels over riveted
  // plates, seen from inside.
  Mesh& back = scene.AddMesh("background");
  Mesh& plates = scene.AddMesh("Seina");
  for (int i = 0; i < kWallSides; ++i) {
    const float a0 = 2 * kPi * float(i) / kWallSides, a1 = 2 * kPi * float(i + 1) / kWallSides;
    const V3 a{kWallRadius * std::cos(a0), kWallRadius * std::sin(a0), 0};
    const V3 b{kWallRadius * std::cos(a1), kWallRadius * std::sin(a1), 0};
    AddWallPanel(back, a, b, 100, 1300, {2, 2.4f}, panels);
    AddWallPanel(plates, a, b, kFloor, 100, {2, 1}, walls);
    AddWallPanel(plates, a, b, 1300, kWallTop, {2, 1}, walls);
  }
  AddGrid(scene.AddMesh("Lattia"), -kWallRadius, -kWallRadius, kWallRadius, kWallRadius, 8, 8,
          [](float, float) { return kFloor; }, [&](V3, V3, V3) { return grating; }, 800);

  // The title in neon letters on a plated sign before the wall.
  AddBlockText(scene.AddMesh("spa_text"), "DUSK MACHINE", 14, {0, 2000, 650}, 18, 45, neon);
  AddBox(scene.AddMesh("Kyltti"), {-1250, 2045, 450}, {1250, 2085, 1000}, walls, 350);

  // The two ripple surfaces, gridded finely for the waves, in steel rims.
  AddGrid(scene.AddMesh("Box32"), -1500, -500, -500, 500, int(1000 / kStep), int(1000 / kStep),
          [](float, float) { return kPool; }, [&](V3, V3, V3) { return chrome; }, 500);
  AddGrid(scene.AddMesh("Box221"), 500, -500, 1500, 500, int(1000 / kStep), int(1000 / kStep),
          [](float, float) { return kPool; }, [&](V3, V3, V3) { return chrome; }, 500);
  Mesh& rims = scene.AddMesh("Reunat");
  AddRim(rims, -1500, -500, -500, 500, metal);
  AddRim(rims, 500, -500, 1500, 500, metal);

  // A ring rail round the metaballs that rises through them and sinks back,
  // slowly, like a scanner; its frame sits at the ring's centre.
  Mesh& line = scene.AddMesh("Line01");
  line.origin = {0, 0, kRingLow};
  for (uint32_t frame = 0, k = 0; frame <= 1125; frame += kRingSweepFrames, ++k)
    line.path.push_back({frame, {0, 0, k % 2 ? kRingHigh : kRingLow}});
  for (int i = 0; i < 24; ++i) {
    const float a0 = 2 * kPi * float(i) / 24, a1 = 2 * kPi * float(i + 1) / 24;
    AddTube(line, {420 * std::cos(a0), 420 * std::sin(a0), kRingLow}, {420 * std::cos(a1), 420 * std::sin(a1), kRingLow}, 12,
            12, 6, metal, false, 200);
  }

  // Machine towers in a ring, numbered from 1: a plated base, a band of
  // light, a steel upper block and a chrome cap.
  // The one in front of the sign's left half stays short, so that the title
  // reads whole from the first camera.
  const float tower_heights[8] = {850, 500, 1200, 850, 1200, 500, 850, 1200};
  for (int i = 1; i <= 8; ++i) {
    const float a = 2 * kPi * float(i) / 8 + 0.39f, r = 2000;
    const V3 c{r * std::cos(a), r * std::sin(a), kFloor};
    const float h = tower_heights[i - 1];
    AddTower(scene.AddMesh("Box" + std::to_string(i)), c, 220, 220, h, {walls, panels, metal, chrome});
  }

  // Three rotors overhead, all chrome so each stays one object that turns
  // whole; each frame sits at its hub.
  const V3 hubs[3] = {{-900, 600, 900}, {0, 900, 1100}, {900, 600, 900}};
  for (int i = 0; i < 3; ++i) {
    Mesh& rotor = scene.AddMesh("Cylinder2" + std::to_string(i + 1));
    rotor.origin = hubs[i];
    AddTube(rotor, hubs[i] - V3{0, 0, 50}, hubs[i] + V3{0, 0, 50}, 90, 90, 12, chrome, true, 300);
    for (int blade = 0; blade < 4; ++blade) {
      const float a = kPi / 2 * float(blade);
      const V3 dir{std::cos(a), std::sin(a), 0}, side{-std::sin(a), std::cos(a), 0};
      const V3 root = hubs[i] + dir * 80, tip = hubs[i] + dir * 420;
      AddQuad(rotor, {root - side * 40, tip - side * 70, tip + side * 70 + V3{0, 0, 12}, root + side * 40 + V3{0, 0, 12}},
              {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, chrome);
      AddQuad(rotor, {root + side * 40 + V3{0, 0, 12}, tip + side * 70 + V3{0, 0, 12}, tip - side * 70, root - side * 40},
              {{0, 1}, {1, 1}, {1, 0}, {0, 0}}, chrome);
    }
  }
  // The gantry the rotors hang from: a beam across the hall over the two
  // outer hubs, a second from it to the wall over the middle one, both
  // resting on the wall's top, and a shaft down to each hub.
  Mesh& gantry = scene.AddMesh("Kisko");
  AddBox(gantry, {-kGantryReach, hubs[0].y - kBeamHalfWidth, kBeamBottom},
         {kGantryReach, hubs[0].y + kBeamHalfWidth, kWallTop}, metal, 300);
  AddBox(gantry, {-kBeamHalfWidth, hubs[0].y + kBeamHalfWidth, kBeamBottom},
         {kBeamHalfWidth, kGantryReach, kWallTop}, metal, 300);
  for (const V3& hub : hubs) AddTube(gantry, hub + V3{0, 0, 50}, {hub.x, hub.y, kBeamBottom}, 24, 24, 8, metal, false, 300);

  // One cold light circling overhead, so the chrome's highlights wander:
  // the show has eight lights for all of its scenes.
  Light omni{"Omni", {kLightRadius, 0, kLightHeight}, 0.8f, 0.9f, 1.0f, {}};
  for (uint32_t k = 0; k * kLightKeyFrames <= 1125; ++k) {
    const float a = 2 * kPi * float(k) / kLightKeysPerTurn;
    omni.path.push_back({k * kLightKeyFrames, {kLightRadius * std::cos(a), kLightRadius * std::sin(a), kLightHeight}});
  }
  scene.lights.push_back(omni);

  std::vector<CameraStop> path;
  for (int k = 0; k <= 9; ++k) {
    const float a = -1.57f + 0.62f * float(k), r = 1100 - 250 * std::cos(float(k) * 0.9f);
    path.push_back({uint32_t(k * 125), {r * std::cos(a), r * std::sin(a), 150 + 220 * std::sin(float(k) * 1.1f)},
                    {0, 0, float(k % 2) * 80}, 60, 0});
  }
  AddCamera(scene, path);
  return scene;
}
