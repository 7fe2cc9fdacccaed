// The vector type's arithmetic, cross product against glm, normalising and printing.
#include "maths/vec.h"

#include <gtest/gtest.h>

#include <glm/glm.hpp>
#include <initializer_list>
#include <random>
#include <sstream>

namespace {

using vec3 = vec<float, 3>;

template <int N>
void ExpectVec(const vec<float, N>& a, std::initializer_list<float> expected) {
  int i = 0;
  for (float e : expected) EXPECT_EQ(a[i++], e) << a;
}

TEST(Vec, ConstructionAndArithmeticArePerComponent) {
  ExpectVec(vec<float, 4>(1.0f), {1, 1, 1, 1});
  vec3 a(1, 2, 3);
  a += vec3(10, 20, 30);
  a -= vec3(1, 1, 1);
  a *= 0.5f;
  ExpectVec(a, {5, 10.5f, 16});
  ExpectVec(-(vec3(10, 20, 30) - vec3(1, 2, 3) + vec3(1, -2, 4) * -2.0f), {-7, -22, -19});
  vec3 b(3, 4, 12);
  EXPECT_EQ(Dot(b, vec3(1, -1, 2)), 23.0f);
  EXPECT_EQ(b.Length(), 13.0f);
}

TEST(Vec, CrossMatchesGlmOnRandomVectors) {
  std::mt19937 random(5);
  std::uniform_real_distribution<float> value(-100.0f, 100.0f);
  for (int i = 0; i < 1000; ++i) {
    vec3 a(value(random), value(random), value(random));
    vec3 b(value(random), value(random), value(random));
    glm::vec3 expected = glm::cross(glm::vec3(a[0], a[1], a[2]), glm::vec3(b[0], b[1], b[2]));
    ExpectVec(Cross(a, b), {expected[0], expected[1], expected[2]});
  }
}

TEST(Vec, NormalizeUsesTheReciprocalLengthAndLeavesTinyVectorsAlone) {
  vec3 a(1, 2, 2);
  a.Normalize();
  ExpectVec(a, {1.0f * (1.0f / 3.0f), 2.0f * (1.0f / 3.0f)});
  vec3 tiny(1e-8f, 0.0f, 0.0f), zero(0.0f), just_above(2e-7f, 0.0f, 0.0f);
  tiny.Normalize();
  zero.Normalize();
  just_above.Normalize();
  ExpectVec(tiny, {1e-8f});
  ExpectVec(zero, {0.0f});
  EXPECT_FLOAT_EQ(just_above[0], 1.0f);
}

TEST(Vec, PrintsComponentsInParenthesesSeparatedByCommas) {
  std::ostringstream out;
  out << vec3(1, -2.5f, 3) << vec<float, 1>(4);
  EXPECT_EQ(out.str(), "(1,-2.5,3)(4)");
}

}  // namespace
