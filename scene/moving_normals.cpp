// The faces around each vertex, and the normals of moved vertices summed again from them.
#include "scene/moving_normals.h"

namespace {

bool IsUsable(const MovingNormals::Mesh::Simplex& face, size_t vertex_count) {
  return face[0] < vertex_count && face[1] < vertex_count && face[2] < vertex_count;
}

}  // namespace

MovingNormals::MovingNormals(const Mesh& mesh) : mesh_(mesh) {
  const size_t vertex_count = mesh.Vertices() ? mesh.Vertices()->size() : 0;
  const size_t face_count = mesh.Simplices() ? mesh.Simplices()->size() : 0;
  first_.assign(vertex_count + 1, 0);
  terms_.assign(face_count, {vec<float, 3>(0.0f), vec<float, 3>(0.0f), vec<float, 3>(0.0f)});
  face_seen_.assign(face_count, 0);
  vertex_seen_.assign(vertex_count, 0);
  // A face is listed once at each distinct corner vertex; a vertex named
  // twice by a face gets both its terms when the normals are summed.
  auto for_each_listing = [&](auto&& visit) {
    for (uint32_t f = 0; f < face_count; ++f) {
      const Mesh::Simplex& face = (*mesh.Simplices())[f];
      if (!IsUsable(face, vertex_count)) continue;
      visit(face[0], f);
      if (face[1] != face[0]) visit(face[1], f);
      if (face[2] != face[0] && face[2] != face[1]) visit(face[2], f);
    }
  };
  for_each_listing([&](uint32_t v, uint32_t) { ++first_[v + 1]; });
  for (size_t v = 0; v < vertex_count; ++v) first_[v + 1] += first_[v];
  faces_.resize(first_[vertex_count]);
  std::vector<uint32_t> next(first_.begin(), first_.end() - 1);
  for_each_listing([&](uint32_t v, uint32_t f) { faces_[next[v]++] = f; });
  for (uint32_t f = 0; f < face_count; ++f) Measure(f);
}

void MovingNormals::Measure(uint32_t face) {
  const std::vector<vec<float, 3>>& points = *mesh_.Vertices();
  const Mesh::Simplex& corners = (*mesh_.Simplices())[face];
  if (!IsUsable(corners, points.size())) return;
  terms_[face] = CornerNormals(points[corners[0]], points[corners[1]], points[corners[2]]);
}

void MovingNormals::Update(const std::vector<uint32_t>& moved, std::vector<vec<float, 3>>& normals) {
  ++updates_;
  dirty_faces_.clear();
  stale_vertices_.clear();
  for (uint32_t v : moved) {
    if (v >= vertex_seen_.size()) continue;
    for (uint32_t i = first_[v]; i < first_[v + 1]; ++i) {
      const uint32_t f = faces_[i];
      if (face_seen_[f] == updates_) continue;
      face_seen_[f] = updates_;
      dirty_faces_.push_back(f);
    }
  }
  // Each face measured once, however many of its corners moved.
  for (uint32_t f : dirty_faces_) {
    Measure(f);
    for (uint32_t corner : (*mesh_.Simplices())[f]) {
      if (vertex_seen_[corner] == updates_) continue;
      vertex_seen_[corner] = updates_;
      stale_vertices_.push_back(corner);
    }
  }
  // The same terms added in the same face order as ComputeNormals adds them.
  for (uint32_t v : stale_vertices_) {
    if (v >= normals.size()) continue;
    vec<float, 3> sum(0.0f);
    for (uint32_t i = first_[v]; i < first_[v + 1]; ++i) {
      const Mesh::Simplex& face = (*mesh_.Simplices())[faces_[i]];
      for (int k = 0; k < 3; ++k)
        if (face[k] == v) sum += terms_[faces_[i]][k];
    }
    normals[v] = UnitNormal(sum);
  }
}
