// The stencil mask, reflected view and clip plane of a planar mirror pass.
#include "effects/mirror.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

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

// m times (x, y, z, w), m in OpenGL's column order.
void Transform(const GLdouble m[16], const GLdouble in[4], GLdouble out[4]) {
  for (int row = 0; row < 4; ++row)
    out[row] = m[row] * in[0] + m[4 + row] * in[1] + m[8 + row] * in[2] + m[12 + row] * in[3];
}

}  // namespace

void BeginMirrorScissor(const std::vector<vec<float, 3>>& vertices) {
  GLdouble model_view[16], projection[16];
  GLint viewport[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, model_view);
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  glGetIntegerv(GL_VIEWPORT, viewport);
  double left = 1.0, right = -1.0, bottom = 1.0, top = -1.0;  // device coordinates
  for (const vec<float, 3>& v : vertices) {
    const GLdouble object[4] = {v[0], v[1], v[2], 1.0};
    GLdouble eye[4], clip[4];
    Transform(model_view, object, eye);
    Transform(projection, eye, clip);
    if (!(clip[3] > 0.0)) return;  // behind the eye: its projection bounds nothing
    left = std::min(left, clip[0] / clip[3]);
    right = std::max(right, clip[0] / clip[3]);
    bottom = std::min(bottom, clip[1] / clip[3]);
    top = std::max(top, clip[1] / clip[3]);
  }
  // A pixel of margin on each side, within the viewport.
  const auto window = [](double device, GLint origin, GLint size) {
    return origin + std::clamp((device + 1.0) * 0.5 * size, 0.0, static_cast<double>(size));
  };
  const GLint x0 = static_cast<GLint>(std::floor(window(left, viewport[0], viewport[2]))) - 1;
  const GLint y0 = static_cast<GLint>(std::floor(window(bottom, viewport[1], viewport[3]))) - 1;
  const GLint x1 = static_cast<GLint>(std::ceil(window(right, viewport[0], viewport[2]))) + 1;
  const GLint y1 = static_cast<GLint>(std::ceil(window(top, viewport[1], viewport[3]))) + 1;
  glScissor(x0, y0, std::max(x1 - x0, 0), std::max(y1 - y0, 0));
  glEnable(GL_SCISSOR_TEST);
}

void EndMirrorScissor() { glDisable(GL_SCISSOR_TEST); }

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
