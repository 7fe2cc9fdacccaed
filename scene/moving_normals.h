// Smooth normals kept current while some vertices of a mesh move and its
// triangles stay: only the faces around moved vertices are measured again,
// and only their corners' normals are summed again.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scene/simplical_complex.h"

class MovingNormals {
 public:
  using Mesh = SimplicalComplex<vec<float, 3>, 3>;

  // Reads the mesh's triangles and measures every face. The mesh must
  // outlive this object and keep its triangles and vertex count.
  explicit MovingNormals(const Mesh& mesh);

  // After the listed vertices moved, rewrites the normals (one per vertex)
  // of every vertex sharing a face with one of them, with exactly what
  // ComputeNormals would give; the others are left as they are. Indices
  // past the vertices are skipped.
  void Update(const std::vector<uint32_t>& moved, std::vector<vec<float, 3>>& normals);

 private:
  void Measure(uint32_t face);

  const Mesh& mesh_;
  // The faces of vertex v are faces_[first_[v]] to faces_[first_[v + 1] - 1], in face order.
  std::vector<uint32_t> first_;
  std::vector<uint32_t> faces_;
  std::vector<std::array<vec<float, 3>, 3>> terms_;  // per face, from CornerNormals
  // The last update that touched each face and vertex, and the update count.
  std::vector<uint32_t> face_seen_, vertex_seen_;
  uint32_t updates_ = 0;
  std::vector<uint32_t> dirty_faces_, stale_vertices_;  // kept to reuse their storage
};
