// Two texture units at once: each with its own texture, environment mode and
// optional generated coordinates.
#pragma once

#include <GL/gl.h>

#include "scene/attribute.h"

class MultiTexture : public Attribute {
 public:
  struct Unit {
    GLenum mode;
    int32_t texture;  // GL texture name; -1 is the mesh's first texture
    bool generate;    // generated coordinates instead of the map coordinates
    GLenum generation_mode;
  };

  MultiTexture() : Attribute(kMultiTextureKind) {}

  void SetMode0(GLenum mode) { units[0].mode = mode; }
  void SetMode1(GLenum mode) { units[1].mode = mode; }
  void SetTexture0(int32_t texture) { units[0].texture = texture; }
  void SetTexture1(int32_t texture) { units[1].texture = texture; }
  void SetGenerate0(bool generate) { units[0].generate = generate; }
  void SetGenerate1(bool generate) { units[1].generate = generate; }
  void SetGenerationMode0(GLenum mode) { units[0].generation_mode = mode; }
  void SetGenerationMode1(GLenum mode) { units[1].generation_mode = mode; }

  void BeginArrays(Scene&, GLMesh& mesh) override;
  void BeginImmediate(GLMesh& mesh) override;
  void Vertex(GLMesh& mesh, uint32_t index) override;
  void EndArrays(Scene&, GLMesh& mesh) override;
  void EndImmediate(GLMesh& mesh) override;

  Unit units[2] = {{GL_MODULATE, -1, true, GL_SPHERE_MAP}, {GL_MODULATE, -1, false, GL_SPHERE_MAP}};
};
