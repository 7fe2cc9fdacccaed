// The shared frame of a scene: camera, scene, the part's effects, the mirror pass and the trail.
#include "parts/scene_frame.h"

#include <cstring>
#include <string>

#include "archive/afile.h"
#include "effects/mirror.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"

namespace {

constexpr float kAmbientShare = 0.35f;

// The mirror's plane through its first three vertices, in its own
// coordinates: mirrors are authored in world space with an identity matrix.
bool MirrorPlane(const GLMesh& mirror, vec<float, 3>* point, vec<float, 3>* normal) {
  const auto* vertices = mirror.Vertices();
  if (!vertices || vertices->size() < 3) return false;
  const vec<float, 3>& p0 = (*vertices)[0];
  *normal = Cross((*vertices)[2] - p0, (*vertices)[1] - p0);
  if (normal->Length() == 0.0f) return false;
  normal->Normalize();
  *point = p0;
  return true;
}

}  // namespace

void DrawSceneFrame(Scene& scene, GLMesh* mirror, const std::function<void()>& effects, const AttributeList& veil) {
  scene.Clear(true);
  scene.UpdateObjects();
  scene.AdvanceObjects();
  scene.BeginCamera();
  scene.RenderScene();
  effects();
  vec<float, 3> point, normal;
  if (mirror && MirrorPlane(*mirror, &point, &normal)) {
    BeginMirrorScissor(*mirror->Vertices());
    BeginMirrorMask();
    mirror->Render(scene);
    BeginReflection(point, normal);
    scene.RenderScene();
    effects();
    EndReflection();
    if (!veil.empty()) {
      // Only over the reflection: it cleared the depth of everything else.
      glEnable(GL_STENCIL_TEST);
      glStencilFunc(GL_EQUAL, 1, 1);
      mirror->RenderWith(scene, veil);
      glDisable(GL_STENCIL_TEST);
    }
    EndMirrorScissor();
  }
  scene.EndCamera();
}

TextureRef* SkyTexture(Scene& scene) { return scene.Textures().GetTexture("stoka", "skysun2.jpg"); }

void PushSkyBackground(Scene& scene) { scene.PushBackground(SkyTexture(scene)); }

void LightDiffusely(Scene& scene) {
  for (Light* light : scene.Lights()) {
    const vec<float, 4>& c = light->Ambient();
    light->SetDiffuse(c[0], c[1], c[2], 1.0f);
    light->SetAmbient(c[0] * kAmbientShare, c[1] * kAmbientShare, c[2] * kAmbientShare, 1.0f);
  }
}

void DropAttributes(GLMesh& object, int32_t kind) {
  AttributeList dropped;
  for (Attribute* attribute : object.Attributes())
    if (attribute->kind == kind) dropped.push_back(attribute);
  object.RemoveAttributes(kind);
  for (Attribute* attribute : dropped) delete attribute;  // removal leaves them to us
}

void DressSelfLit(Scene& scene, const char* image) {
  for (GLMesh* mesh : scene.CollectObjects()) {
    const TextureRef* texture = mesh->FirstTexture();
    if (texture && texture->image && texture->image->name && std::strcmp(texture->image->name, image) == 0)
      DropAttributes(*mesh, kLightingKind);
  }
}

void FreeFromTracks(GLMesh& object) {
  object.PositionPath() = KeyframePath<float, 3>();
  object.RotationPath() = KeyframePath<float, 1>();
  object.SetCacheable(false);
}

void DressCutOut(GLMesh& object) {
  object.AddAttribute(new Masking(GL_NOTEQUAL, 0));
  object.AddAttribute(new DoubleSided());
}

void DressMaskedCutOuts(Scene& scene) {
  for (GLMesh* mesh : scene.CollectObjects()) {
    const TextureRef* texture = mesh->FirstTexture();
    if (!texture || !texture->image || !texture->image->name) continue;
    const std::string image = texture->image->name;
    if (image.size() < 4) continue;
    uint32_t size = 0;
    const std::string mask = image.substr(0, image.size() - 4) + ".mask";
    if (FindInArchives(gArchives, mask.c_str(), &size)) DressCutOut(*mesh);
  }
}
