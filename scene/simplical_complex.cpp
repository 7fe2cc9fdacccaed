#include "scene/simplical_complex.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

using vec3 = vec<float, 3>;
using Face = SimplicalComplex<vec3, 3>::Simplex;

// Angle between two edges leaving a corner; 0 when either edge has no
// length, so a degenerate face adds nothing.
float CornerAngle(const vec3& a, const vec3& b) {
  float lengths = a.Length() * b.Length();
  if (!(lengths > 0.0f)) return 0.0f;
  return std::acos(std::clamp(Dot(a, b) / lengths, -1.0f, 1.0f));
}

bool IsUsable(const Face& face, size_t vertex_count) {
  return face[0] < vertex_count && face[1] < vertex_count && face[2] < vertex_count;
}

// The face's unit normal weighted by its angle at each of its three corners.
std::array<vec3, 3> CornerNormals(const std::vector<vec3>& points, const Face& face) {
  const vec3& p = points[face[0]];
  const vec3& q = points[face[1]];
  const vec3& r = points[face[2]];
  vec3 pq = q - p;
  vec3 pr = r - p;
  vec3 qr = r - q;
  vec3 n = Cross(pq, pr);
  n.Normalize();
  return {n * CornerAngle(pq, pr), n * CornerAngle(-pq, qr), n * CornerAngle(pr, qr)};
}

void ToUnitLength(vec3& normal) {
  float length = normal.Length();
  if (length >= std::numeric_limits<float>::min()) normal *= 1.0f / length;
}

}  // namespace

template <>
std::vector<vec3> SimplicalComplex<vec3, 3>::ComputeNormals() const {
  if (!vertices_) return {};
  const std::vector<vec3>& points = *vertices_;
  std::vector<vec3> normals(points.size(), vec3(0.0f));
  if (!simplices_) return normals;

  for (const Simplex& face : *simplices_) {
    if (!IsUsable(face, points.size())) continue;
    const std::array<vec3, 3> corners = CornerNormals(points, face);
    for (int k = 0; k < 3; ++k) normals[face[k]] += corners[k];
  }
  for (vec3& normal : normals) ToUnitLength(normal);
  return normals;
}

template <>
SimplicalComplex<vec3, 3>::VertexFaces SimplicalComplex<vec3, 3>::FacesAroundVertices() const {
  VertexFaces around;
  const size_t vertex_count = vertices_ ? vertices_->size() : 0;
  around.first.assign(vertex_count + 1, 0);
  if (!simplices_) return around;
  const std::vector<Simplex>& faces = *simplices_;
  // Counting sort by vertex; a face that names a vertex twice is listed once
  // there, and ComputeNormal adds each of its corners at that vertex.
  auto for_each_listing = [&](auto&& visit) {
    for (uint32_t f = 0; f < faces.size(); ++f) {
      const Simplex& face = faces[f];
      if (!IsUsable(face, vertex_count)) continue;
      for (int k = 0; k < 3; ++k)
        if ((k == 0 || face[k] != face[0]) && (k < 2 || face[2] != face[1])) visit(face[k], f);
    }
  };
  for_each_listing([&](uint32_t v, uint32_t) { ++around.first[v + 1]; });
  for (size_t v = 0; v < vertex_count; ++v) around.first[v + 1] += around.first[v];
  around.faces.resize(around.first[vertex_count]);
  std::vector<uint32_t> next(around.first.begin(), around.first.end() - 1);
  for_each_listing([&](uint32_t v, uint32_t f) { around.faces[next[v]++] = f; });
  return around;
}

template <>
vec3 SimplicalComplex<vec3, 3>::ComputeNormal(uint32_t vertex, const VertexFaces& around) const {
  vec3 normal(0.0f);
  if (!vertices_ || !simplices_ || size_t(vertex) + 1 >= around.first.size()) return normal;
  // The same sums in the same order as ComputeNormals, so both agree exactly.
  for (uint32_t i = around.first[vertex]; i < around.first[vertex + 1]; ++i) {
    if (around.faces[i] >= simplices_->size()) continue;
    const Simplex& face = (*simplices_)[around.faces[i]];
    if (!IsUsable(face, vertices_->size())) continue;
    const std::array<vec3, 3> corners = CornerNormals(*vertices_, face);
    for (int k = 0; k < 3; ++k)
      if (face[k] == vertex) normal += corners[k];
  }
  ToUnitLength(normal);
  return normal;
}

template class SimplicalComplex<vec3, 3>;
