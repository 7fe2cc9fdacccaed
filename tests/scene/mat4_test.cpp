#include "scene/mat4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <glm/glm.hpp>
#include <random>

namespace {

TEST(Mat4, ScalarConstructorFillsTheDiagonal) {
  mat4 m(2.5f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(m(r, c), r == c ? 2.5f : 0.0f);
  m[1][3] = 7.0f;
  EXPECT_EQ(m(1, 3), 7.0f);
}

TEST(Mat4, InverseMatchesGlmOnRandomWellConditionedMatrices) {
  std::mt19937 random(42);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  for (int trial = 0; trial < 500; ++trial) {
    mat4 m;
    glm::mat4 g;
    for (int r = 0; r < 4; ++r) {
      for (int c = 0; c < 4; ++c) {
        // Diagonal dominance keeps the condition number small.
        m(r, c) = value(random) + (r == c ? 4.0f * (trial % 2 ? 1 : -1) : 0.0f);
        g[c][r] = m(r, c);  // glm indexes [column][row]
      }
    }
    glm::mat4 expected = glm::inverse(g);
    mat4 source = m;
    mat4 inverse;
    ASSERT_EQ(Invert(source, inverse), 0);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(inverse(r, c), expected[c][r], 1e-5f) << r << "," << c;
  }
}

TEST(Mat4, PermutationNeedsPivotingAndInvertsExactly) {
  // Rows of the identity in the order 2, 0, 3, 1, each scaled: every column's
  // pivot sits below the diagonal at first.
  mat4 m(0.0f);
  m(0, 2) = 2.0f;
  m(1, 0) = 4.0f;
  m(2, 3) = -8.0f;
  m(3, 1) = 0.5f;
  mat4 source = m, inverse;
  ASSERT_EQ(Invert(source, inverse), 0);
  mat4 expected(0.0f);
  expected(2, 0) = 0.5f;
  expected(0, 1) = 0.25f;
  expected(3, 2) = -0.125f;
  expected(1, 3) = 2.0f;
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(inverse(r, c), expected(r, c)) << r << "," << c;
}

TEST(Mat4, ZeroFirstColumnReportsFailure) {
  mat4 m(1.0f);
  m(0, 0) = 0.0f;
  mat4 inverse;
  EXPECT_EQ(Invert(m, inverse), -1);
}

TEST(Mat4, DependentRowsReportFailureInALaterColumn) {
  mat4 m(1.0f);
  m(0, 0) = 1.0f; m(0, 1) = 2.0f;
  m(1, 0) = 2.0f; m(1, 1) = 4.0f;
  mat4 inverse;
  EXPECT_EQ(Invert(m, inverse), -1);
}

TEST(Mat4, NotANumberReportsFailure) {
  mat4 m(1.0f);
  m(0, 0) = std::nanf("");
  mat4 inverse;
  EXPECT_EQ(Invert(m, inverse), -1);
}

}  // namespace
