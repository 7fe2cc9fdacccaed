// demotool render, run as a program on scenes written by the content kit:
// the picture is read back with libpng and checked where the silhouette of
// a known quad must fall.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "archive/pack_image.h"
#include "model_files.h"
#include "tests/archive/arj_test_support.h"
#include "tests/support/png_picture.h"
#include "tools/content/image_codecs.h"
#include "tools/content/mesh_builders.h"
#include "tools/content/write_3ds.h"

namespace {

// A 400 x 200 quad standing upright in the x-z plane at the origin, facing
// -y, textured in pure red; Camera01 looks at its centre from 1000 units
// along -y and turns 600 units to the right by frame 100; Camera02 looks
// away from it.
constexpr float kDistance = 1000, kHalfWidth = 200, kHalfHeight = 100;

Scene QuadScene() {
  Scene scene;
  Material red;
  red.name = "red";
  red.ambient = red.diffuse = {255, 255, 255};
  red.texture = "red.jpg";
  const uint16_t material = scene.AddMaterial(red);
  Mesh& quad = scene.AddMesh("Quad");
  const V3 corners[4] = {{-kHalfWidth, 0, -kHalfHeight}, {kHalfWidth, 0, -kHalfHeight},
                         {kHalfWidth, 0, kHalfHeight}, {-kHalfWidth, 0, kHalfHeight}};
  AddQuad(quad, corners, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, material);
  Light omni;
  omni.name = "Omni01";
  omni.position = {0, -kDistance, 0};
  scene.lights.push_back(omni);
  Camera turning;
  turning.name = "Camera01";
  turning.position = {{0, {0, -kDistance, 0}}, {100, {0, -kDistance, 0}}};
  turning.target = {{0, {0, 0, 0}}, {100, {600, 0, 0}}};
  scene.cameras.push_back(turning);
  Camera away;
  away.name = "Camera02";
  away.position = {{0, {0, -kDistance, 0}}};
  away.target = {{0, {0, -2 * kDistance, 0}}};
  scene.cameras.push_back(away);
  return scene;
}

std::string Bytes(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

// Writes quad.3ds and its texture into dir.
void WriteQuadFolder(const TempDir& dir) {
  WriteBytes(dir / "quad.3ds", Bytes(Write3ds(QuadScene())));
  WriteBytes(dir / "red.jpg", Bytes(EncodeJpeg(RgbImage(64, 64, {1, 0, 0}), 95)));
}

struct ToolRun {
  int status;
  std::string out;
};

// The tool keeps its textures and the GL driver's allocations to the end,
// as the show does: under the sanitizers its leaks are not checked.
ToolRun Render(const TempDir& dir, const std::string& args) {
  const std::string out = dir / "render.out";
  const int status =
      Shell("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " DEMOTOOL " render " + args + " >'" + out + "' 2>&1");
  return {status, ReadBytes(out)};
}

bool IsRed(const std::array<int, 3>& c) { return c[0] > 120 && c[1] < 40 && c[2] < 40; }
bool IsBlack(const std::array<int, 3>& c) { return c[0] < 10 && c[1] < 10 && c[2] < 10; }

// A 45-degree vertical view over 480 rows: pixels from the centre per unit
// of tangent.
const double kPixelsPerTangent = 240.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
const int kEdgeX = int(kHalfWidth / kDistance * kPixelsPerTangent);
const int kEdgeY = int(kHalfHeight / kDistance * kPixelsPerTangent);

// The column where the point (x, 0, 0) appears for Camera01 looking at
// (target_x, 0, 0).
int ColumnOf(double x, double target_x) {
  return 320 + int(kPixelsPerTangent * std::tan(std::atan(x / kDistance) - std::atan(target_x / kDistance)));
}

TEST(RenderTool, TheQuadCoversItsSilhouetteInItsTexture) {
  TempDir dir;
  WriteQuadFolder(dir);
  const ToolRun run = Render(dir, "'" + (dir / "quad.3ds") + "' '" + (dir / "out.png") + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const PngPicture picture = ReadPngPicture(dir / "out.png");
  ASSERT_EQ(picture.width, 640u);
  ASSERT_EQ(picture.height, 480u);
  for (int sx : {-1, 1})
    for (int sy : {-1, 1}) {
      EXPECT_TRUE(IsRed(picture.At(320 + sx * (kEdgeX - 4), 240 + sy * (kEdgeY - 4)))) << sx << " " << sy;
      EXPECT_TRUE(IsBlack(picture.At(320 + sx * (kEdgeX + 4), 240 + sy * (kEdgeY - 4)))) << sx << " " << sy;
      EXPECT_TRUE(IsBlack(picture.At(320 + sx * (kEdgeX - 4), 240 + sy * (kEdgeY + 4)))) << sx << " " << sy;
    }
  EXPECT_NE(run.out.find("objects: 1, lights: 1, cameras: 2\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("camera 1 Camera01: position 0..100 (2 keys) target 0..100 (2 keys)\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("missing image"), std::string::npos) << run.out;
}

TEST(RenderTool, FrameMovesTheCameraAlongItsTargetPath) {
  TempDir dir;
  WriteQuadFolder(dir);
  ASSERT_EQ(Render(dir, "'" + (dir / "quad.3ds") + "' '" + (dir / "end.png") + "' --frame 100").status, 0);
  // The camera turned right, towards (600, 0, 0): the quad's right edge
  // moved left of the middle.
  const PngPicture picture = ReadPngPicture(dir / "end.png");
  const int edge = ColumnOf(kHalfWidth, 600);
  ASSERT_GT(edge, 10);
  EXPECT_TRUE(IsRed(picture.At(edge - 4, 240)));
  EXPECT_TRUE(IsBlack(picture.At(edge + 4, 240)));
  EXPECT_TRUE(IsBlack(picture.At(320, 240)));
}

TEST(RenderTool, CameraChoosesTheViewAndAMissingOneFails) {
  TempDir dir;
  WriteQuadFolder(dir);
  ASSERT_EQ(Render(dir, "'" + (dir / "quad.3ds") + "' '" + (dir / "away.png") + "' --camera 2").status, 0);
  const PngPicture away = ReadPngPicture(dir / "away.png");
  for (int y = 0; y < 480; y += 8)
    for (int x = 0; x < 640; x += 8) ASSERT_TRUE(IsBlack(away.At(x, y))) << x << " " << y;
  const ToolRun missing = Render(dir, "'" + (dir / "quad.3ds") + "' '" + (dir / "none.png") + "' --camera 3");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("camera 3: the scene has cameras 0 to 2"), std::string::npos) << missing.out;
}

TEST(RenderTool, DataFileGivesTheSamePictureAsTheFolder) {
  TempDir dir;
  WriteQuadFolder(dir);
  const std::string data = DataFile(dir, BuildPackImage({{"quad.3ds", ReadBytes(dir / "quad.3ds")},
                                                         {"red.jpg", ReadBytes(dir / "red.jpg")}}));
  ASSERT_EQ(Render(dir, "'" + (dir / "quad.3ds") + "' '" + (dir / "disk.png") + "'").status, 0);
  ASSERT_EQ(Render(dir, "quad.3ds '" + (dir / "packed.png") + "' --data '" + data + "'").status, 0);
  EXPECT_EQ(ReadPngPicture(dir / "disk.png").rgb, ReadPngPicture(dir / "packed.png").rgb);
  EXPECT_EQ(Render(dir, "absent.3ds '" + (dir / "x.png") + "' --data '" + data + "'").status, 1);
}

// The default camera frames models without cameras, a headlight lights
// those without lights: every model of the package shows on the picture.
TEST(RenderTool, EveryAssimpModelRendersVisibly) {
  TempDir dir;
  const std::vector<std::string> models = AssimpModels3ds();
  ASSERT_FALSE(models.empty());
  for (const std::string& model : models) {
    const ToolRun run = Render(dir, "'" + model + "' '" + (dir / "model.png") + "'");
    ASSERT_EQ(run.status, 0) << model << "\n" << run.out;
    const PngPicture picture = ReadPngPicture(dir / "model.png");
    int lit = 0;
    for (int y = 0; y < 480; y += 4)
      for (int x = 0; x < 640; x += 4) lit += !IsBlack(picture.At(x, y));
    EXPECT_GT(lit, 200) << model;
  }
}

}  // namespace
