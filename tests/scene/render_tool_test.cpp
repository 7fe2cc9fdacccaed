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

// A 400 x 200 quad upright in the x-z plane at the origin, facing -y,
// textured pure red; Camera01 looks at its centre from 1000 units along -y
// and turns to (600, 0, 0) by frame 100; Camera02 looks away from it.
constexpr float kDistance = 1000, kHalfWidth = 200, kHalfHeight = 100;

Scene QuadScene() {
  Scene scene;
  Material red;
  red.name = "red";
  red.ambient = red.diffuse = {255, 255, 255};
  red.texture = "red.jpg";
  const uint16_t material = scene.AddMaterial(red);
  const V3 corners[4] = {{-kHalfWidth, 0, -kHalfHeight}, {kHalfWidth, 0, -kHalfHeight},
                         {kHalfWidth, 0, kHalfHeight}, {-kHalfWidth, 0, kHalfHeight}};
  AddQuad(scene.AddMesh("Quad"), corners, {{0, 0}, {1, 0}, {1, 1}, {0, 1}}, material);
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

std::string AsString(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

bool IsRed(const std::array<int, 3>& c) { return c[0] > 120 && c[1] < 40 && c[2] < 40; }
bool IsBlack(const std::array<int, 3>& c) { return c[0] < 10 && c[1] < 10 && c[2] < 10; }

// A 45-degree vertical view over 480 rows: pixels from the centre per unit of tangent.
const double kPixelsPerTangent = 240.0 / std::tan(22.5 * 3.14159265358979 / 180.0);
const int kEdgeX = int(kHalfWidth / kDistance * kPixelsPerTangent);
const int kEdgeY = int(kHalfHeight / kDistance * kPixelsPerTangent);

struct ToolRun {
  int status;
  std::string out;
  PngPicture picture;
};

class RenderTool : public testing::Test {
 protected:
  void SetUp() override {
    WriteBytes(dir_ / "quad.3ds", AsString(Write3ds(QuadScene())));
    WriteBytes(dir_ / "red.jpg", AsString(EncodeJpeg(RgbImage(64, 64, {1, 0, 0}), 95)));
  }

  // The tool keeps its textures and the GL driver's allocations to the end,
  // as the show does: under the sanitizers its leaks are not checked.
  ToolRun Render(const std::string& scene, const std::string& png, const std::string& options = "") {
    const std::string out = dir_ / "render.out";
    const int status = Shell("ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" " DEMOTOOL " render '" + scene + "' '" +
                             (dir_ / png) + "' " + options + " >'" + out + "' 2>&1");
    return {status, ReadBytes(out), ReadPngPicture(dir_ / png)};
  }

  std::string Quad() const { return dir_ / "quad.3ds"; }
  TempDir dir_;
};

TEST_F(RenderTool, TheQuadCoversItsSilhouetteInItsTexture) {
  const ToolRun run = Render(Quad(), "out.png");
  ASSERT_EQ(run.status, 0) << run.out;
  ASSERT_EQ(run.picture.width, 640u);
  ASSERT_EQ(run.picture.height, 480u);
  for (int sx : {-1, 1})
    for (int sy : {-1, 1}) {
      EXPECT_TRUE(IsRed(run.picture.At(320 + sx * (kEdgeX - 4), 240 + sy * (kEdgeY - 4)))) << sx << " " << sy;
      EXPECT_TRUE(IsBlack(run.picture.At(320 + sx * (kEdgeX + 4), 240 + sy * (kEdgeY - 4)))) << sx << " " << sy;
      EXPECT_TRUE(IsBlack(run.picture.At(320 + sx * (kEdgeX - 4), 240 + sy * (kEdgeY + 4)))) << sx << " " << sy;
    }
  EXPECT_NE(run.out.find("objects: 1, lights: 1, cameras: 2\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("camera 1 Camera01: position 0..100 (2 keys) target 0..100 (2 keys)\n"), std::string::npos)
      << run.out;
  EXPECT_EQ(run.out.find("missing image"), std::string::npos) << run.out;
}

TEST_F(RenderTool, FrameMovesTheCameraAlongItsTargetPath) {
  const ToolRun run = Render(Quad(), "end.png", "--frame 100");
  ASSERT_EQ(run.status, 0);
  // The camera turned right: the quad's right edge moved left of the middle.
  const int edge = 320 + int(kPixelsPerTangent * std::tan(std::atan(kHalfWidth / kDistance) - std::atan(600 / kDistance)));
  ASSERT_GT(edge, 10);
  EXPECT_TRUE(IsRed(run.picture.At(edge - 4, 240)));
  EXPECT_TRUE(IsBlack(run.picture.At(edge + 4, 240)));
  EXPECT_TRUE(IsBlack(run.picture.At(320, 240)));
}

TEST_F(RenderTool, CameraChoosesTheViewAndAMissingOneFails) {
  const ToolRun away = Render(Quad(), "away.png", "--camera 2");
  ASSERT_EQ(away.status, 0);
  for (int y = 0; y < 480; y += 8)
    for (int x = 0; x < 640; x += 8) ASSERT_TRUE(IsBlack(away.picture.At(x, y))) << x << " " << y;
  const ToolRun missing = Render(Quad(), "none.png", "--camera 3");
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.out.find("camera 3: the scene has cameras 0 to 2"), std::string::npos) << missing.out;
}

TEST_F(RenderTool, DataFileGivesTheSamePictureAsTheFolder) {
  const std::string data = DataFile(dir_, BuildPackImage({{"quad.3ds", ReadBytes(Quad())},
                                                          {"red.jpg", ReadBytes(dir_ / "red.jpg")}}));
  const ToolRun disk = Render(Quad(), "disk.png"), packed = Render("quad.3ds", "packed.png", "--data '" + data + "'");
  ASSERT_EQ(disk.status, 0);
  ASSERT_EQ(packed.status, 0);
  EXPECT_EQ(disk.picture.rgb, packed.picture.rgb);
  EXPECT_EQ(Render("absent.3ds", "x.png", "--data '" + data + "'").status, 1);
}

// A damaged file is drawn and dumped as far as it could be read, with status 1; a file without a main chunk is
// refused.
TEST_F(RenderTool, DamagedFilesExitOneAndForeignOnesAreRefused) {
  const std::string quad = ReadBytes(Quad());
  WriteBytes(dir_ / "cut.3ds", quad.substr(0, quad.size() * 3 / 4));
  WriteBytes(dir_ / "notes.3ds", "This is no 3D Studio file, just text.\n");
  const ToolRun cut = Render(dir_ / "cut.3ds", "cut.png");
  EXPECT_EQ(cut.status, 1);
  EXPECT_NE(cut.out.find("3DS file 'cut.3ds' is damaged: offset 0, chunk 0x4d4d CHUNK_MAIN: length "), std::string::npos)
      << cut.out;
  EXPECT_EQ(cut.picture.width, 640u) << "the picture is written all the same";
  const ToolRun foreign = Render(dir_ / "notes.3ds", "notes.png");
  EXPECT_EQ(foreign.status, 1);
  EXPECT_NE(foreign.out.find("is not a 3DS file"), std::string::npos) << foreign.out;
  const std::string dump = dir_ / "dump.out", errors = dir_ / "dump.err";
  for (const char* name : {"cut.3ds", "notes.3ds"}) {
    EXPECT_EQ(Shell(DEMOTOOL " dump3ds '" + (dir_ / name) + "' >'" + dump + "' 2>'" + errors + "'"), 1) << name;
    EXPECT_NE(ReadBytes(errors).find(name == std::string("cut.3ds") ? "is damaged: offset 0" : "is not a 3DS file"),
              std::string::npos) << ReadBytes(errors);
    EXPECT_EQ(ReadBytes(dump).empty(), name != std::string("cut.3ds")) << "the tree as far as it was read";
  }
}

// The default camera frames models without cameras, a headlight lights
// those without lights: every model of the package shows on the picture.
TEST_F(RenderTool, EveryAssimpModelRendersVisibly) {
  for (const std::string& model : AssimpModels3ds()) {
    const ToolRun run = Render(model, "model.png");
    ASSERT_EQ(run.status, 0) << model << "\n" << run.out;
    int lit = 0;
    for (int y = 0; y < 480; y += 4)
      for (int x = 0; x < 640; x += 4) lit += !IsBlack(run.picture.At(x, y));
    EXPECT_GT(lit, 200) << model;
  }
}

}  // namespace
