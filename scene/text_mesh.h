// Triangle meshes standing on a location: the bare mesh, and the textured
// mesh with normals, map coordinates, a texture per face, a name and a frame
// matrix.
#pragma once

#include <string>
#include <vector>

#include "maths/mat4.h"
#include "maths/vec.h"
#include "paths/path_location.h"
#include "scene/simplical_complex.h"

struct TextureRef;

template <typename Point, int K>
class BasicMesh : public SimplicalComplex<Point, K>, public PathLocation {
 public:
  using typename SimplicalComplex<Point, K>::Simplex;

  // Copies the location it stands on.
  explicit BasicMesh(const PathLocation& location) : PathLocation(location) {}

  void Set(std::vector<Point>* vertices, std::vector<Simplex>* simplices) override {
    SimplicalComplex<Point, K>::Set(vertices, simplices);
  }
};

template <typename Point, typename Scalar, typename MapCoordinate, int K>
class TextMesh : public BasicMesh<Point, K> {
 public:
  using typename BasicMesh<Point, K>::Simplex;

  // Empty geometry, the name "N.N", the identity frame and one face texture:
  // the shared "default".
  explicit TextMesh(const PathLocation& location);

  // Takes the arrays and computes the normals.
  virtual void SetGeometry(std::vector<Point> vertices, std::vector<Simplex> triangles,
                           std::vector<MapCoordinate> map_coordinates, std::vector<TextureRef*> face_textures);
  // Replaces the normals with fresh ones, after the vertices moved.
  void RecomputeNormals();
  // For a surface rebuilt every frame with normals of its own: exchanges the
  // vertex, triangle and normal arrays with the given ones, whose old
  // contents the caller gets back to fill again. The triangles must index
  // the vertices and the normals must match them; the map coordinates are
  // sized to match (new ones are 0).
  void SwapSurface(std::vector<Point>& vertices, std::vector<Simplex>& triangles, std::vector<Point>& normals);

  void SetName(const std::string& name) { name_ = name; }
  const std::string& Name() const { return name_; }

  // The frame matrix; OpenGL gets its 16 floats in row order, so it reads
  // the rows as columns.
  void SetFrame(const mat4& frame);
  const mat4& Frame() const { return frame_; }
  const float* FrameArray() const { return frame_array_; }

  std::vector<Point>& VertexArray() { return vertices_; }
  const std::vector<Point>& VertexArray() const { return vertices_; }
  const std::vector<Simplex>& Triangles() const { return triangles_; }
  std::vector<Point>& Normals() { return normals_; }
  const std::vector<Point>& Normals() const { return normals_; }
  const std::vector<MapCoordinate>& MapCoordinates() const { return map_coordinates_; }
  const std::vector<TextureRef*>& FaceTextures() const { return face_textures_; }
  // The texture of the first face (null for a face without a material).
  TextureRef* FirstTexture() const { return face_textures_.empty() ? nullptr : face_textures_[0]; }
  // Makes `texture` the first face's, the one attributes bind for the mesh.
  void SetFirstTexture(TextureRef* texture) {
    if (face_textures_.empty()) face_textures_.push_back(texture);
    face_textures_[0] = texture;
  }

 private:
  std::vector<Point> vertices_;
  std::vector<Simplex> triangles_;
  std::vector<Point> normals_;
  std::vector<MapCoordinate> map_coordinates_;
  std::vector<TextureRef*> face_textures_;
  std::string name_ = "N.N";
  mat4 frame_ = mat4(1.0f);
  float frame_array_[16];
};

using Mesh3 = TextMesh<vec<float, 3>, float, vec<float, 2>, 3>;
extern template class TextMesh<vec<float, 3>, float, vec<float, 2>, 3>;
