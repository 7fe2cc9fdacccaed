// Quaternion products, axis-angle construction, slerp and rotation matrices.
#include "maths/quaternion.h"

#include <algorithm>
#include <cmath>

Quaternion operator*(const Quaternion& p, const Quaternion& q) {
  return {p.w * q.w - p.x * q.x - p.y * q.y - p.z * q.z,
          p.w * q.x + p.x * q.w + p.y * q.z - p.z * q.y,
          p.w * q.y + p.y * q.w + p.z * q.x - p.x * q.z,
          p.w * q.z + p.z * q.w + p.x * q.y - p.y * q.x};
}

Quaternion Conjugate(const Quaternion& q) { return {q.w, -q.x, -q.y, -q.z}; }

float Dot(const Quaternion& p, const Quaternion& q) {
  return p.w * q.w + p.x * q.x + p.y * q.y + p.z * q.z;
}

Quaternion QuaternionFromAxisAngle(vec<float, 3> axis, float angle) {
  axis.Normalize();
  float s = std::sin(angle / 2);
  return {std::cos(angle / 2), axis[0] * s, axis[1] * s, axis[2] * s};
}

Matrix3 RotationMatrix(const Quaternion& q) {
  float ww = q.w * q.w, xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  float norm = ww + xx + yy + zz;
  if (norm == 0.0f) return {vec<float, 3>(0.0f), vec<float, 3>(0.0f), vec<float, 3>(0.0f)};
  float s = 1.0f / std::sqrt(norm);
  float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
  return {vec<float, 3>(s * (ww + xx - yy - zz), 2 * s * (xy + wz), 2 * s * (xz - wy)),
          vec<float, 3>(2 * s * (xy - wz), s * (ww - xx + yy - zz), 2 * s * (yz + wx)),
          vec<float, 3>(2 * s * (xz + wy), 2 * s * (yz - wx), s * (ww - xx - yy + zz))};
}

vec<float, 3> operator*(const Matrix3& m, const vec<float, 3>& v) {
  return vec<float, 3>(Dot(m.rows[0], v), Dot(m.rows[1], v), Dot(m.rows[2], v));
}

Quaternion Slerp(const Quaternion& q1, const Quaternion& q2, float t) {
  // Rounding can push the cosine just past +-1, where acos is undefined.
  float theta = std::acos(std::clamp(Dot(q1, q2), -1.0f, 1.0f));
  float sin_theta = std::sin(theta);
  // Opposite quaternions (theta = pi) are one rotation with no arc between.
  if (!(theta > 0.0f) || !(sin_theta > 1e-6f)) return q1;
  float a = std::sin((1 - t) * theta) / sin_theta;
  float b = std::sin(t * theta) / sin_theta;
  return {q1.w * a + q2.w * b, q1.x * a + q2.x * b, q1.y * a + q2.y * b, q1.z * a + q2.z * b};
}
