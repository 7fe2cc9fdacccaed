// Eye-linear texture coordinates that project a texture from another mesh's location.
#include "effects/projective_texture.h"

#include <GL/glu.h>

#include "runtime/extensions.h"
#include "scene/basic_attributes.h"
#include "scene/gl_mesh.h"

namespace {

constexpr GLenum kCoordinates[4] = {GL_S, GL_T, GL_R, GL_Q};
constexpr GLenum kGenerators[4] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q};

}  // namespace

bool ProjectiveTexture::Usable() const { return gExt.glActiveTextureARB && projector; }

void ProjectiveTexture::Prepare(Scene&, GLMesh&) {
  if (!Usable()) return;
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glMatrixMode(GL_TEXTURE);
  glPushMatrix();
  glLoadIdentity();
  glTranslatef(0.5f, 0.5f, 0.0f);
  glScalef(0.5f, 0.5f, 1.0f);
  gluPerspective(45.0, 1.0, 0.1, 5.0);
  projector->ApplyInverse();
  glMatrixMode(GL_MODELVIEW);
  for (int i = 0; i < 4; ++i) glTexGenfv(kCoordinates[i], GL_EYE_PLANE, eye_planes[i].v);
}

void ProjectiveTexture::BeginImmediate(GLMesh& mesh) {
  if (!Usable()) return;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  BindFirstTexture(mesh);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  BindFirstTexture(*projector);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
  for (GLenum coordinate : kCoordinates) glTexGeni(coordinate, GL_TEXTURE_GEN_MODE, GL_EYE_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
  glEnable(GL_TEXTURE_2D);
  for (GLenum generator : kGenerators) glEnable(generator);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void ProjectiveTexture::BeginArrays(Scene&, GLMesh& mesh) {
  if (!Usable()) return;
  BeginImmediate(mesh);
  glTexCoordPointer(2, GL_FLOAT, 0, mesh.MapCoordinates().data());
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
}

void ProjectiveTexture::Vertex(GLMesh& mesh, uint32_t index) {
  if (Usable()) glTexCoord2fv(mesh.MapCoordinates()[index].v);
}

void ProjectiveTexture::Finish(Scene&, GLMesh&) {
  if (!Usable()) return;
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glMatrixMode(GL_TEXTURE);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void ProjectiveTexture::EndImmediate(GLMesh&) {
  if (!Usable()) return;
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  glDisable(GL_TEXTURE_2D);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  for (GLenum generator : kGenerators) glDisable(generator);
  glDisable(GL_TEXTURE_2D);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void ProjectiveTexture::EndArrays(Scene&, GLMesh& mesh) {
  if (!Usable()) return;
  EndImmediate(mesh);
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}
