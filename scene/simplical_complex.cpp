// Vertex normals of a triangle mesh, weighted by corner angle.
#include "scene/simplical_complex.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

using vec3 = vec<float, 3>;

// Angle between two edges leaving a corner; 0 when either edge has no
// length, so a degenerate face adds nothing.
float CornerAngle(const vec3& a, const vec3& b) {
  float lengths = a.Length() * b.Length();
  if (!(lengths > 0.0f)) return 0.0f;
  return std::acos(std::clamp(Dot(a, b) / lengths, -1.0f, 1.0f));
}

}  // namespace

template <>
std::vector<vec3> SimplicalComplex<vec3, 3>::ComputeNormals() const {
  if (!vertices_) return {};
  const std::vector<vec3>& points = *vertices_;
  std::vector<vec3> normals(points.size(), vec3(0.0f));
  if (!simplices_) return normals;

  for (const Simplex& face : *simplices_) {
    if (face[0] >= points.size() || face[1] >= points.size() || face[2] >= points.size()) continue;
    const vec3& p = points[face[0]];
    const vec3& q = points[face[1]];
    const vec3& r = points[face[2]];
    vec3 pq = q - p;
    vec3 pr = r - p;
    vec3 qr = r - q;
    vec3 n = Cross(pq, pr);
    n.Normalize();
    normals[face[0]] += n * CornerAngle(pq, pr);
    normals[face[1]] += n * CornerAngle(-pq, qr);
    normals[face[2]] += n * CornerAngle(pr, qr);
  }
  for (vec3& normal : normals) {
    float length = normal.Length();
    if (length >= std::numeric_limits<float>::min()) normal *= 1.0f / length;
  }
  return normals;
}

template class SimplicalComplex<vec3, 3>;
