// The machine halls' shared setup and dressing: sky, lights, panels, chrome and the numbered blocks.
#include "parts/machine_hall.h"

#include <string>

#include "effects/multi_texture.h"
#include "parts/scene_dressing.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "scene/window_space.h"

namespace {

constexpr float kKeyframesPerSecond = 25.0f;
constexpr float kFogEnd = 200.0f;
constexpr bool kFogModeBeforeEnable = false;

}  // namespace

ScenePart::Setup MachineSetup(const char* scene_file, float trail_opacity) {
  return {scene_file, kKeyframesPerSecond, kFogEnd, kFogModeBeforeEnable, trail_opacity};
}

void DressMachineHall(Scene& scene) {
  LightDiffusely(scene);
  DressSelfLit(scene, "blue_spa.jpg");
}

void DressChrome(GLMesh* object) {
  if (object) object->AddAttribute(new EnvironmentMap(object->FirstTexture()));
}

void DressSheen(GLMesh& object, const TextureRef& picture, GLenum mode) {
  DropAttributes(object, kTextureKind);
  auto* sheen = new MultiTexture();
  sheen->SetGenerate0(false);  // the object's own texture keeps its map
  sheen->SetTexture1(static_cast<int32_t>(picture.id));
  sheen->SetGenerate1(true);
  sheen->SetMode1(mode);
  object.AddAttribute(sheen);
}

void DrawSkyWhereOpen(const TextureRef& sky) {
  glDepthFunc(GL_LEQUAL);
  glDepthMask(GL_FALSE);
  glEnable(GL_TEXTURE_2D);
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBindTexture(GL_TEXTURE_2D, sky.id);
  PushWindowMatrices();
  DrawWindowPicture(1.0f);
  PopWindowMatrices();
  glDisable(GL_TEXTURE_2D);
  glDepthMask(GL_TRUE);
  glDepthFunc(GL_LESS);
}

int DressNumberedBoxes(Scene& scene, const TextureRef& chrome) {
  int count = 0;
  while (GLMesh* box = scene.FindObject("Box" + std::to_string(count + 1))) {
    DressSheen(*box, chrome, GL_MODULATE);
    ++count;
  }
  return count;
}
