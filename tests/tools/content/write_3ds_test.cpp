// Scenes written by Write3ds, read back by lib3ds.
#include "tools/content/write_3ds.h"

#include <lib3ds/camera.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/tools/files.h"
#include "tools/content/mesh_builders.h"

namespace {

Scene SampleScene() {
  Scene scene;
  scene.last_frame = 300;
  const uint16_t steel = scene.AddMaterial({"steel", {}, {200, 100, 50}, {}, 10, "metal7.jpg", true});
  Mesh& box = scene.AddMesh("Box1");
  box.origin = {100, 200, 300};
  AddBox(box, {90, 190, 290}, {110, 210, 310}, steel, 20);
  scene.lights.push_back({"Omni", {1, 2, 3}, 0.5f, 0.25f, 1.0f, {}});
  scene.cameras.push_back({"Camera01",
                           {{0, {0, -500, 100}}, {300, {500, 0, 100}}},
                           {{0, {0, 0, 0}}, {150, {10, 0, 0}}, {300, {0, 0, 50}}},
                           {},
                           {{0, 60}}});
  return scene;
}

int Keys(Lib3dsLin3Key* k) { return k ? 1 + Keys(k->next) : 0; }

TEST(Write3ds, MeshMaterialLightCameraAndKeyframesReadBackInLib3ds) {
  const Lib3ds file = ReadBack3ds(Write3ds(SampleScene()), "sample.3ds");
  ASSERT_TRUE(file);
  Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(file.get(), "Box1");
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->points, 24u);
  EXPECT_EQ(mesh->texels, 24u);
  ASSERT_EQ(mesh->faces, 12u);
  EXPECT_FLOAT_EQ(mesh->pointL[0].pos[0], 90);
  EXPECT_FLOAT_EQ(mesh->pointL[0].pos[2], 290);
  EXPECT_STREQ(mesh->faceL[0].material, "steel");
  EXPECT_FLOAT_EQ(mesh->matrix[3][0], 100);  // frame origin
  EXPECT_FLOAT_EQ(mesh->matrix[3][2], 300);
  EXPECT_FLOAT_EQ(mesh->matrix[0][0], 1);

  Lib3dsMaterial* mat = lib3ds_file_material_by_name(file.get(), "steel");
  ASSERT_NE(mat, nullptr);
  EXPECT_STREQ(mat->texture1_map.name, "metal7.jpg");
  EXPECT_TRUE(mat->two_sided);
  EXPECT_NEAR(mat->diffuse[0], 200 / 255.0, 1e-3);

  Lib3dsLight* light = lib3ds_file_light_by_name(file.get(), "Omni");
  ASSERT_NE(light, nullptr);
  EXPECT_FLOAT_EQ(light->position[2], 3);
  EXPECT_FLOAT_EQ(light->color[1], 0.25f);
  Lib3dsCamera* cam = lib3ds_file_camera_by_name(file.get(), "Camera01");
  ASSERT_NE(cam, nullptr);
  EXPECT_FLOAT_EQ(cam->position[1], -500);
  EXPECT_NEAR(cam->fov, 60, 0.01);

  Lib3dsNode* node = lib3ds_file_node_by_name(file.get(), "Box1", LIB3DS_OBJECT_NODE);
  ASSERT_NE(node, nullptr);
  EXPECT_FLOAT_EQ(node->data.object.pos_track.keyL->value[0], 100);
  Lib3dsNode* eye = lib3ds_file_node_by_name(file.get(), "Camera01", LIB3DS_CAMERA_NODE);
  Lib3dsNode* target = lib3ds_file_node_by_name(file.get(), "Camera01", LIB3DS_TARGET_NODE);
  ASSERT_TRUE(eye && target);
  EXPECT_EQ(Keys(eye->data.camera.pos_track.keyL), 2);
  EXPECT_EQ(Keys(target->data.target.pos_track.keyL), 3);
}

TEST(Write3ds, RefusesOversizedMeshesBadFacesAndCamerasWithoutTargetKeys) {
  Scene big;
  big.AddMaterial(Material{});
  Mesh& huge = big.AddMesh("big");
  huge.points.resize(70000);
  huge.uvs.resize(70000);
  EXPECT_THROW(Write3ds(big), std::length_error);

  Scene bad;
  bad.AddMaterial(Material{});
  Mesh& m = bad.AddMesh("bad");
  AddPoint(m, {0, 0, 0}, {});
  AddFace(m, 0, 0, 5, 0);
  EXPECT_THROW(Write3ds(bad), std::invalid_argument);

  Scene blind;
  blind.cameras.push_back({"Camera01", {{0, {0, 0, 0}}}, {}, {}, {}});
  EXPECT_THROW(Write3ds(blind), std::invalid_argument);
}

}  // namespace
