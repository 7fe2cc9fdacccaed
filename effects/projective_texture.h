// A texture projected onto a mesh from another mesh's location, on the
// second texture unit with eye-linear coordinates.
#pragma once

#include <GL/gl.h>

#include "maths/mat4.h"
#include "scene/attribute.h"

class ProjectiveTexture : public Attribute {
 public:
  // The projector's location projects its first texture; it is not owned.
  explicit ProjectiveTexture(GLMesh* projector) : Attribute(kProjectiveTextureKind, 0, true), projector(projector) {}

  void Prepare(Scene&, GLMesh&) override;
  void BeginArrays(Scene&, GLMesh& mesh) override;
  void BeginImmediate(GLMesh& mesh) override;
  void Vertex(GLMesh& mesh, uint32_t index) override;
  void Finish(Scene&, GLMesh&) override;
  void EndArrays(Scene&, GLMesh& mesh) override;
  void EndImmediate(GLMesh& mesh) override;

  // Rows 0 to 3 are the S, T, R and Q eye planes.
  mat4 eye_planes = mat4(1.0f);
  GLMesh* projector;

 private:
  // Without a second texture unit or a projector the attribute does nothing.
  bool Usable() const;
};
