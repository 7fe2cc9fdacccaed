// kurppa.3ds: one small bird for the flocks. Beak along +z, back along +y,
// wings spread along x over about 600 units.
#include "content/scenes/scene_kit.h"

Scene Kurppa() {
  Scene scene;
  const uint16_t feathers = scene.AddMaterial(Textured("sulka", "sulka.jpg", true));
  Mesh& bird = scene.AddMesh("kurppa");
  // Body: a sphere stretched along z, slightly flattened.
  AddSphere(bird, {0, 0, 0}, 40, 6, 8, feathers, [](V3 d) { return 1.0f + 1.2f * d.z * d.z - 0.2f * d.y * d.y; });
  AddSphere(bird, {0, 18, 85}, 24, 5, 8, feathers);          // head
  AddTube(bird, {0, 16, 104}, {0, 14, 150}, 7, 0.5f, 6, feathers, false, 50);  // beak
  // Wings: broad, swept back and raised in a shallow V, so that the bird
  // still shows its wings when seen almost level from afar.
  for (float side : {-1.0f, 1.0f}) {
    const V3 root_front{side * 20, 8, 45}, root_back{side * 20, 8, -50};
    const V3 tip_front{side * 300, 110, -30}, tip_back{side * 280, 110, -110};
    if (side > 0)
      AddQuad(bird, {root_front, root_back, tip_back, tip_front}, {{0, 0}, {0, 1}, {1, 1}, {1, 0}}, feathers);
    else
      AddQuad(bird, {root_back, root_front, tip_front, tip_back}, {{0, 1}, {0, 0}, {1, 0}, {1, 1}}, feathers);
  }
  // Tail fan.
  AddQuad(bird, {{-10, 5, -70}, {10, 5, -70}, {30, 5, -140}, {-30, 5, -140}}, {{0, 0}, {1, 0}, {1, 1}, {0, 1}},
          feathers);
  return scene;
}
