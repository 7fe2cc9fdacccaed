#include "runtime/gl_setup.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "tests/support/gl_context.h"
#include "runtime/extensions.h"

namespace {

class GLSetup : public GLContextTest {};

GLint Integer(GLenum name) {
  GLint v = 0;
  glGetIntegerv(name, &v);
  return v;
}

TEST_F(GLSetup, StateAndProjectionMatchTheShowsStartingPoint) {
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnableClientState(GL_VERTEX_ARRAY);
  SetupOpenGL(640, 480);
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  std::vector<GLint> viewport(4);
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::vector<GLint>{0, 0, 640, 480}));
  const struct { GLenum name; GLint value; } integers[] = {
      {GL_DEPTH_FUNC, GL_LESS}, {GL_SHADE_MODEL, GL_SMOOTH}, {GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST},
      {GL_CULL_FACE_MODE, GL_BACK}, {GL_MATRIX_MODE, GL_MODELVIEW}};
  for (const auto& i : integers) EXPECT_EQ(Integer(i.name), i.value) << std::hex << i.name;
  for (GLenum on : {GL_DEPTH_TEST, GL_CULL_FACE, GL_NORMALIZE}) EXPECT_TRUE(glIsEnabled(on)) << std::hex << on;
  for (GLenum off : {GL_TEXTURE_2D, GL_VERTEX_ARRAY, GL_LIGHT0, GL_LIGHT1}) EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
  EXPECT_GE(Integer(GL_STENCIL_BITS), 8);

  GLfloat m[16];  // a 45 degree perspective
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  const double f = 1.0 / std::tan(45.0 * M_PI / 360.0);
  const double aspect = 640.0 / 480.0, zn = 0.01, zf = 10000.0;
  EXPECT_NEAR(m[0], f / aspect, 1e-5);
  EXPECT_NEAR(m[5], f, 1e-5);
  EXPECT_NEAR(m[10], (zf + zn) / (zn - zf), 1e-5);
  EXPECT_NEAR(m[11], -1.0, 1e-6);
  EXPECT_NEAR(m[14], 2 * zf * zn / (zn - zf), 1e-6);
  EXPECT_EQ(m[15], 0.0f);
}

TEST_F(GLSetup, TextureUnitOneIsSwitchedOff) {
  SetupOpenGL(640, 480);
  ASSERT_NE(gExt.glActiveTextureARB, nullptr) << "llvmpipe offers multitexture and combine";
  ASSERT_NE(gExt.glBlendColorEXT, nullptr);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_GEN_S);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  SetupOpenGL(640, 480);
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  for (GLenum off : {GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_Q}) EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

}  // namespace
