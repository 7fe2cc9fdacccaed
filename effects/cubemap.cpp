// Cube-map reflections: the six faces from pictures, or from the scene rendered round the mesh each frame.
#include "effects/cubemap.h"

#include <GL/glu.h>

#include <cstdio>

#include "maths/mat4.h"
#include "maths/pi.h"
#include "runtime/extensions.h"
#include "scene/camera.h"
#include "scene/scene.h"
#include "textures/texture_manager.h"

namespace {

using vec3 = vec<float, 3>;

constexpr GLenum kGenerators[3] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};
// Where picture i goes.
constexpr GLenum kPictureFaces[6] = {
    GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_POSITIVE_X,
    GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_X,
};

}  // namespace

// Without pictures the kind is 0, the value a plain Color has too.
Cubemap::Cubemap(bool dynamic_render) : Attribute(kPlainColorKind), dynamic_render(dynamic_render) {
  pixels.resize(static_cast<size_t>(width) * height * 4);
  glGenTextures(1, &texture_);
}

Cubemap::Cubemap(bool dynamic_render, const std::array<std::string, 6>& pictures)
    : Attribute(kCubemapKind, 0, true), from_pictures(true), dynamic_render(dynamic_render) {
  TextureManager registry;
  for (int i = 0; i < 6; ++i) {
    char name[24];  // room for any int, so the compiler sees no truncation
    std::snprintf(name, sizeof name, "Cubemap%02d", i + 1);
    faces[i] = registry.GetTexture(name, pictures[i]);
  }
  width = faces[0]->image->width;
  height = faces[0]->image->height;
  for (const TextureRef* face : faces) {
    if (face->image->width != width || face->image->height != height) {
      std::printf("Cubemap: '%s' is %dx%d, not %dx%d like the first picture: face left empty\n", face->image->name,
                  face->image->width, face->image->height, width, height);
    }
  }
  pixels.resize(static_cast<size_t>(width) * height * 4);
  glGenTextures(1, &texture_);
}

Cubemap::~Cubemap() { glDeleteTextures(1, &texture_); }

void Cubemap::Update(Scene& scene, GLMesh& mesh) {
  if (dynamic_render) {
    RenderFaces(scene, mesh);
  } else if (from_pictures) {
    UploadPictures();
  }
}

void Cubemap::UploadPictures() const {
  glBindTexture(GL_TEXTURE_CUBE_MAP, texture_);
  for (int i = 0; i < 6; ++i) {
    const TextureImage& image = *faces[i]->image;
    // A picture of another size would be read past its pixels.
    if (image.width != width || image.height != height) continue;
    glTexImage2D(kPictureFaces[i], 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, image.pixels);
  }
}

void Cubemap::RenderFaces(Scene& scene, GLMesh& mesh) {
  mesh.PushVisibility(0);
  const vec3 p = mesh.Position();
  Camera<GLMesh> camera(PathLocation(p, p + vec3(0.0f, 0.0f, -1.0f), vec3(0.0f, 1.0f, 0.0f)), 45.0f, 1.3333334f);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  gluPerspective(90.0, 1.0, 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  GLint picture[4];  // the viewport to return to: the show's picture
  glGetIntegerv(GL_VIEWPORT, picture);
  glViewport(0, 0, width, height);

  camera.TurnYBack(kPi);
  camera.TurnZ(kPi);
  RenderFace(scene, camera, 0, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z);
  camera.TurnYBack(kPi / 2);
  RenderFace(scene, camera, 1, GL_TEXTURE_CUBE_MAP_NEGATIVE_X);
  camera.TurnYBack(kPi / 2);
  RenderFace(scene, camera, 2, GL_TEXTURE_CUBE_MAP_POSITIVE_Z);
  camera.TurnYBack(kPi / 2);
  RenderFace(scene, camera, 3, GL_TEXTURE_CUBE_MAP_POSITIVE_X);
  camera.TurnXBack(kPi / 2);
  camera.TurnZ(kPi / 2);
  RenderFace(scene, camera, 4, GL_TEXTURE_CUBE_MAP_POSITIVE_Y);
  camera.TurnXBack(kPi);
  RenderFace(scene, camera, 5, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y);

  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glViewport(picture[0], picture[1], picture[2], picture[3]);
  mesh.PopVisibility();
}

void Cubemap::RenderFace(Scene& scene, Camera<GLMesh>& camera, int face, GLenum target) {
  if (from_pictures) scene.PushBackground(faces[face]);
  scene.Clear(true);
  // The face sees the scene through the turned camera.
  glLoadIdentity();
  scene.ApplyScale();
  camera.ApplyView();
  scene.RenderSceneWith(nullptr);
  if (from_pictures) scene.PopBackground();
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  glBindTexture(GL_TEXTURE_CUBE_MAP, texture_);
  glTexImage2D(target, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
}

void Cubemap::Prepare(Scene&, GLMesh&) {
  if (!gExt.glActiveTextureARB) return;
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glGetFloatv(GL_TEXTURE_MATRIX, saved_texture_matrix);
  float model_view[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, model_view);
  // The inverse rotation turns eye-space reflections back into the
  // directions of the cube.
  mat4 rotation(1.0f);
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) rotation(r, c) = model_view[4 * c + r];
  float texture_matrix[16];
  for (int i = 0; i < 16; ++i) texture_matrix[i] = saved_texture_matrix[i];
  mat4 inverse;
  if (Invert(rotation, inverse) == 0) {
    for (int r = 0; r < 3; ++r)
      for (int c = 0; c < 3; ++c) texture_matrix[4 * c + r] = inverse(r, c);
  }
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixf(texture_matrix);
  glMatrixMode(GL_MODELVIEW);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void Cubemap::Begin() const {
  if (!gExt.glActiveTextureARB) return;
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glBindTexture(GL_TEXTURE_CUBE_MAP, texture_);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
  glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
  glTexGeni(GL_R, GL_TEXTURE_GEN_MODE, GL_REFLECTION_MAP);
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_BLEND);
  glEnable(GL_TEXTURE_CUBE_MAP);
  for (GLenum generator : kGenerators) glEnable(generator);
  glEnable(GL_NORMALIZE);
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void Cubemap::BeginArrays(Scene&, GLMesh& mesh) {
  if (!gExt.glActiveTextureARB) return;
  Begin();
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glNormalPointer(GL_FLOAT, 0, mesh.Normals().data());
  glEnableClientState(GL_NORMAL_ARRAY);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void Cubemap::Vertex(GLMesh& mesh, uint32_t index) {
  if (gExt.glActiveTextureARB) glNormal3fv(mesh.Normals()[index].v);
}

void Cubemap::Finish(Scene&, GLMesh&) {
  if (!gExt.glActiveTextureARB) return;
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glMatrixMode(GL_TEXTURE);
  glLoadMatrixf(saved_texture_matrix);
  glMatrixMode(GL_MODELVIEW);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void Cubemap::End() const {
  if (!gExt.glActiveTextureARB) return;
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisable(GL_TEXTURE_CUBE_MAP);
  for (GLenum generator : kGenerators) glDisable(generator);
  glDisable(GL_NORMALIZE);
  glDisable(GL_TEXTURE_2D);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

void Cubemap::EndArrays(Scene&, GLMesh&) {
  if (!gExt.glActiveTextureARB) return;
  End();
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glDisableClientState(GL_NORMAL_ARRAY);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}
