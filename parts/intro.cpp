// The intro: the loading picture's fade-in and the loading of every scene part behind it.
#include "parts/intro.h"

#include <GL/gl.h>

#include "runtime/clock.h"
#include "runtime/loading_work.h"
#include "runtime/present.h"
#include "scene/light.h"

Bitmap* gLoadingPicture = nullptr;
Bitmap* gInterludePicture = nullptr;
Bitmap* gClosingPicture = nullptr;

namespace {
constexpr float kFadeInSeconds = 3.0f;
}

bool Intro::Load() {
  gLoadingPicture = new Bitmap;
  gLoadingPicture->Load("bmp1", "loading.jpg");
  return true;
}

void Intro::FadeInLoadingPicture() {
  ShowClock& clock = TheClock();
  clock.Reset();
  for (float x; (x = static_cast<float>(clock.Read())) < kFadeInSeconds;) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawFullScreen(*gLoadingPicture, x / kFadeInSeconds);
    PresentFrame();
  }
}

bool Intro::LoadingStep(ShowParts& parts) {
  FadeInLoadingPicture();
  const LoadingWorkScope work;  // everything the fade hides, up to the return

  gInterludePicture = new Bitmap;
  gClosingPicture = new Bitmap;
  parts.natu1 = make_part_(ScenePartId::Natu1);
  parts.natu2 = make_part_(ScenePartId::Natu2);
  parts.natu3 = make_part_(ScenePartId::Natu3);
  parts.techno1 = make_part_(ScenePartId::Techno1);
  parts.techno2 = make_part_(ScenePartId::Techno2);
  parts.techno3 = make_part_(ScenePartId::Techno3);

  gInterludePicture->Load("bmp2", "loading2.jpg");
  gClosingPicture->Load("bmp3", "the_end.jpg");

  // The picture stays on the screen while the parts load, in playing order.
  LightPool& lights = SharedLightPool();
  Effect* const playing_order[] = {parts.natu1.get(),   parts.techno1.get(), parts.natu2.get(),
                                  parts.techno3.get(), parts.techno2.get(), parts.natu3.get()};
  bool first = true;
  for (Effect* part : playing_order) {
    if (!first) lights.ResetAll();
    first = false;
    if (part) part->Load();
  }
  return true;
}
