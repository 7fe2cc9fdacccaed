// A mesh seen as points and the simplices (triangles for K = 3) over them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "scene/vec.h"

template <typename Point, int K>
class SimplicalComplex {
 public:
  // K indices into the vertices, corners in the order that gives the face
  // its orientation.
  using Simplex = std::array<uint32_t, K>;

  virtual ~SimplicalComplex() = default;

  // Stores both pointers; the caller (a derived mesh) owns the arrays.
  virtual void Set(std::vector<Point>* vertices, std::vector<Simplex>* simplices) {
    vertices_ = vertices;
    simplices_ = simplices;
  }

  std::vector<Point>* Vertices() const { return vertices_; }
  std::vector<Simplex>* Simplices() const { return simplices_; }

  // One smooth normal per vertex: the unit sum of the normals of the faces
  // around it, each weighted by the face's corner angle there. A vertex that
  // no usable face touches gets (0, 0, 0). Faces with an index outside the
  // vertices are skipped.
  std::vector<Point> ComputeNormals() const;

  // The faces around each vertex, in face order: those of vertex v are
  // faces[first[v]] to faces[first[v + 1] - 1]. Built once for meshes whose
  // vertices move but whose triangles stay.
  struct VertexFaces {
    std::vector<uint32_t> first;
    std::vector<uint32_t> faces;
  };
  VertexFaces FacesAroundVertices() const;
  // The normal that ComputeNormals gives the vertex, from its faces alone.
  Point ComputeNormal(uint32_t vertex, const VertexFaces& around) const;

 private:
  std::vector<Point>* vertices_ = nullptr;
  std::vector<Simplex>* simplices_ = nullptr;
};

template <>
std::vector<vec<float, 3>> SimplicalComplex<vec<float, 3>, 3>::ComputeNormals() const;
template <>
SimplicalComplex<vec<float, 3>, 3>::VertexFaces SimplicalComplex<vec<float, 3>, 3>::FacesAroundVertices() const;
template <>
vec<float, 3> SimplicalComplex<vec<float, 3>, 3>::ComputeNormal(uint32_t vertex, const VertexFaces& around) const;
