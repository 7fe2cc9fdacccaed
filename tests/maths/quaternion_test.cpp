// Quaternions and slerp against glm.
#include "maths/quaternion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "tests/maths/glm_peer.h"

namespace {

Quaternion RandomUnit(std::mt19937& random) {
  std::normal_distribution<float> gauss;
  float w = gauss(random), x = gauss(random), y = gauss(random), z = gauss(random);
  return FromGlm(glm::normalize(glm::quat(w, x, y, z)));
}

void ExpectQuat(const Quaternion& a, const Quaternion& b, float tolerance) {
  const float pairs[4][2] = {{a.w, b.w}, {a.x, b.x}, {a.y, b.y}, {a.z, b.z}};
  for (const auto& p : pairs) EXPECT_NEAR(p[0], p[1], tolerance);
}

TEST(Quaternion, ProductAndConjugateMatchGlm) {
  std::mt19937 random(1);
  for (int i = 0; i < 200; ++i) {
    Quaternion p = RandomUnit(random), q = RandomUnit(random);
    ExpectQuat(p * q, FromGlm(ToGlm(p) * ToGlm(q)), 1e-6f);
  }
  ExpectQuat(Conjugate({1, 2, 3, 4}), {1, -2, -3, -4}, 0.0f);
}

TEST(Quaternion, AxisAngleNormalisesAxisUnlessTiny) {
  ExpectQuat(QuaternionFromAxisAngle(vec<float, 3>(2, 4, 6), 0.7f),
             FromGlm(glm::angleAxis(0.7f, glm::normalize(glm::vec3(1, 2, 3)))), 1e-6f);
  EXPECT_FLOAT_EQ(QuaternionFromAxisAngle(vec<float, 3>(1e-8f, 0, 0), 2.0f).x, 1e-8f * std::sin(1.0f));
}

TEST(Quaternion, MatrixIsTheTransposeOfGlmsRotation) {
  std::mt19937 random(2);
  for (int i = 0; i < 500; ++i) {
    Quaternion q = RandomUnit(random);
    Matrix3 m = RotationMatrix(q), zero = RotationMatrix({0, 0, 0, 0});
    glm::mat3 rotation = LocalToWorld(q);  // glm indexes [column][row]
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(m.rows[r][c], rotation[r][c], 2e-6f);
        EXPECT_EQ(zero.rows[r][c], 0.0f);
      }
  }
}

TEST(Slerp, EndpointsAreTheKeysAndShortArcMatchesGlm) {
  std::mt19937 random(3);
  for (int i = 0; i < 100; ++i) {
    Quaternion a = RandomUnit(random), b = RandomUnit(random);
    ExpectQuat(Slerp(a, b, 0.0f), a, 1e-6f);
    ExpectQuat(Slerp(a, b, 1.0f), b, 2e-5f);
  }
  Quaternion a = QuaternionFromAxisAngle(vec<float, 3>(0, 1, 0), 0.2f);
  Quaternion b = QuaternionFromAxisAngle(vec<float, 3>(1, 1, 0), 1.2f);
  ExpectQuat(Slerp(a, b, 0.3f), FromGlm(glm::slerp(ToGlm(a), ToGlm(b), 0.3f)), 1e-6f);
}

TEST(Slerp, NegativeDotGoesTheLongWayRound) {
  // b is +90 degrees about z with negative w: the long way passes -135 degrees.
  Quaternion b = {-std::cos(0.7853982f), 0, 0, -std::sin(0.7853982f)};
  ExpectQuat(Slerp({1, 0, 0, 0}, b, 0.5f), {std::cos(1.1780972f), 0, 0, -std::sin(1.1780972f)}, 1e-6f);
}

TEST(Slerp, DegenerateKeysGiveTheFirstUnchangedWithoutNaN) {
  struct Case { Quaternion a, b; float t; };
  const Case cases[] = {{{0.5f, 0.5f, 0.5f, 0.5f}, {0.5f, 0.5f, 0.5f, 0.5f}, 0.3f},  // identical
                        {{1.0000001f, 0, 0, 0}, {1.0000001f, 0, 0, 0}, 0.5f},      // cosine rounds above 1
                        {{0, 1, 0, 0}, {0, -1, 0, 0}, 0.5f}};                      // opposite
  for (const Case& c : cases) ExpectQuat(Slerp(c.a, c.b, c.t), c.a, 0.0f);
}

}  // namespace
