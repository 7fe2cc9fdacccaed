#include "paths/location.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/gl_context.h"

namespace {

using vec3 = vec<float, 3>;

float seam_matrix[16];
void Keep(const float* m) {
  for (int i = 0; i < 16; ++i) seam_matrix[i] = m[i];
}

class LocationGLTest : public GLContextTest {};

TEST_F(LocationGLTest, ApplyMultipliesTheModelViewMatrix) {
  DirectedLocation l(vec3(3, -2, 7), vec3(0, 5, 1), vec3(0, 1, 0));
  l.Apply(Keep);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  l.Apply();
  float gl[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, gl);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(gl[i], seam_matrix[i]) << i;
}

TEST_F(LocationGLTest, ApplyInverseUndoesApplyOnTheStack) {
  DirectedLocation l(vec3(3, -2, 7), vec3(0, 5, 1), vec3(0, 1, 0));
  l.TurnZ(0.4f);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  l.Apply();
  l.ApplyInverse();
  float gl[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, gl);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(gl[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-5f) << i;
}

}  // namespace
