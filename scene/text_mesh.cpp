// Textured triangle meshes: map coordinates, per-face textures and the frame matrix.
#include "scene/text_mesh.h"

#include "textures/texture_manager.h"

template <typename Point, typename Scalar, typename MapCoordinate, int K>
TextMesh<Point, Scalar, MapCoordinate, K>::TextMesh(const PathLocation& location) : BasicMesh<Point, K>(location) {
  face_textures_.push_back(GetTexture("default", "default"));
  SetFrame(mat4(1.0f));
  this->Set(&vertices_, &triangles_);
}

template <typename Point, typename Scalar, typename MapCoordinate, int K>
void TextMesh<Point, Scalar, MapCoordinate, K>::SetGeometry(std::vector<Point> vertices,
                                                            std::vector<Simplex> triangles,
                                                            std::vector<MapCoordinate> map_coordinates,
                                                            std::vector<TextureRef*> face_textures) {
  // Triangles that name a vertex past the array are dropped with their
  // texture, so that drawing never reads outside the vertices.
  size_t kept = 0;
  for (size_t t = 0; t < triangles.size(); ++t) {
    bool inside = true;
    for (uint32_t index : triangles[t]) inside = inside && index < vertices.size();
    if (!inside) continue;
    triangles[kept] = triangles[t];
    if (t < face_textures.size()) face_textures[kept] = face_textures[t];
    ++kept;
  }
  if (kept < face_textures.size()) face_textures.resize(kept);
  triangles.resize(kept);
  // Every vertex has a map coordinate for the texture-coordinate array.
  map_coordinates.resize(vertices.size(), MapCoordinate(Scalar(0)));

  vertices_ = std::move(vertices);
  triangles_ = std::move(triangles);
  map_coordinates_ = std::move(map_coordinates);
  face_textures_ = std::move(face_textures);
  this->Set(&vertices_, &triangles_);
  normals_ = this->ComputeNormals();
}

template <typename Point, typename Scalar, typename MapCoordinate, int K>
void TextMesh<Point, Scalar, MapCoordinate, K>::RecomputeNormals() {
  normals_ = this->ComputeNormals();
}

template <typename Point, typename Scalar, typename MapCoordinate, int K>
void TextMesh<Point, Scalar, MapCoordinate, K>::SwapSurface(std::vector<Point>& vertices,
                                                            std::vector<Simplex>& triangles,
                                                            std::vector<Point>& normals) {
  vertices_.swap(vertices);
  triangles_.swap(triangles);
  normals_.swap(normals);
  map_coordinates_.resize(vertices_.size(), MapCoordinate(Scalar(0)));
}

template <typename Point, typename Scalar, typename MapCoordinate, int K>
void TextMesh<Point, Scalar, MapCoordinate, K>::SetFrame(const mat4& frame) {
  frame_ = frame;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) frame_array_[4 * i + j] = frame(i, j);
}

template class TextMesh<vec<float, 3>, float, vec<float, 2>, 3>;
