#include "scene/simplical_complex.h"

#include <gtest/gtest.h>

#include <cmath>

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

TEST(ComputeNormals, SingleTriangleFacesAlongPlusZ) {
  auto normals = Normals({vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0)}, {{0, 1, 2}});
  ASSERT_EQ(normals.size(), 3u);
  for (const vec3& n : normals) ExpectVec(n, vec3(0, 0, 1), 0.0f);
}

TEST(ComputeNormals, ReversedCornerOrderFlipsTheNormal) {
  auto normals = Normals({vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0)}, {{0, 2, 1}});
  for (const vec3& n : normals) ExpectVec(n, vec3(0, 0, -1), 0.0f);
}

TEST(ComputeNormals, RightAngledFoldWeighsFacesByCornerAngle) {
  // Face A in z = 0 (normal +z) and face B in x = 0 (normal +x) share the edge
  // from 0 to 1 along y. At vertex 0, A's corner is 90 degrees and B's 45; at
  // vertex 1 it is the other way round.
  std::vector<vec3> points = {vec3(0, 0, 0), vec3(0, 1, 0), vec3(1, 0, 0), vec3(0, 1, 1)};
  auto normals = Normals(points, {{0, 2, 1}, {0, 1, 3}});
  ASSERT_EQ(normals.size(), 4u);
  float root5 = std::sqrt(5.0f);
  ExpectVec(normals[0], vec3(1 / root5, 0, 2 / root5));
  ExpectVec(normals[1], vec3(2 / root5, 0, 1 / root5));
  ExpectVec(normals[2], vec3(0, 0, 1));
  ExpectVec(normals[3], vec3(1, 0, 0));
}

TEST(ComputeNormals, OctahedronVertexNormalsPointOutwardAlongTheVertices) {
  std::vector<vec3> points = {vec3(1, 0, 0), vec3(-1, 0, 0), vec3(0, 1, 0),
                              vec3(0, -1, 0), vec3(0, 0, 1), vec3(0, 0, -1)};
  // Counter-clockwise seen from outside.
  std::vector<Mesh::Simplex> faces = {{0, 2, 4}, {2, 1, 4}, {1, 3, 4}, {3, 0, 4},
                                      {2, 0, 5}, {1, 2, 5}, {3, 1, 5}, {0, 3, 5}};
  auto normals = Normals(points, faces);
  for (size_t i = 0; i < points.size(); ++i) ExpectVec(normals[i], points[i]);
}

TEST(ComputeNormals, NarrowTriangleStillGetsUnitNormals) {
  // The corner at vertex 1 is about 1e-3 radians.
  auto normals = Normals({vec3(0, 0, 0), vec3(1000, 0, 0), vec3(0, 1, 0)}, {{0, 1, 2}});
  for (const vec3& n : normals) ExpectVec(n, vec3(0, 0, 1));
}

TEST(ComputeNormals, CornerAngleLostToRoundingGivesZeroNotNaN) {
  // The corner at vertex 1 is 1e-7 radians, whose cosine rounds to 1.
  auto normals = Normals({vec3(0, 0, 0), vec3(1000, 0, 0), vec3(0, 1e-4f, 0)}, {{0, 1, 2}});
  ExpectVec(normals[0], vec3(0, 0, 1));
  ExpectVec(normals[1], vec3(0, 0, 0), 0.0f);
  ExpectVec(normals[2], vec3(0, 0, 1));
}

TEST(ComputeNormals, UnusedVertexGetsTheZeroNormal) {
  auto normals = Normals({vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0), vec3(5, 5, 5)}, {{0, 1, 2}});
  ExpectVec(normals[3], vec3(0, 0, 0), 0.0f);
  ExpectVec(normals[0], vec3(0, 0, 1), 0.0f);
}

TEST(ComputeNormals, DegenerateTrianglesAddNothingAndNeverGiveNaN) {
  // Face 0 repeats a corner, face 1 is collinear; vertex 3 belongs only to
  // them. Face 2 is a proper triangle on vertices 0 to 2.
  std::vector<vec3> points = {vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0), vec3(2, 0, 0)};
  auto normals = Normals(points, {{3, 3, 0}, {0, 1, 3}, {0, 1, 2}});
  for (const vec3& n : normals)
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(std::isnan(n[i]));
  ExpectVec(normals[3], vec3(0, 0, 0), 0.0f);
  for (int v = 0; v < 3; ++v) ExpectVec(normals[v], vec3(0, 0, 1));
}

TEST(ComputeNormals, FacesIndexingPastTheVerticesAreSkipped) {
  auto normals = Normals({vec3(0, 0, 0), vec3(1, 0, 0), vec3(0, 1, 0)}, {{0, 1, 3}, {0, 1, 2}, {4000000000u, 0, 1}});
  ASSERT_EQ(normals.size(), 3u);
  for (const vec3& n : normals) ExpectVec(n, vec3(0, 0, 1), 0.0f);
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
