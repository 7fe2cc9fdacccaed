#include "runtime/gl_setup.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/gl_context.h"
#include "runtime/extensions.h"

namespace {

class GLSetup : public GLContextTest {};

GLint Integer(GLenum name) {
  GLint v = 0;
  glGetIntegerv(name, &v);
  return v;
}

TEST_F(GLSetup, StateMatchesTheShowsStartingPoint) {
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnableClientState(GL_VERTEX_ARRAY);
  SetupOpenGL(640, 480);
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[0], 0);
  EXPECT_EQ(viewport[1], 0);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
  EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_EQ(Integer(GL_SHADE_MODEL), GL_SMOOTH);
  EXPECT_EQ(Integer(GL_PERSPECTIVE_CORRECTION_HINT), GL_NICEST);
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(Integer(GL_CULL_FACE_MODE), GL_BACK);
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_GE(Integer(GL_STENCIL_BITS), 8);
}

TEST_F(GLSetup, ProjectionIsA45DegreePerspective) {
  SetupOpenGL(640, 480);
  GLfloat m[16];
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
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_Q));
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

}  // namespace
