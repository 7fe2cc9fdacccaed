// Orientations as quaternions (w, x, y, z) and their 3 x 3 matrices.
#pragma once

#include "maths/vec.h"

struct Quaternion {
  float w, x, y, z;
};

// 3 x 3 float matrix, rows[row][column].
struct Matrix3 {
  vec<float, 3> rows[3];
};

// Hamilton product p (x) q.
Quaternion operator*(const Quaternion& p, const Quaternion& q);
Quaternion Conjugate(const Quaternion& q);
// Four-component dot product.
float Dot(const Quaternion& p, const Quaternion& q);
// Rotation by angle (radians) about the axis, normalised first (an axis no
// longer than 1e-7 is used as it is).
Quaternion QuaternionFromAxisAngle(vec<float, 3> axis, float angle);

// M(q) scaled by 1 / |q|: for a unit q, the transpose of the column-vector
// rotation matrix, taking world directions into the local frame. The zero
// quaternion gives the zero matrix.
Matrix3 RotationMatrix(const Quaternion& q);
vec<float, 3> operator*(const Matrix3& m, const vec<float, 3>& v);

// Spherical interpolation from q1 (t = 0) to q2 (t = 1) along the arc their
// dot product measures, the long way round when it is negative. Gives q1
// when the quaternions are equal, or opposite, where no arc is defined.
Quaternion Slerp(const Quaternion& q1, const Quaternion& q2, float t);
