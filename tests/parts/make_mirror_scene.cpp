// Writes a tiny 3DS scene to standard output for the scene-part tests: a red
// box standing on a grey floor "Floor", seen by "Camera01" from above and to
// the side. A program of its own: the content kit's scene types share names
// with the engine's, so the two never link into one binary.
#include <cstdio>

#include "tools/content/mesh_builders.h"
#include "tools/content/write_3ds.h"

int main() {
  Scene scene;
  const uint16_t grey = scene.AddMaterial({"floor", {60, 60, 60}, {90, 90, 90}, {0, 0, 0}, 10, "", false});
  const uint16_t red = scene.AddMaterial({"red", {200, 0, 0}, {255, 0, 0}, {0, 0, 0}, 10, "", false});
  AddQuad(scene.AddMesh("Floor"), {{-2000, -2000, 0}, {2000, -2000, 0}, {2000, 2000, 0}, {-2000, 2000, 0}},
          {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, grey);
  AddBox(scene.AddMesh("Box"), {-300, -300, 0}, {300, 300, 900}, red, 1000);
  scene.lights.push_back({"Omni", {0, -3000, 3000}, 1, 1, 1, {}});
  scene.cameras.push_back({"Camera01", {{0, {0, -4000, 1500}}}, {{0, {0, 0, 300}}}, {}, {}});
  const std::vector<uint8_t> bytes = Write3ds(scene);
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() ? 0 : 1;
}
