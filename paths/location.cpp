// Directed locations: turning, moving and applying them to the OpenGL matrix.
#include "paths/location.h"

#include <GL/gl.h>

#include <cmath>

#include "maths/mat4.h"

namespace {

using vec3 = vec<float, 3>;

// Column-major 4 x 4 matrix with the rotation rows of m and the translation.
void MultiplyTransform(MatrixMultiplier multiply, const Matrix3& m, const vec3& translation) {
  float gl[16];
  for (int column = 0; column < 3; ++column) {
    for (int row = 0; row < 3; ++row) gl[4 * column + row] = m.rows[row][column];
    gl[4 * column + 3] = 0.0f;
  }
  for (int row = 0; row < 3; ++row) gl[12 + row] = translation[row];
  gl[15] = 1.0f;
  multiply(gl);
}

// sqrt(magnitude) with the sign of sign_source (zero counts as positive).
float SignedRoot(float magnitude, float sign_source) {
  float root = std::sqrt(magnitude);
  return sign_source >= 0.0f ? root : -root;
}

}  // namespace

void MultiplyGLMatrix(const float* matrix) { glMultMatrixf(matrix); }

DirectedLocation::DirectedLocation() : DirectedLocation(0.0f, 0.0f, 0.0f) {}

DirectedLocation::DirectedLocation(float x, float y, float z) : Location(x, y, z) {
  LookAt(vec3(0.0f, 0.0f, 1.0f), 0.0f);
}

DirectedLocation::DirectedLocation(const vec3& position) : Location(position) {
  LookAt(vec3(0.0f, 0.0f, 1.0f), 0.0f);
}

DirectedLocation::DirectedLocation(const vec3& position, const vec3& target, const vec3& up)
    : Location(position), up_(up) {
  LookAt(target, 0.0f);
}

void DirectedLocation::ApplyInverse(MatrixMultiplier multiply) const {
  const Matrix3& m = Matrix();
  MultiplyTransform(multiply, m, -(m * position_));
}

void DirectedLocation::Apply(MatrixMultiplier multiply) const {
  MultiplyTransform(multiply, RotationMatrix(Conjugate(orientation_)), position_);
}

void DirectedLocation::SetUp(vec3 up) {
  up.Normalize();
  up_ = up;
}

void DirectedLocation::SetDirection(const vec3& direction, float roll) {
  if (!(direction.Length() > 1e-7f)) return;
  vec3 n = direction;
  n.Normalize();
  vec3 m = -n;
  vec3 u = up_ - m * Dot(up_, m);
  if (!(u.Length() > 1e-7f)) {
    // Looking along up: any perpendicular will do; take the world axis
    // furthest from the direction.
    int axis = 0;
    for (int k = 1; k < 3; ++k)
      if (std::fabs(m[k]) < std::fabs(m[axis])) axis = k;
    vec3 other(0.0f);
    other[axis] = 1.0f;
    u = other - m * Dot(other, m);
  }
  u.Normalize();

  // The rotation with local Y = u and local Z = m, solved for (y, z) and then
  // (w, x) from the matrix elements that determine them.
  float a = (u[1] - m[2]) / 2;
  float b = (u[2] + m[1]) / 2;
  float h = (a + std::sqrt(a * a + b * b)) / 2;
  float y = std::sqrt(h);
  float z = h > 1e-5f ? (b / 2) / y : SignedRoot(h - a, b);
  float a2 = u[1] - a;
  float b2 = u[2] - b;
  float h2 = (a2 + std::sqrt(a2 * a2 + b2 * b2)) / 2;
  float w = std::sqrt(h2);
  float x = h2 > 1e-5f ? (b2 / 2) / w : SignedRoot(h2 - a2, b2);

  // (w, x) is known up to a common sign; pick the one that reproduces the
  // larger of the first elements of u and m.
  bool flip;
  if (std::fabs(u[0]) <= std::fabs(m[0])) {
    float e = 2 * (w * y + x * z);
    flip = std::fabs(e + m[0]) < std::fabs(e - m[0]);
  } else {
    float e = 2 * (x * y - w * z);
    flip = std::fabs(e + u[0]) < std::fabs(e - u[0]);
  }
  if (flip) {
    w = -w;
    x = -x;
  }
  SetOrientation({w, x, y, z});
  TurnZ(roll);
}

void DirectedLocation::LookAt(const vec3& point, float roll) { SetDirection(point - position_, roll); }

void DirectedLocation::TurnX(float a) { TurnAboutLocalAxis(vec3(1.0f, 0.0f, 0.0f), a); }
void DirectedLocation::TurnXBack(float a) { TurnAboutLocalAxis(vec3(1.0f, 0.0f, 0.0f), -a); }
void DirectedLocation::TurnY(float a) { TurnAboutLocalAxis(vec3(0.0f, 1.0f, 0.0f), a); }
void DirectedLocation::TurnYBack(float a) { TurnAboutLocalAxis(vec3(0.0f, 1.0f, 0.0f), -a); }
void DirectedLocation::TurnZ(float a) { TurnAboutLocalAxis(vec3(0.0f, 0.0f, 1.0f), a); }
void DirectedLocation::TurnZBack(float a) { TurnAboutLocalAxis(vec3(0.0f, 0.0f, 1.0f), -a); }

void DirectedLocation::TurnByDrag(float a, float b) {
  float squared = a * a + b * b;
  if (squared > 0.0f) TurnAboutLocalAxis(vec3(-b, -a, 0.0f), std::sqrt(squared));
}

void DirectedLocation::TurnAboutWorldAxis(float angle, const vec3& axis) {
  // The inverse of the local-to-world rotation takes the axis into the local
  // frame; mat4's inversion with an identity fourth row and column is the
  // 3 x 3 inversion.
  Matrix3 to_world = RotationMatrix(Conjugate(orientation_));
  mat4 source(1.0f);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) source(r, c) = to_world.rows[r][c];
  mat4 inverse;
  if (Invert(source, inverse) != 0) return;  // a zero orientation has no frame
  Matrix3 to_local;
  for (int r = 0; r < 3; ++r) to_local.rows[r] = vec3(inverse(r, 0), inverse(r, 1), inverse(r, 2));
  TurnAboutLocalAxis(to_local * axis, angle);
}

void DirectedLocation::MoveLocal(const vec3& v) {
  position_ += RotationMatrix(Conjugate(orientation_)) * vec3(v[0], v[1], -v[2]);
}

void DirectedLocation::Interpolate(const DirectedLocation& a, const DirectedLocation& b, float t) {
  SetOrientation(Slerp(a.orientation_, b.orientation_, t));
  position_ = a.position_ * (1 - t) + b.position_ * t;
}

void DirectedLocation::Normalize() {
  float length = std::sqrt(Dot(orientation_, orientation_));
  if (!(length > 0.0f)) return;
  float s = 1.0f / length;
  SetOrientation({orientation_.w * s, orientation_.x * s, orientation_.y * s, orientation_.z * s});
}

const Matrix3& DirectedLocation::Matrix() const {
  if (!matrix_current_) {
    matrix_ = RotationMatrix(orientation_);
    matrix_current_ = true;
  }
  return matrix_;
}

void DirectedLocation::SetOrientation(const Quaternion& orientation) {
  orientation_ = orientation;
  matrix_current_ = false;
}

void DirectedLocation::TurnAboutLocalAxis(const vec3& axis, float angle) {
  SetOrientation(orientation_ * QuaternionFromAxisAngle(axis, angle));
}
