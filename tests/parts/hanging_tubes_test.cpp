// The first machine part's tubes against their formula, worked out here from
// the same seeded draws: rings, studs, closed rings, the breathing ring
// spacing carried from tube to tube, and the riders.
#include "parts/hanging_tubes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "tests/support/gl_context.h"

namespace {

using vec3 = vec<float, 3>;

constexpr unsigned kSeed = 19;
constexpr double kPi = 3.14159265358979;
constexpr double kPhaseStep = 4.0 * kPi / 180.0;

// The 256 jitter values as the table draws them.
std::vector<float> JitterDraws() {
  std::srand(kSeed);
  std::vector<float> values;
  for (int i = 0; i < 256; ++i) values.push_back(-5.0f + float(std::rand() % 1000) / 1000.0f * 10.0f);
  return values;
}

// A vertex of the formula: ring `ring` at `phase`, `steps` angle steps of
// 2 pi / 16 round, `radius` out, taking jitter draws `draw` (y) and
// `draw + 1` (x) of the wrapping byte index.
vec3 Expected(double ring, double phase, double steps, double radius, double spacing, int draw,
              const std::vector<float>& jitter) {
  const double swing = 150.0 * std::sin(std::floor(ring) * kPi / 31.0);
  const double u = (ring + phase) * kPhaseStep, around = steps * 2.0 * kPi / 16.0 + 2.0 * std::sin(u);
  return vec3(std::cos(u) * swing + jitter[(draw + 1) % 256] + radius * std::cos(around),
              std::sin(u) * swing + jitter[draw % 256] + radius * std::sin(around), -ring * spacing);
}

void ExpectNear(const vec3& actual, const vec3& expected, const char* what) {
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(actual[c], expected[c], 0.01f) << what << " component " << c;
}

class HangingTubesTest : public GLContextTest {};

TEST_F(HangingTubesTest, TheFirstFrameFollowsTheFormula) {
  const std::vector<float> jitter = JitterDraws();
  std::srand(kSeed);
  HangingTubes tubes(nullptr);
  tubes.Build();

  // Tube 0 with the starting L; each next one with the L its predecessor
  // left: 50 + 30 sin(k pi / 2) at phase 0.
  const double spacings[kTubeCount] = {50.0, 50.0, 80.0, 50.0};
  for (int k = 0; k < kTubeCount; ++k)
    EXPECT_NEAR(tubes.Tube(k).VertexArray()[kRingVertices][2], -spacings[k], 1e-3) << "tube " << k;

  // Ring 9 of tube 0: past the 128th vertex, so its draws have wrapped.
  const auto& vertices = tubes.Tube(0).VertexArray();
  for (int i = 1; i < kRingVertices; ++i) {
    const int index = 9 * kRingVertices + i;
    ExpectNear(vertices[index], Expected(9, 0, i, 250, 50, 2 * index, jitter), "ring 9");
  }

  // The first stud of tube 0, the 110th vertex (ring 6, vertex 7), is built
  // again after the tube's 544 vertices, at 1.9 r.
  ExpectNear(vertices[109], Expected(6, 0, 7, 1.9 * 250, 50, 2 * kTubeVertices, jitter), "stud");
  // Its neighbours stand out at 1.8 r from the swung centre, within the
  // jitter: half a step to either side on its ring, and on the half rings
  // before and after it.
  const double swing = 150.0 * std::sin(6 * kPi / 31.0);
  for (int neighbour : {108, 110, 109 - kRingVertices - 1, 109 - kRingVertices, 109 - kRingVertices + 1,
                        109 + kRingVertices - 1, 109 + kRingVertices, 109 + kRingVertices + 1}) {
    const vec3& p = vertices[neighbour];
    const int side = neighbour < 109 - 1 ? -1 : (neighbour > 109 + 1 ? 1 : 0);
    const double u = (6 + 0.5 * side) * kPhaseStep;
    const double dx = p[0] - std::cos(u) * swing, dy = p[1] - std::sin(u) * swing;
    EXPECT_NEAR(std::hypot(dx, dy), 1.8 * 250, 7.1) << "neighbour " << neighbour;
    EXPECT_NEAR(p[2], -(6 + 0.5 * side) * 50, 1e-3) << "neighbour " << neighbour;
  }

  for (int k = 0; k < kTubeCount; ++k)
    for (int j = 0; j < kTubeRings; ++j) {
      const auto& v = tubes.Tube(k).VertexArray();
      EXPECT_EQ(v[j * kRingVertices][0], v[j * kRingVertices + 16][0]) << "tube " << k << " ring " << j;
      EXPECT_EQ(v[j * kRingVertices][1], v[j * kRingVertices + 16][1]) << "tube " << k << " ring " << j;
    }
}

TEST_F(HangingTubesTest, TheSpacingBreathesOnFromFrameToFrameAndCarriesTheRiders) {
  std::srand(kSeed);
  HangingTubes tubes(nullptr);
  GLMesh rider(PathLocation(vec3(0.0f)));
  rider.PositionPath().SetKeys({vec3(1.0f), vec3(2.0f)}, {0.0f, 10.0f});
  tubes.SetRider(2, &rider);
  const int frames = 5;
  for (int n = 0; n < frames; ++n) tubes.Build();
  EXPECT_EQ(tubes.Phase(), frames);

  // Frame n builds tube k with 50 + 30 sin((k - 1) pi / 2 + n' s), n' the
  // phase when the tube before it was built (tube 3 of the previous frame
  // for tube 0).
  for (int k = 0; k < kTubeCount; ++k) {
    const int before = (k + 3) % 4, phase = k == 0 ? frames - 2 : frames - 1;
    const double spacing = 50.0 + 30.0 * std::sin(before * kPi / 2 + phase * kPhaseStep);
    EXPECT_NEAR(tubes.Tube(k).VertexArray()[kRingVertices][2], -spacing, 1e-3) << "tube " << k;
    const vec3 end = HangingTubes::kBasePoints[k] - vec3(0.0f, 0.0f, float(32 * spacing));
    ExpectNear(tubes.EndPoint(k), end, "end point");
  }
  ExpectNear(rider.Position(), tubes.EndPoint(2), "rider");
  EXPECT_FALSE(rider.PositionPath().IsValid()) << "only the tube moves the rider";
  EXPECT_TRUE(rider.IsDynamic());
}

}  // namespace
