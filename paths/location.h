// Where things are: a position, and for directed locations an orientation
// that can be applied to the OpenGL matrix stack.
#pragma once

#include "maths/quaternion.h"
#include "maths/vec.h"

class Location {
 public:
  Location(float x, float y, float z) : position_(x, y, z) {}
  explicit Location(const vec<float, 3>& position) : position_(position) {}
  virtual ~Location() = default;

  virtual vec<float, 3>& Position() { return position_; }
  virtual const vec<float, 3>& Position() const { return position_; }

 protected:
  vec<float, 3> position_;
};

// Receives a 4 x 4 matrix in OpenGL's column order, as glMultMatrixf does.
using MatrixMultiplier = void (*)(const float* matrix);
// Multiplies the current OpenGL matrix (glMultMatrixf).
void MultiplyGLMatrix(const float* matrix);

class DirectedLocation : public Location {
 public:
  // At the origin, looking at the point (0, 0, 1).
  DirectedLocation();
  // At the position, looking at the world point (0, 0, 1).
  DirectedLocation(float x, float y, float z);
  explicit DirectedLocation(const vec<float, 3>& position);
  // At the position, looking at the target with the given up (kept as given).
  DirectedLocation(const vec<float, 3>& position, const vec<float, 3>& target, const vec<float, 3>& up);

  // World-to-local transform (for viewers): rotation M(orientation) and
  // translation -M(orientation) * position.
  virtual void ApplyInverse(MatrixMultiplier multiply = MultiplyGLMatrix) const;
  // Local-to-world transform (for objects): rotation M(conjugate) and
  // translation +position.
  virtual void Apply(MatrixMultiplier multiply = MultiplyGLMatrix) const;

  void SetUp(vec<float, 3> up);
  const vec<float, 3>& Up() const { return up_; }

  // Orients local -Z along the direction and local +Y towards the up vector
  // projected off it, then rolls by roll radians about local Z. A zero
  // direction keeps the orientation; a direction along up takes another
  // world axis in place of up.
  void SetDirection(const vec<float, 3>& direction, float roll);
  void LookAt(const vec<float, 3>& point, float roll);

  // Rotations about the local axes, by +a or (Back) -a radians.
  void TurnX(float a);
  void TurnXBack(float a);
  void TurnY(float a);
  void TurnYBack(float a);
  void TurnZ(float a);
  void TurnZBack(float a);
  // Rotates about the local axis (-b, -a, 0) by sqrt(a^2 + b^2).
  void TurnByDrag(float a, float b);
  void TurnAboutWorldAxis(float angle, const vec<float, 3>& axis);
  // Moves in the local frame; positive v[2] moves forward (local -Z).
  void MoveLocal(const vec<float, 3>& v);
  // Slerps the orientations and blends the positions of a and b.
  void Interpolate(const DirectedLocation& a, const DirectedLocation& b, float t);
  // Scales the orientation to unit length.
  void Normalize();

  const Quaternion& Orientation() const { return orientation_; }
  // M(orientation), cached until the orientation changes.
  const Matrix3& Matrix() const;

 protected:
  void SetOrientation(const Quaternion& orientation);
  void TurnAboutLocalAxis(const vec<float, 3>& axis, float angle);

 private:
  Quaternion orientation_ = {1.0f, 0.0f, 0.0f, 0.0f};
  mutable Matrix3 matrix_;
  mutable bool matrix_current_ = false;
  vec<float, 3> up_ = vec<float, 3>(0.0f, 1.0f, 0.0f);
};
