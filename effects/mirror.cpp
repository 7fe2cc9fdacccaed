// The stencil mask, reflected view and clip plane of a planar mirror pass.
#include "effects/mirror.h"

#include <GL/gl.h>

namespace {

// I - 2 n n^T, which is its own transpose, so row and column order agree.
void LoadReflectionMatrix(const vec<float, 3>& n, GLfloat m[16]) {
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) m[column * 4 + row] = (row == column ? 1.0f : 0.0f) - 2.0f * n[row] * n[column];
    m[column * 4 + 3] = 0.0f;
    m[12 + column] = 0.0f;
  }
  m[15] = 1.0f;
}

}  // namespace

void BeginMirrorMask() {
  glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
  // The surface was just drawn with the scene: under GL_LESS its second draw
  // would fail against its own depth and mark nothing.
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);
  glEnable(GL_STENCIL_TEST);
  glStencilFunc(GL_ALWAYS, 1, 1);
  glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

void BeginReflection(vec<float, 3> point, vec<float, 3> normal) {
  glEnable(GL_STENCIL_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glStencilFunc(GL_EQUAL, 1, 1);
  glFrontFace(GL_CW);
  glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
  // Depth writes back on first: the clear obeys the depth mask.
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glClear(GL_DEPTH_BUFFER_BIT);

  GLdouble plane[4] = {normal[0], normal[1], normal[2], -Dot(normal, point)};
  // Loaded under the unreflected matrix, OpenGL keeps the plane in eye
  // coordinates: its constant term is then the camera's side of the mirror.
  glClipPlane(GL_CLIP_PLANE0, plane);
  GLdouble eye_plane[4];
  glGetClipPlane(GL_CLIP_PLANE0, eye_plane);
  if (eye_plane[3] < 0.0)
    for (GLdouble& c : plane) c = -c;

  glPushMatrix();
  glTranslatef(point[0], point[1], point[2]);
  GLfloat reflection[16];
  LoadReflectionMatrix(normal, reflection);
  glMultMatrixf(reflection);
  glTranslatef(-point[0], -point[1], -point[2]);
  // Under the reflection, the camera's side of the real scene is what appears
  // behind the mirror; the rest would come through it.
  glClipPlane(GL_CLIP_PLANE0, plane);
  glEnable(GL_CLIP_PLANE0);
}

void EndReflection() {
  glPopMatrix();
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_CLIP_PLANE0);
  glFrontFace(GL_CCW);
}
