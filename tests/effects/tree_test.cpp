// Tree building: branch ratios, leaves, triangle winding, array sizes and the drawn bark and leaves.
#include "effects/tree.h"

#include <png.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <tuple>

#include "archive/afile.h"
#include "archive/pack_image.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/support/render_fixture.h"
#include "tests/support/rgb.h"

namespace {

// "puutex2.jpg" by cjpeg: bark brown in the left half; in the right half
// green, then red where "puutex2.mask" makes it transparent (u 0.75 to 1).
class TreeTest : public RenderTest {
 protected:
  static void SetUpTestSuite() {
    RenderTest::SetUpTestSuite();
    std::string ppm = "P6 64 64 255\n", mask(64 * 64, '\xff'), jpeg;
    for (int i = 0; i < 64 * 64; ++i) {
      const Rgb c = i % 64 < 32 ? kBark : i % 64 < 48 ? kLeaf : Rgb{255, 0, 0};
      ppm += {char(c[0]), char(c[1]), char(c[2])};
      if (i % 64 >= 48) mask[i] = 0;
    }
    // One file per process: ctest runs the tests side by side.
    const std::string ppm_file = testing::TempDir() + "puutex2_" + std::to_string(getpid()) + ".ppm";
    std::ofstream(ppm_file, std::ios::binary) << ppm;
    FILE* pipe = popen(("cjpeg -quality 95 " + ppm_file).c_str(), "r");
    for (int ch; (ch = std::fgetc(pipe)) != EOF;) jpeg += char(ch);
    const int status = pclose(pipe);
    std::remove(ppm_file.c_str());
    ASSERT_EQ(status, 0) << "cjpeg is needed for this test";
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = image.height = 64;
    image.format = PNG_FORMAT_GRAY;
    png_alloc_size_t size = 2 * mask.size();
    std::string png(size, '\0');
    ASSERT_TRUE(png_image_write_to_memory(&image, png.data(), &size, 0, mask.data(), 0, nullptr));
    png.resize(size);
    ASSERT_TRUE(AddPackImage(gArchives, {{"puutex2.jpg", jpeg}, {"puutex2.mask", png}}));
  }
  static void TearDownTestSuite() {
    FreeArchives(gArchives);
    RenderTest::TearDownTestSuite();
  }

  static Rgb At(int x, int y) {
    const auto p = RgbAt(x, y);
    return {p[0], p[1], p[2]};
  }

