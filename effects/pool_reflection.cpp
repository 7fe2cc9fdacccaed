// The paraboloid reflection mapping of the chrome pools.
#include "effects/pool_reflection.h"

#include <GL/gl.h>

namespace {

constexpr GLenum kGenerators[3] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};
constexpr GLenum kCoordinates[3] = {GL_S, GL_T, GL_R};

// Column by column: the reflection r = (x, y, z, 1) goes to
// s = (x - z + 1) / 2, t = (y - z + 1) / 2, q = 1 - z, so that after the
// divide s = 1/2 + x / (2 (1 - z)): the paraboloid round -z, the view axis.
constexpr GLfloat kParaboloid[16] = {0.5f, 0.0f,  0.0f, 0.0f,  0.0f, 0.5f, 0.0f, 0.0f,
                                     -0.5f, -0.5f, 0.0f, -1.0f, 0.5f, 0.5f, 0.0f, 1.0f};

}  // namespace

void PoolReflection::BeginArrays(Scene&, GLMesh&) {
  for (int i = 0; i < 3; ++i) {
    glTexGeni(kCoordinates[i], GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
    glEnable(kGenerators[i]);
  }
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glLoadMatrixf(kParaboloid);
  glMatrixMode(GL_MODELVIEW);
}

void PoolReflection::EndArrays(Scene&, GLMesh&) {
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  for (GLenum generator : kGenerators) glDisable(generator);
}
