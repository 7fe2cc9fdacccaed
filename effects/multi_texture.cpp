// Setting up and tearing down the two texture units of a multitexture attribute.
#include "effects/multi_texture.h"

#include "runtime/extensions.h"
#include "scene/gl_mesh.h"
#include "textures/texture_manager.h"

namespace {

GLenum UnitName(int unit) { return GL_TEXTURE0_ARB + unit; }

}  // namespace

void MultiTexture::BeginImmediate(GLMesh& mesh) {
  if (!gExt.glActiveTextureARB) return;
  for (int u = 0; u < 2; ++u) {
    const Unit& unit = units[u];
    gExt.glActiveTextureARB(UnitName(u));
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const TextureRef* first = mesh.FirstTexture();
    const GLuint texture = unit.texture != -1 ? static_cast<GLuint>(unit.texture) : (first ? first->id : 0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, unit.mode);
    if (unit.generate) {
      glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, unit.generation_mode);
      glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, unit.generation_mode);
      glEnable(GL_TEXTURE_GEN_S);
      glEnable(GL_TEXTURE_GEN_T);
    }
  }
  gExt.glActiveTextureARB(UnitName(0));
}

void MultiTexture::BeginArrays(Scene&, GLMesh& mesh) {
  if (gExt.glClientActiveTextureARB) {
    for (int u = 0; u < 2; ++u) {
      if (units[u].generate) continue;
      gExt.glClientActiveTextureARB(UnitName(u));
      glTexCoordPointer(2, GL_FLOAT, 0, mesh.MapCoordinates().data());
      glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    gExt.glClientActiveTextureARB(UnitName(0));
  }
  BeginImmediate(mesh);
}

void MultiTexture::Vertex(GLMesh& mesh, uint32_t index) {
  if (!gExt.glMultiTexCoord2fARB) return;
  const vec<float, 2>& uv = mesh.MapCoordinates()[index];
  for (int u = 0; u < 2; ++u)
    if (!units[u].generate) gExt.glMultiTexCoord2fARB(UnitName(u), uv[0], uv[1]);
}

void MultiTexture::EndImmediate(GLMesh&) {
  if (!gExt.glActiveTextureARB) return;
  for (int u = 1; u >= 0; --u) {
    gExt.glActiveTextureARB(UnitName(u));
    glDisable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (units[u].generate) {
      glDisable(GL_TEXTURE_GEN_S);
      glDisable(GL_TEXTURE_GEN_T);
    }
  }
}

void MultiTexture::EndArrays(Scene&, GLMesh& mesh) {
  if (gExt.glClientActiveTextureARB) {
    for (int u = 0; u < 2; ++u) {
      if (units[u].generate) continue;
      gExt.glClientActiveTextureARB(UnitName(u));
      glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    }
    gExt.glClientActiveTextureARB(UnitName(0));
  }
  EndImmediate(mesh);
}
