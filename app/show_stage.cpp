// The show's assembly: which part plays where, and the pictures, fades, lights and music the timeline draws on.
#include "app/show_stage.h"

#include <GL/gl.h>

#include <string>

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

// The kept frame lives in the global ScreenFade's texture.
void KeepFrameForCrossfade() { gScreenFade.Capture(); }

template <typename Part>
std::unique_ptr<Effect> Make() {
  return std::make_unique<Part>();
}

// The class of each scene part that the timeline names.
const struct {
  const char* name;
  std::unique_ptr<Effect> (*make)();
} kScenePartClasses[] = {{"Natu1", Make<Natu1>},     {"Natu2", Make<Natu2>},     {"Natu3", Make<Natu3>},
                         {"Techno1", Make<Techno1>}, {"Techno2", Make<Techno2>}, {"Techno3", Make<Techno3>}};

std::unique_ptr<Effect> MakeScenePart(const std::string& name) {
  for (const auto& part : kScenePartClasses)
    if (name == part.name) return part.make();
  return nullptr;
}

}  // namespace

std::unique_ptr<Effect> DemoStage::CreateIntro() {
  auto intro = std::make_unique<Intro>(MakeScenePart);
  intro_ = intro.get();
  return intro;
}

bool DemoStage::LoadingStep(float, ShowParts& parts) { return intro_ ? intro_->LoadingStep(parts) : true; }

void DemoStage::KeepFrames(bool keep) { KeepEachFrame(keep ? KeepFrameForCrossfade : nullptr); }

void DemoStage::DrawKeptFrame() {
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);  // without the blend-colour entry point nothing is drawn over it
  gScreenFade.Crossfade(0.0f);
}

void DemoStage::DrawPicture(Picture picture, float opacity) {
  const Bitmap* bitmap = intro_ ? intro_->ShownPicture(picture) : nullptr;
  if (bitmap) DrawFullScreen(*bitmap, opacity);
}

void DemoStage::Fade(float r, float g, float b, float opacity) { ScreenFade(r, g, b).Fade(opacity); }

void DemoStage::Present() { PresentFrame(); }

void DemoStage::DisableLights() {
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

void DemoStage::StartMusic(double position) { MusicPlay(position); }
