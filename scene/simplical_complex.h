// A mesh seen as points and the simplices (triangles for K = 3) over them.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "maths/vec.h"

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

 private:
  std::vector<Point>* vertices_ = nullptr;
  std::vector<Simplex>* simplices_ = nullptr;
};

template <>
std::vector<vec<float, 3>> SimplicalComplex<vec<float, 3>, 3>::ComputeNormals() const;

// The terms ComputeNormals adds up: a face's unit normal (its corners in
// order p, q, r) weighted by its angle at each corner, in radians; zero
// angles where an edge has no length.
std::array<vec<float, 3>, 3> CornerNormals(const vec<float, 3>& p, const vec<float, 3>& q, const vec<float, 3>& r);
// A vertex's sum of terms scaled to unit length; left as it is when too
// short for that.
vec<float, 3> UnitNormal(vec<float, 3> sum);
