// A directed location applied to the model-view matrix.
#include "paths/location.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/gl_context.h"

namespace {

float seam_matrix[16];
void Keep(const float* m) {
  for (int i = 0; i < 16; ++i) seam_matrix[i] = m[i];
}

using LocationGLTest = GLContextTest;

TEST_F(LocationGLTest, ApplyMultipliesTheModelViewMatrix) {
  DirectedLocation l{vec<float, 3>(3, -2, 7), vec<float, 3>(0, 5, 1), vec<float, 3>(0, 1, 0)};
  l.Apply(Keep);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  l.Apply();
  float gl[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, gl);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(gl[i], seam_matrix[i]) << i;
}

}  // namespace
