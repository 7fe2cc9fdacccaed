// Loading, dressing and drawing one scene part through the shared scene frame.
#include "parts/scene_part.h"

#include <GL/gl.h>

#include "effects/fog.h"
#include "effects/frame_feedback.h"
#include "parts/scene_dressing.h"
#include "parts/scene_frame.h"
#include "paths/linear_path.h"
#include "runtime/log.h"

namespace {

constexpr int kShowCamera = 1;
// A diagnostic: the show without warm-ups must draw the very same frames.
const bool gNoWarmUps = EnvironmentSwitch("DEMO_NO_WARM_UP");

}  // namespace

ScenePart::~ScenePart() {
  for (Attribute* attribute : veil_) delete attribute;
}

void ScenePart::SetMirror(GLMesh* mirror, AttributeList veil) {
  for (Attribute* attribute : veil_) delete attribute;
  mirror_ = mirror;
  veil_ = std::move(veil);
}

bool ScenePart::Load() {
  scene_.Load(setup_.scene_file);
  Dress(scene_);
  scene_.SetScale(kSceneScale);
  scene_.BuildRenderList(true);
  camera_ = scene_.FindObject("Camera01");
  scene_.SetCamera(kShowCamera);
  WarmUp();
  return true;
}

void ScenePart::WarmUp() {
  if (gNoWarmUps) return;
  const Fog fog = gFog;
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  SetEveningFog(setup_.fog_end, setup_.fog_mode_before_enable);  // the fog is part of what the driver compiles
  SetPathStep(0.0f);
  DrawSceneFrame(scene_, mirror_, [this] { DrawEffects(); }, veil_);
  DrawTrail(true);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glPopAttrib();
  gFog = fog;
}

void ScenePart::DrawTrail(bool warm_up) {
  if (!trail_) return;
  const float opacity =
      setup_.trail_opacity == kStoredOpacity ? gFrameFeedback.Opacity() : setup_.trail_opacity;
  if (warm_up) {
    gFrameFeedback.WarmUp(opacity);
  } else {
    gFrameFeedback.Draw(opacity);
  }
}

void ScenePart::Begin() {
  if (begun_) return;
  SetEveningFog(setup_.fog_end, setup_.fog_mode_before_enable);
  gFrameFeedback.Restart();  // the part's first frame starts the trail afresh
  begun_ = true;
}

bool ScenePart::Frame(float t) {
  const float dt = t - previous_t_;
  SetPathStep(dt * setup_.keyframes_per_second);
  Animate(t, dt);
  if (camera_) camera_->Update();
  DrawSceneFrame(scene_, mirror_, [this] { DrawEffects(); }, veil_);
  DrawTrail(false);
  scene_.Swap();
  previous_t_ = t;
  return true;
}
