// The content kit's archives stamped and tested by arj, images decoded by libjpeg
// and libpng, and scenes read back by lib3ds.
#include <cstdio>  // before jpeglib.h
#include <jpeglib.h>
#include <lib3ds/camera.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>
#include <lib3ds/node.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <stdexcept>

#include "tests/support/png_picture.h"
#include "tests/tools/files.h"
#include "tools/content/arj_stamp.h"
#include "tools/content/image_codecs.h"
#include "tools/content/mesh_builders.h"
#include "tools/content/write_3ds.h"

namespace {

// Archives a fixed pack.img, dated `when`, as `dir`/pack.arj.
std::vector<uint8_t> ArchiveAt(const std::string& dir, const char* when) {
  std::vector<uint8_t> data(20000);
  for (size_t i = 0; i < data.size(); ++i) data[i] = uint8_t((i * 37) ^ (i >> 5));
  EXPECT_EQ(std::system(("rm -rf " + dir + " && mkdir " + dir).c_str()), 0);
  WriteAll(dir + "/pack.img", data);
  EXPECT_EQ(std::system(("cd " + dir + " && touch -d '" + when + "' pack.img && arj a -m1 -y pack.arj pack.img >/dev/null").c_str()), 0);
  return ReadAll(dir + "/pack.arj");
}

TEST(StampArjTimes, ArchivesMadeAtDifferentTimesBecomeIdenticalAndStillTest) {
  auto first = ArchiveAt("stamp_a", "2001-02-03 04:05:06");
  auto second = ArchiveAt("stamp_b", "2011-12-13 14:15:16");
  ASSERT_NE(first, second);
  const uint32_t when = DosTime(2024, 6, 21, 20, 0, 0);
  EXPECT_EQ(when, (uint32_t(44 << 9 | 6 << 5 | 21) << 16) | (20u << 11));
  ASSERT_TRUE(StampArjTimes(first, when));
  ASSERT_TRUE(StampArjTimes(second, when));
  EXPECT_EQ(first, second);
  EXPECT_EQ(first[4 + 7], 0) << "the main header's random byte is kept";
  WriteAll("stamp_a/pack.arj", first);
  EXPECT_EQ(std::system("cd stamp_a && arj t pack.arj >/dev/null"), 0);

  auto truncated = std::vector<uint8_t>(first.begin(), first.begin() + long(first.size() / 2));
  const auto before = truncated;
  EXPECT_FALSE(StampArjTimes(truncated, 0));
  EXPECT_EQ(truncated, before);
  first[10] ^= 0xFF;  // inside the main header: its CRC no longer matches
  EXPECT_FALSE(StampArjTimes(first, 0));
  std::vector<uint8_t> empty;
  EXPECT_FALSE(StampArjTimes(empty, 0));
}

RgbImage Gradient(int w, int h) {
  return ShadeImage(w, h, [](float u, float v) { return Colour{u, v, 0.5f * (u + v)}; });
}

std::vector<uint8_t> DecodeJpeg(const std::vector<uint8_t>& bytes, int& w, int& h) {
  jpeg_decompress_struct info;
  jpeg_error_mgr err;
  info.err = jpeg_std_error(&err);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);
  jpeg_start_decompress(&info);
  w = int(info.output_width);
  h = int(info.output_height);
  std::vector<uint8_t> pixels(size_t(w) * h * info.output_components);
  for (JSAMPROW row; info.output_scanline < info.output_height; jpeg_read_scanlines(&info, &row, 1))
    row = pixels.data() + size_t(info.output_scanline) * w * info.output_components;
  jpeg_destroy_decompress(&info);
  return pixels;
}

TEST(EncodeJpeg, DecodesToTheSameSizeAndCloseColoursAndRepeatsItsBytes) {
  const RgbImage image = Gradient(64, 32);
  int w = 0, h = 0;
  const auto pixels = DecodeJpeg(EncodeJpeg(image, 90), w, h);
  ASSERT_EQ(w, 64);
  ASSERT_EQ(h, 32);
  double error = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const Colour& c = image.At(x, y);
      const uint8_t* p = &pixels[(size_t(y) * w + x) * 3];
      error += std::abs(p[0] - ToByte(c.r)) + std::abs(p[1] - ToByte(c.g)) + std::abs(p[2] - ToByte(c.b));
    }
  EXPECT_LT(error / (w * h * 3), 2.0);
  EXPECT_EQ(EncodeJpeg(Gradient(40, 40), 88), EncodeJpeg(Gradient(40, 40), 88));
}

TEST(EncodeGrayPng, IsAnEightBitGreyImageWithTheExactSamples) {
  GrayImage mask(13, 7);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x) mask.At(x, y) = float((x * 7 + y * 11) % 256) / 255.0f;
  WriteAll("mask.png", EncodeGrayPng(mask));
  const PngPicture png = ReadPngPicture("mask.png");
  ASSERT_EQ(png.width, 13u);
  ASSERT_EQ(png.height, 7u);
  EXPECT_EQ(png.format, unsigned(PNG_FORMAT_GRAY));
  for (int y = 0; y < 7; ++y)
    for (int x = 0, s = y * 11; x < 13; ++x, s += 7) EXPECT_EQ(png.At(x, y), (std::array<int, 3>{s, s, s})) << x << "," << y;
}

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
  WriteAll("sample.3ds", Write3ds(SampleScene()));
  const Lib3ds file = Load3ds("sample.3ds");
  ASSERT_TRUE(file);
  Lib3dsMesh* mesh = lib3ds_file_mesh_by_name(file.get(), "Box1");
  ASSERT_NE(mesh, nullptr);
  EXPECT_EQ(mesh->points, 24u);
  ASSERT_EQ(mesh->faces, 12u);
  EXPECT_FLOAT_EQ(mesh->pointL[0].pos[2], 290);
  EXPECT_STREQ(mesh->faceL[0].material, "steel");
  EXPECT_FLOAT_EQ(mesh->matrix[3][0], 100);

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
  Scene big, bad, blind;
  big.AddMaterial(Material{});
  Mesh& huge = big.AddMesh("big");
  huge.points.resize(70000);
  huge.uvs.resize(70000);
  EXPECT_THROW(Write3ds(big), std::length_error);
  bad.AddMaterial(Material{});
  Mesh& m = bad.AddMesh("bad");
  AddPoint(m, {0, 0, 0}, {});
  AddFace(m, 0, 0, 5, 0);
  EXPECT_THROW(Write3ds(bad), std::invalid_argument);
  blind.cameras.push_back({"Camera01", {{0, {0, 0, 0}}}, {}, {}, {}});
  EXPECT_THROW(Write3ds(blind), std::invalid_argument);
}

}  // namespace
