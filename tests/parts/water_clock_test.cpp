// The pace of the water's disturbances on a fake clock, and where they fall.
#include "parts/water_clock.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/gl_context.h"

namespace {

TEST(WaterClock, At60FramesASecondDisturbsOnceEvery45Frames) {
  WaterClock clock;
  std::vector<int> due, every45;
  float previous = 0.0f;
  for (int frame = 1; frame <= 600; ++frame) {
    const float t = float(frame) / 60.0f;
    if (clock.Tick(t - previous)) due.push_back(frame);
    previous = t;
  }
  for (int frame = 45; frame <= 600; frame += 45) every45.push_back(frame);
  EXPECT_EQ(due, every45);
}

TEST(WaterClock, ATwoSecondFrameBringsOneDisturbanceAndTheNextFrameAnother) {
  WaterClock clock;
  EXPECT_TRUE(clock.Tick(2.0f));
  EXPECT_EQ(clock.Accumulated(), 1.25f);
  EXPECT_TRUE(clock.Tick(1.0f / 60.0f));
  EXPECT_NEAR(clock.Accumulated(), 0.5f + 1.0f / 60.0f, 1e-6f);
  EXPECT_FALSE(clock.Tick(1.0f / 60.0f));
}

// A grid from (-100, -50) to (300, 150) with a vertex every 50 units: the
// random numbers pick the corners and the middle, rounded to whole numbers.
class DisturbAtRandomTest : public GLContextTest {};

TEST_F(DisturbAtRandomTest, PicksAWholeNumberPointInTheSurfacesRectangle) {
  const struct {
    int u, v;  // the two 15-bit numbers
    float x, y;
  } kCases[] = {{0, 0, -100, -50}, {32767, 32767, 300, 150}, {16384, 8192, 100, 0}, {4096, 24576, -50, 100}};
  for (const auto& c : kCases) {
    GLMesh mesh(PathLocation(vec3f(0.0f), vec3f(0.0f, 0.0f, -1.0f), vec3f(0.0f, 1.0f, 0.0f)));
    std::vector<vec3f> vertices;
    std::vector<Mesh3::Simplex> triangles;
    for (int j = 0; j <= 4; ++j)
      for (int i = 0; i <= 8; ++i) vertices.push_back(vec3f(-100.0f + 50.0f * i, -50.0f + 50.0f * j, 0.0f));
    for (uint32_t j = 0; j < 4; ++j)
      for (uint32_t i = 0; i < 8; ++i) {
        const uint32_t a = j * 9 + i;
        triangles.push_back({a, a + 1, a + 10});
        triangles.push_back({a, a + 10, a + 9});
      }
    mesh.SetGeometry(vertices, triangles, std::vector<vec<float, 2>>(vertices.size(), vec<float, 2>(0.0f)), {});
    WaterRipple water(&mesh);
    std::vector<int> numbers{c.u, c.v};
    DisturbAtRandom(water, [&numbers] {
      const int n = numbers.front();
      numbers.erase(numbers.begin());
      return n;
    });
    water.Step();
    water.Step();
    for (uint32_t i = 0; i < vertices.size(); ++i) {
      const bool at_start = vertices[i][0] == c.x && vertices[i][1] == c.y;
      bool full = false;  // a corner also gets the mirror images that fall on it
      for (const WaterRipple::Wave& wave : water.WavesAt(i)) full = full || wave.weight == 1.0f;
      EXPECT_EQ(full, at_start) << "vertex " << i << " for " << c.u << ", " << c.v;
    }
  }
}

}  // namespace
