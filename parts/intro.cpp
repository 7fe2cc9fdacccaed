// The intro: the loading picture's fade-in and the loading of every scene part behind it.
#include "parts/intro.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <vector>

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
  std::vector<int> playing_order;
  for (int state = 0; state < kShowStates; ++state)
    if (TimelineAt(state).kind == StateKind::Part) playing_order.push_back(state);
  std::vector<int> name_order = playing_order;
  std::sort(name_order.begin(), name_order.end(),
            [](int a, int b) { return std::strcmp(ShowStateName(a), ShowStateName(b)) < 0; });
  for (int state : name_order) parts.scene[state] = make_part_(ShowStateName(state));

  gInterludePicture->Load("bmp2", "loading2.jpg");
  gClosingPicture->Load("bmp3", "the_end.jpg");

  // The picture stays on the screen while the parts load, in playing order.
  LightPool& lights = SharedLightPool();
  bool first = true;
  for (int state : playing_order) {
    if (!first) lights.ResetAll();
    first = false;
    if (Effect* part = parts.scene[state].get()) part->Load();
  }
  return true;
}
