// The show's assembly: which part plays where, and the pictures, fades, lights and music the timeline draws on.
#include "app/show_stage.h"

#include <GL/gl.h>

#include "effects/bitmap.h"
#include "effects/screen_fade.h"
#include "parts/natu1.h"
#include "parts/natu2.h"
#include "parts/natu3.h"
#include "parts/techno1.h"
#include "parts/techno2.h"
#include "parts/techno3.h"
#include "runtime/music.h"
#include "runtime/present.h"

namespace {

std::unique_ptr<Effect> MakeScenePart(ScenePartId part) {
  switch (part) {
    case ScenePartId::Natu1: return std::make_unique<Natu1>();
    case ScenePartId::Techno1: return std::make_unique<Techno1>();
    case ScenePartId::Natu2: return std::make_unique<Natu2>();
    case ScenePartId::Techno2: return std::make_unique<Techno2>();
    case ScenePartId::Natu3: return std::make_unique<Natu3>();
    case ScenePartId::Techno3: return std::make_unique<Techno3>();
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<Effect> DemoStage::CreateIntro() {
  auto intro = std::make_unique<Intro>(MakeScenePart);
  intro_ = intro.get();
  return intro;
}

bool DemoStage::LoadingStep(float, ShowParts& parts) { return intro_ ? intro_->LoadingStep(parts) : true; }

void DemoStage::DrawPicture(Picture picture, float opacity) {
  const Bitmap* bitmap = picture == Picture::Interlude ? gInterludePicture : gClosingPicture;
  if (bitmap) DrawFullScreen(*bitmap, opacity);
}

void DemoStage::Fade(float r, float g, float b, float opacity) { ScreenFade(r, g, b).Fade(opacity); }

void DemoStage::Present() { PresentFrame(); }

void DemoStage::DisableLights() {
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

void DemoStage::StartMusic(double position) { MusicPlay(position); }
