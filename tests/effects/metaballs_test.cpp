// Metaballs: the case table, the surface's shape and topology for lone,
// apart, close and dancing balls, and the chrome drawing read back.
#include "effects/metaballs.h"

#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <numeric>
#include <utility>

#include "effects/marching_cubes.h"
#include "scene/scene.h"
#include "tests/effects/effects_gl.h"

namespace {

using vec3 = vec<float, 3>;

SurfaceArrays Surface(const std::vector<vec3>& centres, float radius, float cell) {
  SurfaceArrays out;
  MetaballSurface(radius, cell).Build(centres, out);
  return out;
}

// Each undirected edge with the number of times it runs each way.
std::map<std::pair<uint32_t, uint32_t>, std::pair<int, int>> EdgeUses(const SurfaceArrays& s) {
  std::map<std::pair<uint32_t, uint32_t>, std::pair<int, int>> uses;
  for (const auto& t : s.triangles) {
    for (int c = 0; c < 3; ++c) {
      const uint32_t a = t[c], b = t[(c + 1) % 3];
      auto& use = uses[{std::min(a, b), std::max(a, b)}];
      (a < b ? use.first : use.second)++;
    }
  }
  return uses;
}

// Pieces joined by shared vertices.
int Components(const SurfaceArrays& s) {
  std::vector<uint32_t> parent(s.vertices.size());
  std::iota(parent.begin(), parent.end(), 0u);
  auto root = [&](uint32_t v) {
    while (parent[v] != v) v = parent[v] = parent[parent[v]];
    return v;
  };
  for (const auto& t : s.triangles) parent[root(t[1])] = parent[root(t[2])] = root(t[0]);
  int count = 0;
  for (uint32_t v = 0; v < parent.size(); ++v) count += root(v) == v;
  return count;
}

TEST(CubeCasesTest, LoopsCrossEveryCutEdgeOnceFaceByFaceAndFanAcrossNoFace) {
  const auto& edges = CubeEdges();
  auto share_face = [&](int a, int b) {
    const int all = edges[a].start & edges[a].end & edges[b].start & edges[b].end;
    const int none = edges[a].start | edges[a].end | edges[b].start | edges[b].end;
    return all != 0 || none != 7;  // a coordinate that is 1, or 0, at all four corners
  };
  for (int pattern = 0; pattern < 256; ++pattern) {
    int crossings[kCubeEdges] = {};
    for (int l = 0; l < CubeCases()[pattern].loop_count; ++l) {
      const SurfaceLoop& loop = CubeCases()[pattern].loops[l];
      ASSERT_GE(loop.size, 3);
      for (int q = 0; q < loop.size; ++q) {
        ++crossings[loop.edges[q]];
        EXPECT_TRUE(share_face(loop.edges[q], loop.edges[(q + 1) % loop.size])) << "pattern " << pattern;
        const bool fan_diagonal = q >= 2 && q + 1 < loop.size;
        EXPECT_FALSE(fan_diagonal && share_face(loop.edges[0], loop.edges[q])) << "pattern " << pattern;
      }
    }
    for (int e = 0; e < kCubeEdges; ++e)
      EXPECT_EQ(crossings[e], (pattern >> edges[e].start & 1) != (pattern >> edges[e].end & 1))
          << "pattern " << pattern << " edge " << e;
  }
}

TEST(MetaballSurfaceTest, ALoneBallIsASphereCloserForFinerCells) {
  const vec3 centre(3.0f, -7.0f, 11.0f);
  float previous_error = 1e9f;
  for (float cell : {24.0f, 12.0f, 6.0f, 3.0f}) {
    const SurfaceArrays s = Surface({centre}, 48.0f, cell);
    ASSERT_FALSE(s.vertices.empty());
    float error = 0.0f;
    for (const vec3& v : s.vertices) error = std::max(error, std::fabs((v - centre).Length() - 48.0f));
    // Twice the sag of a chord one cell long.
    EXPECT_LT(error, cell * cell / (4 * 48.0f)) << "cell " << cell;
    EXPECT_LT(error, previous_error);
    previous_error = error;
  }
}

TEST(MetaballSurfaceTest, BallsApartStayApartAndCloseOnesFlowTogether) {
  const struct {
    float distance;
    int pieces;
  } cases[] = {{200.0f, 2}, {60.0f, 2}, {40.0f, 1}, {10.0f, 1}};
  for (const auto& c : cases)
    EXPECT_EQ(Components(Surface({vec3(0.0f), vec3(c.distance, 0.0f, 0.0f)}, 20.0f, 4.0f)), c.pieces)
        << "balls " << c.distance << " apart";
}

TEST(MetaballSurfaceTest, SurfacesAreClosedOutwardAndWithoutFlatTriangles) {
  std::srand(18);
  std::vector<vec3> cluster;
  for (int i = 0; i < 20; ++i)
    cluster.emplace_back(float(std::rand() % 200 - 100), float(std::rand() % 200 - 100), float(std::rand() % 200 - 100));
  // Where balls crowd, a crease can lie closer to a ball it faces away
  // from; there the field falling along the normal says "outwards".
  const struct {
    const char* name;
    std::vector<vec3> centres;
    float radius, cell;
    bool nearest_ball_inside;
  } cases[] = {
      {"lone", {vec3(0.0f)}, 30.0f, 7.0f, true},
      {"pair", {vec3(0.0f), vec3(45.0f, 10.0f, -5.0f)}, 30.0f, 7.0f, true},
      {"frame 0", TechnoBallCentres(0), kTechnoBallRadius, kTechnoCellSize, false},
      {"frame 10", TechnoBallCentres(10), kTechnoBallRadius, kTechnoCellSize, false},
      {"frame 100", TechnoBallCentres(100), kTechnoBallRadius, kTechnoCellSize / 2, false},
      {"cluster", cluster, 25.0f, 9.0f, false},
  };
  for (const auto& c : cases) {
    MetaballSurface surface(c.radius, c.cell);
    SurfaceArrays s;
    surface.Build(c.centres, s);
    ASSERT_FALSE(s.triangles.empty()) << c.name;
    for (const auto& [edge, use] : EdgeUses(s))
      ASSERT_EQ(use, std::make_pair(1, 1)) << c.name << ": edge " << edge.first << "-" << edge.second;
    for (const auto& t : s.triangles) {
      const vec3 &a = s.vertices[t[0]], &b = s.vertices[t[1]], &d = s.vertices[t[2]];
      ASSERT_GT(Cross(b - a, d - a).Length() / 2, 1e-5f * c.cell * c.cell) << c.name;
    }
    ASSERT_EQ(s.normals.size(), s.vertices.size());
    for (size_t v = 0; v < s.vertices.size(); ++v) {
      const vec3& p = s.vertices[v];
      vec3 nearest = c.centres[0];
      for (const vec3& centre : c.centres)
        if ((p - centre).SquaredLength() < (p - nearest).SquaredLength()) nearest = centre;
      const vec3 step = s.normals[v] * (0.1f * c.cell);
      ASSERT_LT(surface.FieldAt(p + step), surface.FieldAt(p - step)) << c.name << ": vertex " << v;
      if (c.nearest_ball_inside) {
        ASSERT_GT(Dot(s.normals[v], p - nearest), 0.0f) << c.name << ": vertex " << v;
      }
      ASSERT_NEAR(s.normals[v].Length(), 1.0f, 1e-4f);
    }
  }
}

TEST(MetaballSurfaceTest, TheDanceStartsWithBallZeroAboveTheMiddle) {
  const std::vector<vec3> centres = TechnoBallCentres(0);
  ASSERT_EQ(centres.size(), 20u);
  EXPECT_NEAR(centres[0][0], 0.0f, 1e-5f);
  EXPECT_NEAR(centres[0][1], 237.0f, 1e-4f);
  EXPECT_NEAR(centres[0][2], 124.0f, 1e-4f);
  EXPECT_GT(Surface(centres, kTechnoBallRadius, kTechnoCellSize).triangles.size(), 1000u);
}

TEST(MetaballSurfaceTest, FarFlungOrBrokenCentresNeitherBlowUpTheLatticeNorPoisonIt) {
  MetaballSurface surface(10.0f, 1.0f);
  SurfaceArrays out;
  for (float far : {1e7f, 3e38f}) {
    surface.Build({vec3(0.0f), vec3(far, 0.0f, 0.0f), vec3(NAN, 0.0f, 0.0f)}, out);
    const SurfaceLattice& lattice = surface.Lattice();
    EXPECT_LE(size_t(lattice.nodes[0]) * lattice.nodes[1] * lattice.nodes[2], MetaballSurface::kMaxLatticeNodes);
    for (const vec3& v : out.vertices) EXPECT_TRUE(std::isfinite(v[0] + v[1] + v[2]));
  }
  surface.Build({vec3(0.0f)}, out);  // the lattice is clean again
  for (const auto& [edge, use] : EdgeUses(out)) ASSERT_EQ(use, std::make_pair(1, 1));
}

// The chrome's environment: a picture in quadrants whose upper left in
// sphere-map coordinates (s < 1/2, t > 1/2) is red and lower right blue.
GLuint Quadrants() {
  constexpr int kSize = 64;
  const uint8_t colours[2][2][4] = {{{0, 255, 0, 255}, {0, 0, 255, 255}}, {{255, 0, 0, 255}, {255, 255, 0, 255}}};
  std::vector<uint8_t> rgba;
  for (int t = 0; t < kSize; ++t)
    for (int s = 0; s < kSize; ++s) rgba.insert(rgba.end(), colours[2 * t / kSize][2 * s / kSize], colours[2 * t / kSize][2 * s / kSize] + 4);
  return TextureFromPixels(kSize, kSize, rgba);
}

class MetaballDrawTest : public EffectsGLTest {};

TEST_F(MetaballDrawTest, TheSurfaceReflectsItsEnvironmentPicture) {
  TextureRef environment{Quadrants(), nullptr};
  MetaballObject balls(PathLocation(), 48.0f, 6.0f, &environment);
  balls.SetCentres({vec3(0.0f)});
  Scene scene;
  ClearTo(0.25f, 0.25f, 0.25f);
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -300.0f);  // the ball fills about 90 pixels round the middle
  balls.Render(scene);
  glLoadIdentity();
  ExpectPixels({{280, 280, {255, 0, 0}}, {360, 200, {0, 0, 255}}, {320, 400, {64, 64, 64}}, {100, 240, {64, 64, 64}}});
  EXPECT_EQ(scene.TriangleCounter(), balls.Triangles().size());
}

}  // namespace
