// techno22.3ds: the peak machine scene. A dark chamber round the origin
// where twenty metaballs swim (drawn by the part); two pools of liquid
// chrome ripple on either side, three rotors turn overhead, machine blocks
// stand in a ring, and block letters glow on the blue-lit back wall.
#include <cmath>

#include "content/scenes/scene_kit.h"
#include "content/scenes/text_mesh.h"

namespace {

constexpr float kFloor = -420, kPool = -380, kStep = 25;

}  // namespace

Scene Techno22() {
  Scene scene;
  scene.last_frame = 1125;
  const uint16_t metal = scene.AddMaterial(Textured("metal7", "metal7.jpg", false, 60));
  const uint16_t panels = scene.AddMaterial(Textured("blue_spa", "blue_spa.jpg", false, 80));
  const uint16_t chrome = scene.AddMaterial(Textured("chromic", "chromic.jpg", false, 100));
  const uint16_t grating = scene.AddMaterial(Textured("ritila", "ritila.jpg", false, 40));
  const uint16_t walls = scene.AddMaterial(Textured("seina", "seina.jpg", false, 30));

  // Backdrop: an open cylinder of blue panels round the chamber, seen from inside.
  Mesh& back = scene.AddMesh("background");
  AddTube(back, {0, 0, 1800}, {0, 0, kFloor - 10}, 3200, 3200, 24, panels, false, 700);
  AddGrid(back, -3200, -3200, 3200, 3200, 8, 8, [](float, float) { return kFloor; },
          [&](V3, V3, V3) { return grating; }, 800);

  AddBlockText(scene.AddMesh("spa_text"), "DUSK MACHINE", 14, {0, 2600, 700}, 34, 60, chrome);

  // The two ripple surfaces, gridded finely for the waves.
  AddGrid(scene.AddMesh("Box32"), -1500, -500, -500, 500, int(1000 / kStep), int(1000 / kStep),
          [](float, float) { return kPool; }, [&](V3, V3, V3) { return chrome; }, 500);
  AddGrid(scene.AddMesh("Box221"), 500, -500, 1500, 500, int(1000 / kStep), int(1000 / kStep),
          [](float, float) { return kPool; }, [&](V3, V3, V3) { return chrome; }, 500);

  // A ring rail round the metaballs.
  Mesh& line = scene.AddMesh("Line01");
  for (int i = 0; i < 24; ++i) {
    const float a0 = 6.2831853f * float(i) / 24, a1 = 6.2831853f * float(i + 1) / 24;
    AddTube(line, {420 * std::cos(a0), 420 * std::sin(a0), -320}, {420 * std::cos(a1), 420 * std::sin(a1), -320}, 12,
            12, 6, metal, false, 200);
  }

  // Machine blocks in a ring, numbered from 1.
  for (int i = 1; i <= 8; ++i) {
    const float a = 6.2831853f * float(i) / 8 + 0.39f, r = 2300;
    const V3 c{r * std::cos(a), r * std::sin(a), kFloor};
    const float h = 500 + 350 * float(i % 3);
    Mesh& box = scene.AddMesh("Box" + std::to_string(i));
    AddBox(box, c - V3{220, 220, 0}, c + V3{220, 220, h}, walls, 400);
    AddBox(box, c + V3{-160, -160, h}, c + V3{160, 160, h + 60}, metal, 400);
  }

  // Three rotors overhead; each frame sits at its hub so it can turn.
  const V3 hubs[3] = {{-900, 600, 900}, {0, 900, 1100}, {900, 600, 900}};
  for (int i = 0; i < 3; ++i) {
    Mesh& rotor = scene.AddMesh("Cylinder2" + std::to_string(i + 1));
    rotor.origin = hubs[i];
    AddTube(rotor, hubs[i] - V3{0, 0, 40}, hubs[i] + V3{0, 0, 40}, 300, 300, 20, metal, true, 300);
    AddBox(rotor, hubs[i] - V3{420, 40, 30}, hubs[i] + V3{420, 40, 30}, chrome, 300);
  }
  scene.lights.push_back({"Omni", {0, -600, 1200}, 0.8f, 0.9f, 1.0f, {}});

  std::vector<CameraStop> path;
  for (int k = 0; k <= 9; ++k) {
    const float a = -1.57f + 0.62f * float(k), r = 1500 - 350 * std::cos(float(k) * 0.9f);
    path.push_back({uint32_t(k * 125), {r * std::cos(a), r * std::sin(a), 150 + 220 * std::sin(float(k) * 1.1f)},
                    {0, 0, float(k % 2) * 80}, 60, 0});
  }
  AddCamera(scene, path);
  return scene;
}
