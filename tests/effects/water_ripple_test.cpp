// Water ripples: still water, the ringing profile, the reach of a wave and the normals.
#include "effects/water_ripple.h"

#include <cmath>

#include "tests/support/grid_mesh.h"
#include "tests/support/render_fixture.h"

namespace {

using WaterRippleTest = RenderTest;

float Flat(int, int) { return 5.0f; }

// The wave's shape: a sine of period 100 whose amplitude falls from 10 to 0 over 200.
float Profile(int i) { return (200.0f - i) * 10.0f * std::sin(i * 6.2831853f / 100.0f) / 200.0f; }

TEST_F(WaterRippleTest, StillWaterSettlesAtTheFirstVertexHeight) {
  auto mesh = GridMesh(6, 25, [](int x, int y) { return float((x + 2 * y) % 3); });
  WaterRipple water(mesh.get());
  for (int step = 1; step <= 3; ++step) {
    water.Step();
    EXPECT_EQ(water.Time(), 4.0f * step);
    for (const vec3f& v : mesh->VertexArray()) ASSERT_EQ(v[2], 0.0f);
  }
  EXPECT_EQ(water.UpperCorner()[1], 150.0f);
  EXPECT_FALSE(mesh->IsCacheable());
}

// The middle vertex of a 1000-unit pool: the mirror images lie out of reach.
TEST_F(WaterRippleTest, AStartOnAVertexRingsWithTheProfileForFiftySteps) {
  auto mesh = GridMesh(20, 50, Flat);
  WaterRipple water(mesh.get());
  const uint32_t middle = 10 * 21 + 10;
  water.Step();
  water.Disturb(500, 500, water.Time());
  water.Step();  // due now, which is not before now: it waits
  EXPECT_EQ(mesh->VertexArray()[middle][2], 5.0f);
  for (int k = 1; k <= 51; ++k) {
    water.Step();
    ASSERT_EQ(water.WavesAt(middle).size(), k <= 50 ? 1u : 0u) << k;
    const float expected = k <= 50 ? 5.0f - Profile(4 * k) : 5.0f;
    EXPECT_NEAR(mesh->VertexArray()[middle][2], expected, 1e-4) << "step " << k;
  }
}

// After 51 steps every wave started at time 0 within reach has arrived and
// none has rung out: each vertex holds one wave per start or mirror image
// nearer than 200, and one that none reaches never gets a wave. On a 400 x
// 400 pool, (240, 200) has one mirror image within reach of the mesh,
// (560, 200); (200, 200) has vertices exactly 200 away, in line and at
// (120, 160) from it, and so have its images.
TEST_F(WaterRippleTest, WavesReachExactlyTheVerticesNearerThan200ToAStartOrItsMirrorImages) {
  for (const vec<float, 2>& start : {vec<float, 2>(240, 200), vec<float, 2>(200, 200)}) {
    auto mesh = GridMesh(10, 40, Flat);
    WaterRipple water(mesh.get());
    water.Disturb(int(start[0]), int(start[1]), 0.0f);
    const vec<float, 2> images[] = {
        start, {800 - start[0], start[1]}, {start[0], 800 - start[1]}, {-start[0], start[1]}, {start[0], -start[1]}};
    std::vector<size_t> reached(mesh->VertexArray().size());
    for (uint32_t v = 0; v < reached.size(); ++v)
      for (const vec<float, 2>& image : images)
        reached[v] += std::hypot(mesh->VertexArray()[v][0] - image[0], mesh->VertexArray()[v][1] - image[1]) < 200;
    for (int step = 0; step < 51; ++step) water.Step();
    for (uint32_t v = 0; v < reached.size(); ++v)
      ASSERT_EQ(water.WavesAt(v).size(), reached[v]) << start << " at " << mesh->VertexArray()[v];
    water.Step();  // a wave from exactly 200 away would be due at 200, taken in now
    for (uint32_t v = 0; v < reached.size(); ++v)
      ASSERT_TRUE(reached[v] || water.WavesAt(v).empty()) << start << " at " << mesh->VertexArray()[v];
  }
}

// Only the normals around moved vertices are recomputed; they must match a
// full recomputation at every stage of a ring's life.
TEST_F(WaterRippleTest, NormalsFollowTheSurface) {
  auto mesh = GridMesh(16, 25, Flat);
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
}

}  // namespace
