// The everyday render attributes: colour, texture, lighting, culling,
// blending, alpha testing and sphere mapping.
#pragma once

#include <GL/gl.h>

#include "scene/attribute.h"

struct TextureRef;

// Binds the mesh's first texture to GL_TEXTURE_2D of the active unit, or no
// texture when the mesh has none.
void BindFirstTexture(const GLMesh& mesh);

// Sets the current colour; kind 0 when built from four values.
class Color : public Attribute {
 public:
  Color() : Attribute(kColorKind) {}
  Color(float r, float g, float b, float a);
  void BeginArrays(Scene&, GLMesh&) override { Begin(); }
  void BeginImmediate(GLMesh&) override { Begin(); }

  float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};

 private:
  void Begin() const;
};

// The mesh's first texture with its map coordinates.
class Texture : public Attribute {
 public:
  Texture() : Attribute(kTextureKind) {}
  void BeginArrays(Scene&, GLMesh& mesh) override;
  void BeginImmediate(GLMesh& mesh) override;
  void Vertex(GLMesh& mesh, uint32_t index) override;
  void EndArrays(Scene&, GLMesh&) override;
  void EndImmediate(GLMesh&) override;
};

// Lighting with the mesh's normals.
class Lighting : public Attribute {
 public:
  Lighting() : Attribute(kLightingKind) {}
  void BeginArrays(Scene&, GLMesh& mesh) override;
  void BeginImmediate(GLMesh&) override;
  void Vertex(GLMesh& mesh, uint32_t index) override;
  void EndArrays(Scene&, GLMesh&) override;
  void EndImmediate(GLMesh&) override;
};

// Both faces drawn: culling off during the draw.
class DoubleSided : public Attribute {
 public:
  DoubleSided() : Attribute(kDoubleSidedKind) {}
  void BeginArrays(Scene&, GLMesh&) override;
  void BeginImmediate(GLMesh&) override;
  void EndArrays(Scene&, GLMesh&) override;
  void EndImmediate(GLMesh&) override;
};

// Blending without depth writes. Afterwards culling and depth writes are on.
class Transparency : public Attribute {
 public:
  Transparency(GLenum source, GLenum destination) : Attribute(kTransparencyKind, 1), source(source), destination(destination) {}
  void SetEquation(GLenum e) { equation = e; }
  void SetBlendColor(float r, float g, float b, float a);
  void BeginArrays(Scene&, GLMesh&) override { Begin(); }
  void BeginImmediate(GLMesh&) override { Begin(); }
  void EndArrays(Scene&, GLMesh&) override { End(); }
  void EndImmediate(GLMesh&) override { End(); }

  GLenum source;
  GLenum destination;
  GLenum equation = GL_FUNC_ADD;
  float blend_color[4] = {0.5f, 0.5f, 0.5f, 0.5f};

 private:
  void Begin() const;
  static void End();
};

// Alpha testing with the given function and reference.
class Masking : public Attribute {
 public:
  Masking(GLenum function, float reference) : Attribute(kMaskingKind), function(function), reference(reference) {}
  void BeginArrays(Scene&, GLMesh&) override { Begin(); }
  void BeginImmediate(GLMesh&) override { Begin(); }
  void EndArrays(Scene&, GLMesh&) override { glDisable(GL_ALPHA_TEST); }
  void EndImmediate(GLMesh&) override { glDisable(GL_ALPHA_TEST); }

  GLenum function;
  float reference;

 private:
  void Begin() const;
};

// Sphere-mapped coordinates for whatever texture is bound (the mesh's
// Texture attribute placed before it, or the last one bound). `texture`, the
// one it will map, is filtered linearly without its mipmaps from here on,
// for every object that shows it; the binding is left as it was. Drawing
// changes no texture's parameters. Null leaves the textures as they are.
class EnvironmentMap : public Attribute {
 public:
  explicit EnvironmentMap(const TextureRef* texture);
  void BeginArrays(Scene&, GLMesh&) override { Begin(); }
  void BeginImmediate(GLMesh&) override { Begin(); }
  void EndArrays(Scene&, GLMesh&) override { End(); }
  void EndImmediate(GLMesh&) override { End(); }

 private:
  static void Begin();
  static void End();
};
