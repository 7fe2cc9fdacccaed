// Vertex normals of a triangle mesh, weighted by corner angle.
#include "scene/simplical_complex.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using vec3 = vec<float, 3>;

// Angle between two edges leaving a corner, given their lengths; 0 when
// either edge has no length, so a degenerate face adds nothing.
float CornerAngle(const vec3& a, float a_length, const vec3& b, float b_length) {
  float lengths = a_length * b_length;
  if (!(lengths > 0.0f)) return 0.0f;
  return std::acos(std::clamp(Dot(a, b) / lengths, -1.0f, 1.0f));
}

}  // namespace

std::array<vec3, 3> CornerNormals(const vec3& p, const vec3& q, const vec3& r) {
  vec3 pq = q - p;
  vec3 pr = r - p;
  vec3 qr = r - q;
  const float pq_length = pq.Length(), pr_length = pr.Length(), qr_length = qr.Length();
  vec3 n = Cross(pq, pr);
  n.Normalize();
  return {n * CornerAngle(pq, pq_length, pr, pr_length), n * CornerAngle(-pq, pq_length, qr, qr_length),
          n * CornerAngle(pr, pr_length, qr, qr_length)};
}

vec3 UnitNormal(vec3 sum) {
  float length = sum.Length();
  if (length >= std::numeric_limits<float>::min()) sum *= 1.0f / length;
  return sum;
}

template <>
std::vector<vec3> SimplicalComplex<vec3, 3>::ComputeNormals() const {
  if (!vertices_) return {};
  const std::vector<vec3>& points = *vertices_;
  std::vector<vec3> normals(points.size(), vec3(0.0f));
  if (!simplices_) return normals;

  for (const Simplex& face : *simplices_) {
    if (face[0] >= points.size() || face[1] >= points.size() || face[2] >= points.size()) continue;
    const std::array<vec3, 3> terms = CornerNormals(points[face[0]], points[face[1]], points[face[2]]);
    for (int k = 0; k < 3; ++k) normals[face[k]] += terms[k];
  }
  for (vec3& normal : normals) normal = UnitNormal(normal);
  return normals;
}

template class SimplicalComplex<vec3, 3>;
