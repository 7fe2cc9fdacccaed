// Camera projection and view from an animated location and target.
#include "scene/camera.h"

#include <GL/glu.h>

namespace {

mat4 Multiply(const mat4& a, const mat4& b) {
  mat4 product(0.0f);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c)
      for (int k = 0; k < 4; ++k) product(r, c) += a(r, k) * b(k, c);
  return product;
}

}  // namespace

template <typename Mesh>
float Camera<Mesh>::applied_field_of_view_ = -1.0f;

template <typename Mesh>
Camera<Mesh>::Camera(const PathLocation& location, float field_of_view, float aspect)
    : Mesh(location), field_of_view_(field_of_view), aspect_(aspect) {}

template <typename Mesh>
void Camera<Mesh>::ApplyProjection() {
  if (field_of_view_ == applied_field_of_view_) return;
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(field_of_view_, aspect_, 0.01, 10000.0);
  glMatrixMode(GL_MODELVIEW);
  applied_field_of_view_ = field_of_view_;
}

template <typename Mesh>
void Camera<Mesh>::ForgetProjection() {
  applied_field_of_view_ = -1.0f;
}

template <typename Mesh>
void Camera<Mesh>::ApplyView() {
  // The camera's axes in world coordinates are the columns of the
  // local-to-world rotation, the transpose of the location's matrix.
  const Matrix3& m = this->Matrix();
  mat4 frame(1.0f);
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) frame(r, c) = m.rows[c][r];
    frame(r, 3) = this->Position()[r];
  }
  mat4 product = Multiply(adjustment_, frame);
  mat4 inverse;
  if (Invert(product, inverse) != 0) return;
  float gl[16];
  for (int c = 0; c < 4; ++c)
    for (int r = 0; r < 4; ++r) gl[4 * c + r] = inverse(r, c);
  glMultMatrixf(gl);
}

template <typename Mesh>
void Camera<Mesh>::Reset() {
  target_path_.Rewind();
  field_of_view_path_.Rewind();
  roll_path_.Rewind();
  Mesh::Reset();
}

template <typename Mesh>
void Camera<Mesh>::Update() {
  Mesh::Update();
  if (field_of_view_path_.KeyCount() > 0) field_of_view_ = field_of_view_path_.Update()[0];
  if (roll_path_.KeyCount() > 0) roll_ = roll_path_.Update()[0];
  if (target_path_.KeyCount() > 0) this->LookAt(target_path_.Update(), roll_);
}

template class Camera<GLMesh>;
