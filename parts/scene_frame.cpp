// The shared frame of a scene: camera, scene, the part's effects, the mirror pass and the trail.
#include "parts/scene_frame.h"

#include <string>

#include "archive/afile.h"
#include "effects/basic_attributes.h"
#include "effects/mirror.h"
#include "scene/scene.h"

namespace {

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

void DrawSceneFrame(Scene& scene, GLMesh* mirror, const std::function<void()>& effects) {
  scene.Clear(true);
  scene.UpdateObjects();
  scene.AdvanceObjects();
  scene.BeginCamera();
  scene.RenderScene();
  effects();
  vec<float, 3> point, normal;
  if (mirror && MirrorPlane(*mirror, &point, &normal)) {
    BeginMirrorMask();
    mirror->Render(scene);
    BeginReflection(point, normal);
    scene.RenderScene();
    effects();
    EndReflection();
  }
  scene.EndCamera();
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
