// Matrix inversion against glm.
#include "maths/mat4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <glm/glm.hpp>
#include <random>

namespace {

TEST(Mat4, InverseMatchesGlmOnRandomWellConditionedMatrices) {
  std::mt19937 random(42);
  std::uniform_real_distribution<float> value(-1.0f, 1.0f);
  for (int trial = 0; trial < 500; ++trial) {
    mat4 m, inverse;
    glm::mat4 g;  // indexed [column][row]
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) g[c][r] = m(r, c) = value(random) + (r == c ? (trial % 2 ? 4.0f : -4.0f) : 0.0f);
    glm::mat4 expected = glm::inverse(g);
    ASSERT_EQ(Invert(m, inverse), 0);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) EXPECT_NEAR(inverse(r, c), expected[c][r], 1e-5f) << r << "," << c;
  }
}

TEST(Mat4, PermutationNeedsPivotingAndInvertsExactly) {
  // Every column's pivot sits below the diagonal at first.
  mat4 m(0.0f), inverse, expected(0.0f);
  m(0, 2) = 2.0f, m(1, 0) = 4.0f, m(2, 3) = -8.0f, m(3, 1) = 0.5f;
  expected(2, 0) = 0.5f, expected(0, 1) = 0.25f, expected(3, 2) = -0.125f, expected(1, 3) = 2.0f;
  ASSERT_EQ(Invert(m, inverse), 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_EQ(inverse(r, c), expected(r, c)) << r << "," << c;
}

TEST(Mat4, SingularOrNotANumberReportsFailure) {
  struct Entry { int r, c; float value; };
  const std::vector<std::vector<Entry>> cases = {
      {{0, 0, 0.0f}},                                          // zero first column
      {{0, 1, 2.0f}, {1, 0, 2.0f}, {1, 1, 4.0f}},              // dependent rows
      {{0, 0, std::nanf("")}}};
  for (size_t i = 0; i < cases.size(); ++i) {
    mat4 m(1.0f), inverse;
    for (const Entry& e : cases[i]) m(e.r, e.c) = e.value;
    EXPECT_EQ(Invert(m, inverse), -1) << "case " << i;
  }
}

}  // namespace
