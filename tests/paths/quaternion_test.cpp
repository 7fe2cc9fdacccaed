#include "paths/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/paths/glm_peer.h"

namespace {

Quaternion RandomUnit(std::mt19937& random) {
  std::normal_distribution<float> gauss;
  Quaternion q = {gauss(random), gauss(random), gauss(random), gauss(random)};
  float s = 1.0f / std::sqrt(Dot(q, q));
  return {q.w * s, q.x * s, q.y * s, q.z * s};
}

void ExpectQuat(const Quaternion& a, const Quaternion& b, float tolerance) {
  EXPECT_NEAR(a.w, b.w, tolerance);
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
}

TEST(Quaternion, ProductMatchesGlm) {
  std::mt19937 random(1);
  for (int i = 0; i < 200; ++i) {
    Quaternion p = RandomUnit(random), q = RandomUnit(random);
    glm::quat expected = ToGlm(p) * ToGlm(q);
    ExpectQuat(p * q, {expected.w, expected.x, expected.y, expected.z}, 1e-6f);
  }
}

TEST(Quaternion, ConjugateNegatesTheVectorPart) {
  Quaternion c = Conjugate({1, 2, 3, 4});
  ExpectQuat(c, {1, -2, -3, -4}, 0.0f);
}

TEST(Quaternion, AxisAngleNormalisesTheAxis) {
  Quaternion q = QuaternionFromAxisAngle(vec<float, 3>(0, 0, 10), 1.0f);
  ExpectQuat(q, {std::cos(0.5f), 0, 0, std::sin(0.5f)}, 1e-7f);
  glm::quat expected = glm::angleAxis(0.7f, glm::normalize(glm::vec3(1, 2, 3)));
  ExpectQuat(QuaternionFromAxisAngle(vec<float, 3>(1, 2, 3), 0.7f),
             {expected.w, expected.x, expected.y, expected.z}, 1e-6f);
}

TEST(Quaternion, TinyAxisIsUsedAsItIs) {
  Quaternion q = QuaternionFromAxisAngle(vec<float, 3>(1e-8f, 0, 0), 2.0f);
  EXPECT_FLOAT_EQ(q.x, 1e-8f * std::sin(1.0f));
}

TEST(Quaternion, MatrixIsTheTransposeOfGlmsRotation) {
  std::mt19937 random(2);
  for (int i = 0; i < 500; ++i) {
    Quaternion q = RandomUnit(random);
    Matrix3 m = RotationMatrix(q);
    glm::mat3 rotation = LocalToWorld(q);
    // glm indexes [column][row], so rotation[r][c] is the transpose's (r, c).
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) EXPECT_NEAR(m.rows[r][c], rotation[r][c], 2e-6f);
  }
}

TEST(Quaternion, MatrixTakesWorldDirectionsIntoTheLocalFrame) {
  // A quarter turn about z carries local +x to world +y; M takes it back.
  Quaternion q = QuaternionFromAxisAngle(vec<float, 3>(0, 0, 1), 1.5707964f);
  vec<float, 3> local = RotationMatrix(q) * vec<float, 3>(0, 1, 0);
  EXPECT_NEAR(local[0], 1.0f, 1e-6f);
  EXPECT_NEAR(local[1], 0.0f, 1e-6f);
}

TEST(Quaternion, ZeroQuaternionGivesTheZeroMatrix) {
  Matrix3 m = RotationMatrix({0, 0, 0, 0});
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_EQ(m.rows[r][c], 0.0f);
}

TEST(Slerp, EndpointsAreTheKeys) {
  std::mt19937 random(3);
  for (int i = 0; i < 100; ++i) {
    Quaternion a = RandomUnit(random), b = RandomUnit(random);
    ExpectQuat(Slerp(a, b, 0.0f), a, 1e-6f);
    ExpectQuat(Slerp(a, b, 1.0f), b, 2e-5f);
  }
}

TEST(Slerp, IdenticalKeysGiveTheFirstUnchanged) {
  Quaternion a = {0.5f, 0.5f, 0.5f, 0.5f};
  Quaternion s = Slerp(a, a, 0.3f);
  ExpectQuat(s, a, 0.0f);
}

TEST(Slerp, PositiveDotFollowsTheShortArcLikeGlm) {
  Quaternion a = QuaternionFromAxisAngle(vec<float, 3>(0, 1, 0), 0.2f);
  Quaternion b = QuaternionFromAxisAngle(vec<float, 3>(1, 1, 0), 1.2f);
  glm::quat expected = glm::slerp(ToGlm(a), ToGlm(b), 0.3f);
  ExpectQuat(Slerp(a, b, 0.3f), {expected.w, expected.x, expected.y, expected.z}, 1e-6f);
}

TEST(Slerp, NegativeDotGoesTheLongWayRound) {
  // b is a +90 degree turn about z written with negative w. The short way
  // passes +45 degrees at t = 0.5; the long way passes -135 degrees.
  Quaternion a = {1, 0, 0, 0};
  Quaternion b = {-std::cos(0.7853982f), 0, 0, -std::sin(0.7853982f)};
  Quaternion mid = Slerp(a, b, 0.5f);
  ExpectQuat(mid, {std::cos(1.1780972f), 0, 0, -std::sin(1.1780972f)}, 1e-6f);
  glm::quat shorter = glm::slerp(ToGlm(a), ToGlm(b), 0.5f);
  EXPECT_GT(std::fabs(shorter.w), 0.9f);
}

TEST(Slerp, CosineRoundedAboveOneGivesNoNaN) {
  Quaternion a = {1.0000001f, 0, 0, 0};
  Quaternion s = Slerp(a, a, 0.5f);
  ExpectQuat(s, a, 0.0f);
}

TEST(Slerp, OppositeKeysStayAtTheFirst) {
  Quaternion a = {0, 1, 0, 0};
  Quaternion s = Slerp(a, {0, -1, 0, 0}, 0.5f);
  ExpectQuat(s, a, 0.0f);
}

}  // namespace
