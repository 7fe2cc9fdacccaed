// The nature parts' scatter of cut-outs over a terrain: copies that stand on
// the ground under them, the same for the same seed.
#include "parts/cut_out_scatter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/gl_context.h"

namespace {

// A slope rising 0.2 per unit along x, under a 2 x 2 grid of 1000-unit cells.
float Slope(float x, float) { return 0.2f * x + 50.0f; }

GLMesh* Mesh(std::vector<vec3f> vertices, std::vector<Mesh3::Simplex> triangles) {
  auto* mesh = new GLMesh(PathLocation(vec3f(0.0f), vec3f(0.0f, 0.0f, -1.0f), vec3f(0.0f, 1.0f, 0.0f)));
  const size_t n = vertices.size();
  mesh->SetGeometry(std::move(vertices), std::move(triangles), std::vector<vec<float, 2>>(n, vec<float, 2>(0.0f)), {});
  return mesh;
}

GLMesh* Terrain() {
  std::vector<vec3f> vertices;
  std::vector<Mesh3::Simplex> triangles;
  for (int j = 0; j <= 2; ++j)
    for (int i = 0; i <= 2; ++i) {
      const float x = -1000.0f + 1000.0f * i, y = -1000.0f + 1000.0f * j;
      vertices.push_back(vec3f(x, y, Slope(x, y)));
    }
  for (uint32_t j = 0; j < 2; ++j)
    for (uint32_t i = 0; i < 2; ++i) {
      const uint32_t a = j * 3 + i;
      triangles.push_back({a, a + 1, a + 4});
      triangles.push_back({a, a + 4, a + 3});
    }
  return Mesh(vertices, triangles);
}

// A card 40 wide and 60 tall, its foot along x at the origin's height 0.
GLMesh* Card() {
  return Mesh({vec3f(-20, 0, 0), vec3f(20, 0, 0), vec3f(20, 0, 60), vec3f(-20, 0, 60)}, {{0, 1, 2}, {0, 2, 3}});
}

std::vector<float> Flat(const std::vector<vec3f>& points) {
  std::vector<float> values;
  for (const vec3f& p : points) values.insert(values.end(), p.v, p.v + 3);
  return values;
}

class ScatterTest : public GLContextTest {};

TEST_F(ScatterTest, CopiesStandOnTheGroundTheSameForTheSameSeed) {
  const std::unique_ptr<GLMesh> terrain(Terrain());
  const std::unique_ptr<GLMesh> card(Card());
  const GroundProbe probe(*terrain);
  const std::vector<vec3f> track{vec3f(-900, 0, 300), vec3f(900, 0, 300)};
  const ScatterRule rule{0, 1000, 0.9f, 12, 5, 80, 300, 900, 60, 0.8f, 1.5f, 0.2f};
  std::vector<std::vector<vec3f>> sets;
  for (uint32_t seed : {7u, 7u, 8u}) {
    GLMesh* copies = ScatterCutOuts(*terrain, probe, *card, track, rule, seed);
    ASSERT_NE(copies, nullptr);
    sets.push_back(copies->VertexArray());
  }
  ASSERT_EQ(sets[0].size() % 4, 0u);
  EXPECT_LE(sets[0].size() / 4, 12u * 5) << "within the rule's number";
  EXPECT_GE(sets[0].size() / 4, 12u) << "every clump found ground";
  EXPECT_EQ(Flat(sets[0]), Flat(sets[1]));
  EXPECT_NE(Flat(sets[0]), Flat(sets[2]));
  for (size_t i = 0; i < sets[0].size(); i += 4) {
    const vec3f foot = (sets[0][i] + sets[0][i + 1]) * 0.5f;
    for (const vec3f& corner : {sets[0][i], sets[0][i + 1]})
      EXPECT_LE(corner[2], Slope(corner[0], corner[1]) + 0.01f) << "a foot floats";
    // Lowered at most by the slope across its half width (30 at the largest
    // size), the rise of a corner leaning 0.2 (30 sin 0.2) and the 2 it sinks.
    EXPECT_GT(foot[2], Slope(foot[0], foot[1]) - 0.2f * 30 - 30 * std::sin(0.2f) - 2.1f) << "buried";
    EXPECT_GE(std::fabs(foot[1]), 60.0f) << "clear of the camera's track";
  }
}

}  // namespace
