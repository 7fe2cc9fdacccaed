#include "effects/water_ripple.h"

#include <cmath>
#include <memory>

#include "tests/support/render_fixture.h"

namespace {

using WaterRippleTest = RenderTest;

// A square grid from the origin, `cells` cells of `spacing` a side, two
// triangles a cell; heights from the callback.
std::unique_ptr<GLMesh> Grid(int cells, float spacing, float (*height)(int, int)) {
  auto mesh = std::make_unique<GLMesh>(RenderTest::Identity());
  std::vector<vec3f> vertices;
  std::vector<Mesh3::Simplex> triangles;
  for (int y = 0; y <= cells; ++y)
    for (int x = 0; x <= cells; ++x) vertices.push_back(vec3f(x * spacing, y * spacing, height(x, y)));
  auto at = [cells](int x, int y) { return uint32_t(y * (cells + 1) + x); };
  for (int y = 0; y < cells; ++y)
    for (int x = 0; x < cells; ++x) {
      triangles.push_back({at(x, y), at(x + 1, y), at(x + 1, y + 1)});
      triangles.push_back({at(x, y), at(x + 1, y + 1), at(x, y + 1)});
    }
  mesh->SetGeometry(vertices, triangles, {}, {mesh->FirstTexture()});
  return mesh;
}

float Flat(int, int) { return 5.0f; }

// The wave's shape: a sine of period 100 whose amplitude falls from 10 to 0 over 200.
float Profile(int i) { return (200.0f - i) * 10.0f * std::sin(i * 6.2831853f / 100.0f) / 200.0f; }

TEST_F(WaterRippleTest, StillWaterSettlesAtTheFirstVertexHeight) {
  auto mesh = Grid(6, 25, [](int x, int y) { return float((x + 2 * y) % 3); });
  WaterRipple water(mesh.get());
  for (int step = 1; step <= 3; ++step) {
    water.Step();
    EXPECT_EQ(water.Time(), 4.0f * step);
    for (const vec3f& v : mesh->VertexArray()) ASSERT_EQ(v[2], 0.0f);
  }
  EXPECT_EQ(water.LowerCorner()[0], 0.0f);
  EXPECT_EQ(water.UpperCorner()[1], 150.0f);
}

// A start on the middle vertex of a 1000-unit pool, whose mirror images lie
// 500 units beyond the sides, out of reach.
TEST_F(WaterRippleTest, AStartOnAVertexRingsWithTheProfileForFiftySteps) {
  auto mesh = Grid(20, 50, Flat);
  WaterRipple water(mesh.get());
  const uint32_t middle = 10 * 21 + 10;
  water.Step();
  water.Disturb(500, 500, water.Time());
  water.Step();  // the start is due now, not before now: it waits
  EXPECT_TRUE(water.WavesAt(middle).empty());
  EXPECT_EQ(mesh->VertexArray()[middle][2], 5.0f);
  for (int k = 1; k <= 50; ++k) {
    water.Step();
    ASSERT_EQ(water.WavesAt(middle).size(), 1u) << k;
    EXPECT_EQ(water.WavesAt(middle)[0].weight, 1.0f);
    EXPECT_NEAR(mesh->VertexArray()[middle][2], 5.0f - Profile(4 * k), 1e-4) << "step " << k;
  }
  water.Step();
  EXPECT_TRUE(water.WavesAt(middle).empty());
  EXPECT_EQ(mesh->VertexArray()[middle][2], 5.0f);
}

// After 51 steps every wave started at time 0 within reach has arrived and
// none has rung out: each vertex holds one wave per start or mirror image
// nearer than 200, and one that none reaches never gets a wave. On a 400 x 400 pool, (240, 200) has one mirror image
// within reach of the mesh (560, 200); the others lie 200 or more beyond the
// sides. (200, 200) has vertices exactly 200 away, in line and at (120, 160).
TEST_F(WaterRippleTest, WavesReachExactlyTheVerticesNearerThan200ToAStartOrItsMirrorImages) {
  for (const vec<float, 2>& start : {vec<float, 2>(240, 200), vec<float, 2>(200, 200)}) {
    auto mesh = Grid(10, 40, Flat);
    WaterRipple water(mesh.get());
    water.Disturb(int(start[0]), int(start[1]), 0.0f);
    const vec<float, 2> images[] = {start,
                                    {800 - start[0], start[1]},
                                    {start[0], 800 - start[1]},
                                    {-start[0], start[1]},
                                    {start[0], -start[1]}};
    for (int i = 1; i < 5; ++i)
      EXPECT_TRUE(images[i][0] < 0 || images[i][0] > 400 || images[i][1] < 0 || images[i][1] > 400);
    std::vector<size_t> reached(mesh->VertexArray().size());
    for (uint32_t v = 0; v < reached.size(); ++v)
      for (const vec<float, 2>& image : images)
        reached[v] += std::hypot(mesh->VertexArray()[v][0] - image[0], mesh->VertexArray()[v][1] - image[1]) < 200;
    for (int step = 0; step < 51; ++step) water.Step();
    for (uint32_t v = 0; v < reached.size(); ++v)
      ASSERT_EQ(water.WavesAt(v).size(), reached[v]) << "start " << start << " vertex " << mesh->VertexArray()[v];
    // A wave from exactly 200 away would be due at 200, taken in at 204.
    water.Step();
    for (uint32_t v = 0; v < reached.size(); ++v)
      ASSERT_TRUE(reached[v] || water.WavesAt(v).empty()) << "start " << start << " vertex " << mesh->VertexArray()[v];
  }
}

// Only the normals around moved vertices are recomputed; they must match a
// full recomputation at every stage of a ring's life.
TEST_F(WaterRippleTest, NormalsFollowTheSurface) {
  auto mesh = Grid(16, 25, Flat);
  WaterRipple water(mesh.get());
  water.Disturb(130, 170, 0.0f);
  water.Disturb(0, 400, 0.0f);
  for (int step = 1; step <= 70; ++step) {
    water.Step();
    if (step % 10) continue;
    const std::vector<vec3f> followed = mesh->Normals();
    mesh->RecomputeNormals();
    for (size_t v = 0; v < followed.size(); ++v)
      for (int k = 0; k < 3; ++k) ASSERT_NEAR(followed[v][k], mesh->Normals()[v][k], 1e-6) << step << " " << v;
  }
  EXPECT_FALSE(mesh->IsCacheable());
}

}  // namespace
