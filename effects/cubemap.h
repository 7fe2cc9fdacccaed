// Reflections of a cube map on the second texture unit: six pictures, or
// the scene rendered around the mesh every frame.
#pragma once

#include <GL/gl.h>

#include <array>
#include <string>
#include <vector>

#include "scene/attribute.h"

template <typename Mesh>
class Camera;
struct TextureRef;

class Cubemap : public Attribute {
 public:
  // Faces 256 x 256, filled only by rendering (kind 0).
  explicit Cubemap(bool dynamic_render);
  // Faces from six pictures, in the order +Z, +Y, +X, -Z, -Y, -X; the
  // face size is the first picture's.
  Cubemap(bool dynamic_render, const std::array<std::string, 6>& pictures);
  ~Cubemap() override;
  Cubemap(const Cubemap&) = delete;
  Cubemap& operator=(const Cubemap&) = delete;

  // Uploads the pictures, or renders the six faces when dynamic.
  void Update(Scene& scene, GLMesh& mesh) override;
  void Prepare(Scene&, GLMesh&) override;
  void BeginArrays(Scene&, GLMesh& mesh) override;
  void BeginImmediate(GLMesh&) override { Begin(); }
  void Vertex(GLMesh& mesh, uint32_t index) override;
  void Finish(Scene&, GLMesh&) override;
  void EndArrays(Scene&, GLMesh&) override;
  void EndImmediate(GLMesh&) override { End(); }

  // The cube-map texture that receives the faces.
  GLuint TextureName() const { return texture_; }

  bool from_pictures = false;
  bool dynamic_render;
  int32_t width = 256;
  int32_t height = 256;
  std::vector<uint8_t> pixels;  // one face, width x height x 4
  float saved_texture_matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  std::array<TextureRef*, 6> faces = {};

 private:
  void UploadPictures() const;
  void RenderFaces(Scene& scene, GLMesh& mesh);
  void RenderFace(Scene& scene, Camera<GLMesh>& camera, int face, GLenum target);
  void Begin() const;
  void End() const;

  GLuint texture_ = 0;
};
