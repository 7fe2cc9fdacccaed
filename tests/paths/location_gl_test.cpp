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

class LocationGLTest : public GLContextTest {
 protected:
  // Loads the identity, lets act change the model-view matrix and reads it back.
  template <typename Act>
  void ReadModelView(Act act, float (&out)[16]) {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    act();
    glGetFloatv(GL_MODELVIEW_MATRIX, out);
  }
  DirectedLocation l{vec3(3, -2, 7), vec3(0, 5, 1), vec3(0, 1, 0)};
};

TEST_F(LocationGLTest, ApplyMultipliesTheModelViewMatrixAndApplyInverseUndoesIt) {
  float gl[16];
  l.Apply(Keep);
  ReadModelView([&] { l.Apply(); }, gl);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(gl[i], seam_matrix[i]) << i;
  l.TurnZ(0.4f);
  ReadModelView([&] { l.Apply(); l.ApplyInverse(); }, gl);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(gl[i], i % 5 == 0 ? 1.0f : 0.0f, 1e-5f) << i;
}

}  // namespace
