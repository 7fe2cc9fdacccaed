// What each everyday attribute sets before a mesh is drawn and restores after it.
#include "scene/basic_attributes.h"

#include "runtime/extensions.h"
#include "scene/gl_mesh.h"
#include "textures/texture_manager.h"

void BindFirstTexture(const GLMesh& mesh) {
  const TextureRef* texture = mesh.FirstTexture();
  glBindTexture(GL_TEXTURE_2D, texture ? texture->id : 0);
}

Color::Color(float r, float g, float b, float a) : Attribute(kPlainColorKind), color{r, g, b, a} {}

void Color::Begin() const { glColor4f(color[0], color[1], color[2], color[3]); }

void Texture::BeginImmediate(GLMesh& mesh) {
  glEnable(GL_TEXTURE_2D);
  BindFirstTexture(mesh);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

void Texture::BeginArrays(Scene&, GLMesh& mesh) {
  BeginImmediate(mesh);
  glTexCoordPointer(2, GL_FLOAT, 0, mesh.MapCoordinates().data());
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void Texture::Vertex(GLMesh& mesh, uint32_t index) { glTexCoord2fv(mesh.MapCoordinates()[index].v); }

void Texture::EndImmediate(GLMesh&) { glDisable(GL_TEXTURE_2D); }

void Texture::EndArrays(Scene&, GLMesh& mesh) {
  EndImmediate(mesh);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void Lighting::BeginImmediate(GLMesh&) { glEnable(GL_LIGHTING); }

void Lighting::BeginArrays(Scene&, GLMesh& mesh) {
  glEnable(GL_LIGHTING);
  glNormalPointer(GL_FLOAT, 0, mesh.Normals().data());
  glEnableClientState(GL_NORMAL_ARRAY);
}

void Lighting::Vertex(GLMesh& mesh, uint32_t index) { glNormal3fv(mesh.Normals()[index].v); }

void Lighting::EndImmediate(GLMesh&) { glDisable(GL_LIGHTING); }

void Lighting::EndArrays(Scene&, GLMesh&) {
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisable(GL_LIGHTING);
}

void DoubleSided::BeginArrays(Scene&, GLMesh&) { glDisable(GL_CULL_FACE); }
void DoubleSided::BeginImmediate(GLMesh&) { glDisable(GL_CULL_FACE); }
void DoubleSided::EndArrays(Scene&, GLMesh&) { glEnable(GL_CULL_FACE); }
void DoubleSided::EndImmediate(GLMesh&) { glEnable(GL_CULL_FACE); }

void Transparency::SetBlendColor(float r, float g, float b, float a) {
  blend_color[0] = r;
  blend_color[1] = g;
  blend_color[2] = b;
  blend_color[3] = a;
}

void Transparency::Begin() const {
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(source, destination);
  if (gExt.glBlendEquation) gExt.glBlendEquation(equation);
  if (gExt.glBlendColorEXT) gExt.glBlendColorEXT(blend_color[0], blend_color[1], blend_color[2], blend_color[3]);
  glDepthMask(GL_FALSE);
}

void Transparency::End() {
  glDisable(GL_BLEND);
  glEnable(GL_CULL_FACE);
  glDepthMask(GL_TRUE);
}

void Masking::Begin() const {
  glAlphaFunc(function, reference);
  glEnable(GL_ALPHA_TEST);
}

EnvironmentMap::EnvironmentMap(const TextureRef* texture) : Attribute(kTextureKind) {
  if (!texture) return;
  // Once, before anything is drawn: set while drawing, it changed in the first
  // frame drawn (the warm-up's, or without one the part's first), after the
  // objects drawn earlier in that frame that show the same texture.
  GLint bound = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  glBindTexture(GL_TEXTURE_2D, texture->id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(bound));
}

void EnvironmentMap::Begin() {
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
  glEnable(GL_TEXTURE_GEN_S);
  glEnable(GL_TEXTURE_GEN_T);
}

void EnvironmentMap::End() {
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}
