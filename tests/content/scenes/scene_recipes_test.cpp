// Scene recipes: one texture per object, split meshes keep their geometry, cameras keep clear of the meshes.
#include <gtest/gtest.h>

#include "content/scenes/scene_kit.h"
#include "content/scenes/scenes.h"

namespace {

TEST(OneTexturePerMesh, MovesEachOtherMaterialIntoItsOwnMesh) {
  Scene scene;
  const uint16_t wood = scene.AddMaterial(Textured("lauta", "lauta.jpg"));
  const uint16_t rock = scene.AddMaterial(Textured("kivi", "kivi.jpg"));
  Mesh& box = scene.AddMesh("Box1");
  box.origin = {5, 6, 7};
  AddBox(box, {0, 0, 0}, {10, 20, 30}, wood, 10);
  AddBox(box, {100, 0, 0}, {110, 20, 30}, rock, 10);
  AddBox(box, {200, 0, 0}, {210, 20, 30}, wood, 10);
  AddCamera(scene, {{0, {0, -100, 0}, {0, 0, 0}}});
  const Scene split = OneTexturePerMesh(scene);
  ASSERT_EQ(split.meshes.size(), 2u);
  const Mesh &first = split.meshes[0], &second = split.meshes[1];
  EXPECT_EQ(first.name + " " + second.name, "Box1 Box1_kivi");
  EXPECT_EQ(first.faces.size(), 24u);
  EXPECT_EQ(second.faces.size(), 12u);
  EXPECT_EQ(first.points.size(), 48u);  // unused points are dropped
  EXPECT_EQ(second.points.size(), 24u);
  EXPECT_FLOAT_EQ(second.origin.z, 7);
  for (const Mesh* mesh : {&first, &second})
    for (const Triangle& f : mesh->faces) {
      EXPECT_EQ(f.material, mesh == &second ? 1 : 0);
      for (uint16_t i : {f.a, f.b, f.c}) EXPECT_EQ(mesh->points[i].x >= 100 && mesh->points[i].x <= 110, mesh == &second);
    }
}

TEST(OneTexturePerMesh, MeshesAddedLaterLeaveEarlierOnesValid) {
  Scene scene;
  Mesh& first = scene.AddMesh("first");
  for (int i = 0; i < 200; ++i) scene.AddMesh("m" + std::to_string(i));
  AddPoint(first, {1, 2, 3}, {0, 0});
  EXPECT_EQ(scene.meshes.front().points.size(), 1u);
}

TEST(DistanceToPath, MeasuresInTheGroundPlaneToTheNearestLeg) {
  const std::vector<CameraStop> path{{0, {0, 0, 100}, {}}, {10, {1000, 0, 500}, {}}, {20, {1000, 1000, 0}, {}}};
  EXPECT_FLOAT_EQ(DistanceToPath(path, {500, 300, -900}), 300);  // height does not count
  EXPECT_FLOAT_EQ(DistanceToPath(path, {1300, 600, 0}), 300);
  EXPECT_FLOAT_EQ(DistanceToPath(path, {-300, -400, 0}), 500);   // beyond the first stop
  EXPECT_FLOAT_EQ(DistanceToPath({{0, {7, 7, 7}, {}}}, {10, 11, 0}), 5);
}

const struct {
  const char* name;
  Scene (*recipe)();
} kRecipes[] = {{"natu11", Natu11},     {"natu22", Natu22},     {"natu33", Natu33},    {"kurppa", Kurppa},
                {"techno11", Techno11}, {"techno22", Techno22}, {"techno33", Techno33}};

TEST(SceneRecipes, CameraKeysStayClearOfEveryMeshPoint) {
  constexpr float kCameraClearance = 60;  // nearer, the near plane cuts through the mesh
  for (const auto& r : kRecipes) {
    const Scene scene = r.recipe();
    for (const Camera& camera : scene.cameras)
      for (const Key<V3>& key : camera.position)
        for (const Mesh& mesh : scene.meshes)
          for (const V3& p : mesh.points)
            ASSERT_GT(Length(p - key.value), kCameraClearance)
                << r.name << ": camera key at frame " << key.frame << " touches " << mesh.name;
  }
}

// Objects that the parts turn or swing must not be split, or their pieces would stay behind.
TEST(SceneRecipes, MovingObjectsAreMadeOfOneMaterial) {
  for (const auto& [recipe, object] : std::vector<std::pair<Scene (*)(), const char*>>{
           {Techno22, "Cylinder21"}, {Techno22, "Cylinder22"}, {Techno22, "Cylinder23"}, {Techno11, "tarzan"}}) {
    const Scene scene = recipe();
    const Mesh* mesh = scene.FindMesh(object);
    ASSERT_NE(mesh, nullptr) << object;
    for (const Triangle& f : mesh->faces) ASSERT_EQ(f.material, mesh->faces[0].material) << object;
  }
}

}  // namespace