  static constexpr Rgb kBark{120, 70, 30}, kLeaf{40, 160, 40};
};

const BranchShape kHalves{1.0f, 0.7f, 0.5f, 0.01f, 5};  // ratio 0.5, five ring positions

// Ring position i of tube j: its start-ring vertex; the end ring's follows it.
uint32_t Ring(const BranchShape& shape, uint32_t tube, uint32_t i) { return 2 * shape.sides * tube + 2 * i; }

vec3f Mid(const vec3f& a, const vec3f& b) { return (a + b) * 0.5f; }
vec3f Normal(const std::vector<vec3f>& v, const Mesh3::Simplex& t) {
  return Cross(v[t[1]] - v[t[0]], v[t[2]] - v[t[0]]);
}

// A trunk at depth 19 of width 2 and length 10 splits once; each child
// takes sqrt(ratio) or sqrt(1 - ratio) of both, the trunk ends as wide as the
// wider child. Ring positions 0 and 2 of five lie opposite: their distance
// is the diameter.
TEST_F(TreeTest, ChildrenShareTheirParentByTheRatio) {
  struct Tube {
    float start_width, end_width, length;
  };
  struct Case {
    float ratio;
    Tube tubes[3];
  } cases[] = {{0.5f, {{2, 1.41421f, 10}, {1.41421f, 1, 7.07107f}, {1.41421f, 1, 7.07107f}}},
               {0.36f, {{2, 1.6f, 10}, {1.2f, 0.96f, 6}, {1.6f, 1.28f, 8}}}};
  for (const Case& c : cases) {
    TreeHalf half(19, kHalves.sides);
    half.GrowBranch(vec3f(0.0f), vec3f(0, 0, 10), vec3f(1, 0, 0), 2.0f, 19, {1.0f, 0.7f, c.ratio, 0.01f, 5});
    ASSERT_EQ(half.TubeVertices(), 3u * 2 * 5);
    const std::vector<vec3f>& v = half.Vertices();
    for (uint32_t j = 0; j < 3; ++j) {
      const Tube& tube = c.tubes[j];
      const uint32_t a = Ring(kHalves, j, 0), b = Ring(kHalves, j, 2);
      EXPECT_NEAR((v[a] - v[b]).Length(), tube.start_width, 1e-4) << c.ratio << " tube " << j;
      EXPECT_NEAR((v[a + 1] - v[b + 1]).Length(), tube.end_width, 1e-4) << c.ratio << " tube " << j;
      EXPECT_NEAR((Mid(v[a + 1], v[b + 1]) - Mid(v[a], v[b])).Length(), tube.length, 1e-4) << c.ratio << " " << j;
    }
  }
}

TEST_F(TreeTest, ThinOrDeepBranchesEndInALeaf) {
  struct Case {
    float width;
    int32_t depth;
    uint32_t tubes, leaves;
  } cases[] = {{0.05f, 12, 1, 1}, {10, 20, 1, 1}, {10, 25, 1, 1}, {10, 19, 3, 2}, {10, 18, 7, 4}, {0.12f, 10, 3, 2}};
  for (const Case& c : cases) {
    TreeHalf half(c.depth, kHalves.sides);
    half.GrowBranch(vec3f(0.0f), vec3f(0, 0, 10), vec3f(1, 0, 0), c.width, c.depth, kHalves);
    EXPECT_EQ(std::tuple(half.TubeVertices(), half.TubeTriangles(), half.Leaves()),
              std::tuple(c.tubes * 2 * 5, c.tubes * 2 * 4, c.leaves))
        << c.width << " at " << c.depth;
  }
}

TEST_F(TreeTest, TwoRingPositionsMakeOnePairOfTrianglesAWholeTurnApart) {
  TreeHalf half(20, 2);
  ASSERT_TRUE(half.AddTube(vec3f(0.0f), vec3f(0, 0, 5), vec3f(1, 0, 0), 2, 1, 2));
  EXPECT_EQ(half.TubeVertices() * 10 + half.TubeTriangles(), 42u);
  EXPECT_NEAR((half.Vertices()[2] - half.Vertices()[0]).Length(), 0.0f, 1e-5);
}

// Every tube faces out from its axis; every leaf faces the way its tube's
// first ring position does.
TEST_F(TreeTest, TrianglesFaceOutOfTheBarkAndLeavesWithIt) {
  TreeHalf half(18, kHalves.sides);
  half.GrowBranch(vec3f(1, 2, 3), vec3f(2, 1, 10), vec3f(1, -0.2f, 0), 3.0f, 18, {0.9f, 1.3f, 0.4f, 0.02f, 5});
  const std::vector<vec3f>& v = half.Vertices();
  for (uint32_t t = 0; t < half.TubeTriangles(); ++t) {
    const Mesh3::Simplex& tri = half.Triangles()[t];
    const uint32_t tube = tri[0] / 10;
    const vec3f start = Mid(v[Ring(kHalves, tube, 0)], v[Ring(kHalves, tube, 2)]);
    vec3f axis = Mid(v[Ring(kHalves, tube, 0) + 1], v[Ring(kHalves, tube, 2) + 1]) - start;
    axis.Normalize();
    const vec3f centre = (v[tri[0]] + v[tri[1]] + v[tri[2]]) * (1.0f / 3);
    const vec3f out = (centre - start) - axis * Dot(centre - start, axis);
    EXPECT_GT(Dot(Normal(v, tri), out), 0.0f) << "triangle " << t;
  }
  // Leaves grow at the tips, the tubes 2, 3, 5, 6 in the order they were grown.
  const uint32_t tips[] = {2, 3, 5, 6};
  ASSERT_EQ(half.Leaves(), 4u);
  for (uint32_t leaf = 0; leaf < 4; ++leaf) {
    const uint32_t first = Ring(kHalves, tips[leaf], 0);
    const vec3f bark = v[first] - Mid(v[first], v[Ring(kHalves, tips[leaf], 2)]);
    for (int k = 0; k < 2; ++k)
      EXPECT_GT(Dot(Normal(v, half.Triangles()[half.LeafTriangleStart() + 2 * leaf + k]), bark), 0.0f) << leaf;
  }
}

// Depth 19, five ring positions: k = 2, so each half holds 2 x 4 = 8 leaves
// and 3 tubes: 4 x 8 + 2 x 3 x 5 = 62 vertices, 2 x 8 + 2 x 3 x 4 = 40
// triangles. The first half fills its 3 tubes and 2 leaves; the second,
// grown from depth 13 for 255 tubes, fits 3 of them ("erhe" for the other
// 252) and leaves on its first 8 tips. Its twist is turned half round, so
// its first child leans the other way. It still draws: the trunk stands at
// x = 320 from y = 100 to 150.
TEST_F(TreeTest, ASmallTreeFillsArraysOfTheSizesItsDepthGivesAndStillDraws) {
  Scene scene;
  auto mesh = std::make_unique<GLMesh>(Identity(320, 100));
  testing::internal::CaptureStdout();
  BuildTree({vec3f(0.0f), vec3f(0, 50, 0), vec3f(1, 0, 0), 10.0f, 19, {0.8f, 1.0f, 0.5f, 0.1f, 5}}, *mesh, scene);
  const std::string out = testing::internal::GetCapturedStdout();
  size_t erhe = 0;
  for (size_t at = out.find("erhe\n"); at != std::string::npos; at = out.find("erhe\n", at + 1)) ++erhe;
  EXPECT_EQ(erhe, 252u);
  const std::vector<vec3f>& v = mesh->VertexArray();
  ASSERT_EQ(v.size(), 124u);
  ASSERT_EQ(mesh->Triangles().size(), 80u);
  ASSERT_EQ(mesh->MapCoordinates().size(), 124u);
  size_t drawn = 0;
  for (const Mesh3::Simplex& t : mesh->Triangles()) {
    for (uint32_t index : t) EXPECT_LT(index, 124u);
    drawn += std::set<uint32_t>(t.begin(), t.end()).size() == 3;
  }
  EXPECT_EQ(drawn, 3u * 8 + 2 * 2 + 3 * 8 + 8 * 2);
  // Ring position 0 of each tube maps to u = 0: moved to 0.01.
  for (uint32_t first : {0u, 10u, 20u, 62u, 72u, 82u}) {
    EXPECT_EQ(mesh->MapCoordinates()[first][0], 0.01f);
    EXPECT_EQ(mesh->MapCoordinates()[first + 1][0], 0.01f);
  }
  for (const vec<float, 2>& uv : mesh->MapCoordinates()) EXPECT_NE(uv[0], 0.0f);
  EXPECT_EQ(mesh->FirstTexture(), scene.Textures().GetTexture("Puutex", ""));
  const vec3f lean1 = Mid(v[11], v[15]) - vec3f(0, 50, 0), lean2 = Mid(v[62 + 11], v[62 + 15]) - vec3f(0, 50, 0);
  EXPECT_GT(std::hypot(lean1[0], lean1[2]), 1.0f);
  EXPECT_NEAR(std::hypot(lean1[0] + lean2[0], lean1[2] + lean2[2]), 0.0f, 1e-3) << "across the trunk";
  mesh->AddAttribute(new Texture());
  mesh->Render(scene);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  EXPECT_TRUE(Near(At(320, 120), kBark, 6));
}

// Narrower than 0.1, the trunk ends in a leaf in both halves, which
// coincide. Scaled by 400: the trunk stands 36 pixels wide from (320, 60)
// to (320, 260); the leaf spans x 270 to 370 above it, its transparent
// half left of x = 320.
TEST_F(TreeTest, BarkAndTheLeafsOpaqueHalfShowAndNothingOfItsTransparentHalf) {
  Scene scene;
  auto mesh = std::make_unique<GLMesh>(Identity());
  BuildTree({vec3f(0.8f, 0.15f, 0), vec3f(0, 0.5f, 0), vec3f(1, 0, 0), 0.09f, 20, {1, 1, 0.5f, 0.0025f, 8}}, *mesh,
            scene);
  mesh->AddAttribute(new Texture());
  mesh->AddAttribute(new Masking(GL_NOTEQUAL, 0));
  glScalef(400, 400, 400);
  mesh->Render(scene);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  for (const auto& [x, y] : {std::pair{320, 100}, {330, 200}, {312, 240}}) EXPECT_TRUE(Near(At(x, y), kBark, 6));
  for (const auto& [x, y] : {std::pair{330, 300}, {365, 265}, {345, 355}}) EXPECT_TRUE(Near(At(x, y), kLeaf, 6));
  for (int y = 262; y < 360; ++y)
    for (int x = 272; x < 315; ++x) ASSERT_EQ(At(x, y), (Rgb{0, 0, 0})) << x << "," << y;
  EXPECT_EQ(At(320, 365), (Rgb{0, 0, 0}));
}

}  // namespace
