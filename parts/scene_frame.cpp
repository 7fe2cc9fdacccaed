// The shared frame of a scene: camera, scene, the part's effects and the mirror pass.
#include "parts/scene_frame.h"

#include "effects/mirror.h"
#include "runtime/log.h"
#include "scene/scene.h"

namespace {

// A diagnostic: the reflection drawn whole must show the very same frames.
const bool gWholeReflection = EnvironmentSwitch("DEMO_WHOLE_REFLECTION");

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
  // The sky is drawn only where the opaque scene leaves it open.
  scene.ClearForLateBackground();
  scene.UpdateObjects();
  scene.AdvanceObjects();
  scene.BeginCamera();
  scene.RenderSceneOverBackground();
  effects();
  vec<float, 3> point, normal;
  if (mirror && MirrorPlane(*mirror, &point, &normal)) {
    BeginMirrorScissor(*mirror->Vertices());
    BeginMirrorMask();
    mirror->Render(scene);
    BeginReflection(point, normal);
    // Only what the mirror's box and plane let through is sent again.
    if (gWholeReflection) {
      scene.RenderScene();
    } else {
      scene.RenderSceneIn(ViewVolume::Current());
    }
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
