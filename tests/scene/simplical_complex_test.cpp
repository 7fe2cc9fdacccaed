// Vertex normals of small meshes with known answers.
#include "scene/simplical_complex.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/moving_normals.h"

namespace {

using vec3 = vec<float, 3>;
using Mesh = SimplicalComplex<vec3, 3>;

std::vector<vec3> Normals(std::vector<vec3> points, std::vector<Mesh::Simplex> faces) {
  Mesh mesh;
  mesh.Set(&points, &faces);
  EXPECT_EQ(mesh.Vertices(), &points);
  EXPECT_EQ(mesh.Simplices(), &faces);
  return mesh.ComputeNormals();
}

void ExpectVec(const vec3& actual, const vec3& expected, float tolerance = 1e-6f) {
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << actual << " vs " << expected;
}

TEST(ComputeNormals, TrianglesGiveUnitNormalsOnTheirOwnVertices) {
  const vec3 up(0, 0, 1), down(0, 0, -1), none(0, 0, 0);
  struct Case {
    std::vector<vec3> points;
    std::vector<Mesh::Simplex> faces;
    std::vector<vec3> normals;
    float tolerance;
  } cases[] = {
      {{vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0)}, {{0, 1, 2}}, {up, up, up}, 0.0f},
      {{vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0)}, {{0, 2, 1}}, {down, down, down}, 0.0f},
      // Corner at vertex 1 about 1e-3 radians.
      {{vec3(0, 0, 0), vec3(1000, 0, 0), vec3(0, 1, 0)}, {{0, 1, 2}}, {up, up, up}, 1e-6f},
      // Corner at vertex 1 of 1e-7 radians, whose cosine rounds to 1: zero, not NaN.
      {{vec3(0, 0, 0), vec3(1000, 0, 0), vec3(0, 1e-4f, 0)}, {{0, 1, 2}}, {up, none, up}, 1e-6f},
      {{vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0), vec3(5, 5, 5)}, {{0, 1, 2}}, {up, up, up, none}, 0.0f},
      // Repeated corner and collinear faces add nothing: vertex 3 is only theirs.
      {{vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0), vec3(2, 0, 0)}, {{3, 3, 0}, {0, 1, 3}, {0, 1, 2}}, {up, up, up, none}, 1e-6f},
      // Faces indexing past the vertices are skipped.
      {{vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0)}, {{0, 1, 3}, {0, 1, 2}, {4000000000u, 0, 1}}, {up, up, up}, 0.0f},
  };
  for (const Case& c : cases) {
    auto normals = Normals(c.points, c.faces);
    ASSERT_EQ(normals.size(), c.normals.size());
    for (size_t i = 0; i < normals.size(); ++i)
      ExpectVec(normals[i], c.normals[i], c.normals[i].SquaredLength() == 0 ? 0.0f : c.tolerance);
    // Vertex 0 lifted: updating around it gives the very values of a full recomputation.
    std::vector<vec3> points = c.points;
    std::vector<Mesh::Simplex> faces = c.faces;
    Mesh mesh;
    mesh.Set(&points, &faces);
    MovingNormals moving(mesh);
    points[0][2] += 0.5f;
    moving.Update({0, 99}, normals);
    const std::vector<vec3> expected = mesh.ComputeNormals();
    for (size_t i = 0; i < normals.size(); ++i) ExpectVec(normals[i], expected[i], 0.0f);
  }
}

TEST(ComputeNormals, RightAngledFoldWeighsFacesByCornerAngle) {
  // Face A in z = 0 and face B in x = 0 share the edge 0-1; at vertex 0 A's
  // corner is 90 degrees and B's 45, at vertex 1 the other way round.
  auto normals = Normals({vec3(0, 0, 0), vec3(0, 1, 0), vec3(1, 0, 0), vec3(0, 1, 1)}, {{0, 2, 1}, {0, 1, 3}});
  ASSERT_EQ(normals.size(), 4u);
  float root5 = std::sqrt(5.0f);
  ExpectVec(normals[0], vec3(1 / root5, 0, 2 / root5));
  ExpectVec(normals[1], vec3(2 / root5, 0, 1 / root5));
  ExpectVec(normals[2], vec3(0, 0, 1));
  ExpectVec(normals[3], vec3(1, 0, 0));
}

TEST(ComputeNormals, MissingArraysGiveNoNormalsOrZeroNormals) {
  Mesh mesh;
  EXPECT_TRUE(mesh.ComputeNormals().empty());
  std::vector<vec3> points = {vec3(1, 2, 3)};
  mesh.Set(&points, nullptr);
  auto normals = mesh.ComputeNormals();
  ASSERT_EQ(normals.size(), 1u);
  ExpectVec(normals[0], vec3(0, 0, 0), 0.0f);
}

}  // namespace
