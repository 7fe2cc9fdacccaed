// The show's assembly: which part plays where, and the pictures, fades, lights and music the timeline draws on.
#include "app/show_stage.h"

#include <GL/gl.h>

#include "effects/screen_fade.h"
#include "parts/placeholder_part.h"
#include "runtime/music.h"
#include "runtime/present.h"

namespace {

// Until their scenes exist, the scene parts clear to a colour of their own.
std::unique_ptr<Effect> MakePlaceholderPart(ScenePartId part) {
  switch (part) {
    case ScenePartId::Natu1: return std::make_unique<PlaceholderPart>(0.93f, 0.42f, 0.09f);
    case ScenePartId::Techno1: return std::make_unique<PlaceholderPart>(0.10f, 0.20f, 0.45f);
    case ScenePartId::Natu2: return std::make_unique<PlaceholderPart>(0.80f, 0.50f, 0.20f);
    case ScenePartId::Techno2: return std::make_unique<PlaceholderPart>(0.15f, 0.30f, 0.60f);
    case ScenePartId::Natu3: return std::make_unique<PlaceholderPart>(0.70f, 0.35f, 0.15f);
    case ScenePartId::Techno3: return std::make_unique<PlaceholderPart>(0.20f, 0.20f, 0.30f);
  }
  return nullptr;
}

}  // namespace

std::unique_ptr<Effect> DemoStage::CreateIntro() {
  auto intro = std::make_unique<Intro>(MakePlaceholderPart);
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
