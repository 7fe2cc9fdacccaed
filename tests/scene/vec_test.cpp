#include "scene/vec.h"

#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <random>
#include <sstream>

namespace {

using vec3 = vec<float, 3>;

TEST(Vec, ConstructsFromComponentsOrOneRepeatedValue) {
  vec<float, 4> white(1.0f);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(white[i], 1.0f);
  vec<float, 2> uv(0.25f, 0.75f);
  EXPECT_EQ(uv[0], 0.25f);
  EXPECT_EQ(uv[1], 0.75f);
  vec<float, 1> key(7.0f);
  EXPECT_EQ(key[0], 7.0f);
  EXPECT_EQ(sizeof(vec3), 3 * sizeof(float));
}

TEST(Vec, InPlaceAndByValueArithmeticWorkPerComponent) {
  vec3 a(1, 2, 3);
  vec3 b(10, 20, 30);
  a += b;
  EXPECT_EQ(a[0], 11.0f);
  EXPECT_EQ(a[2], 33.0f);
  a -= vec3(1, 1, 1);
  EXPECT_EQ(a[1], 21.0f);
  a *= 0.5f;
  EXPECT_EQ(a[0], 5.0f);

  vec3 d = b - vec3(1, 2, 3);
  EXPECT_EQ(d[0], 9.0f);
  EXPECT_EQ(d[1], 18.0f);
  EXPECT_EQ(d[2], 27.0f);
  vec3 s = vec3(1, -2, 4) * -2.0f;
  EXPECT_EQ(s[0], -2.0f);
  EXPECT_EQ(s[1], 4.0f);
  EXPECT_EQ(s[2], -8.0f);
  vec3 n = -vec3(1, -2, 0);
  EXPECT_EQ(n[0], -1.0f);
  EXPECT_EQ(n[1], 2.0f);
  vec3 sum = vec3(1, 2, 3) + vec3(4, 5, 6);
  EXPECT_EQ(sum[2], 9.0f);
}

TEST(Vec, DotLengthAndSquaredLength) {
  vec3 a(3, 4, 12);
  EXPECT_EQ(Dot(a, vec3(1, -1, 2)), 3.0f - 4.0f + 24.0f);
  EXPECT_EQ(a.SquaredLength(), 169.0f);
  EXPECT_EQ(a.Length(), 13.0f);
}

TEST(Vec, CrossMatchesGlmOnRandomVectors) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> value(-100.0f, 100.0f);
  for (int i = 0; i < 1000; ++i) {
    vec3 a(value(random), value(random), value(random));
    vec3 b(value(random), value(random), value(random));
    glm::vec3 expected = glm::cross(glm::vec3(a[0], a[1], a[2]), glm::vec3(b[0], b[1], b[2]));
    vec3 c = Cross(a, b);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(c[k], expected[k]);
  }
}

TEST(Vec, NormalizeMultipliesByTheReciprocalLength) {
  vec3 a(1, 2, 2);
  a.Normalize();
  float inverse = 1.0f / 3.0f;
  EXPECT_EQ(a[0], 1.0f * inverse);
  EXPECT_EQ(a[1], 2.0f * inverse);
  EXPECT_NEAR(a.Length(), 1.0f, 1e-6f);
}

TEST(Vec, NormalizeLeavesTinyVectorsUnchanged) {
  vec3 tiny(1e-8f, 0.0f, 0.0f);
  tiny.Normalize();
  EXPECT_EQ(tiny[0], 1e-8f);
  vec3 zero(0.0f);
  zero.Normalize();
  EXPECT_EQ(zero[0], 0.0f);
  vec3 just_above(2e-7f, 0.0f, 0.0f);
  just_above.Normalize();
  EXPECT_FLOAT_EQ(just_above[0], 1.0f);
}

TEST(Vec, PrintsComponentsInParenthesesSeparatedByCommas) {
  std::ostringstream out;
  out << vec3(1, -2.5f, 3) << vec<float, 1>(4);
  EXPECT_EQ(out.str(), "(1,-2.5,3)(4)");
}

}  // namespace
