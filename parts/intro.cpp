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

namespace {
constexpr float kFadeInSeconds = 3.0f;
}

bool Intro::Load() {
  loading_picture_ = std::make_unique<Bitmap>();
  loading_picture_->Load("bmp1", "loading.jpg");
  return true;
}

const Bitmap* Intro::ShownPicture(Picture picture) const {
  return picture == Picture::Interlude ? interlude_picture_.get() : closing_picture_.get();
}

void Intro::FadeInLoadingPicture() {
  ShowClock& clock = TheClock();
  clock.Reset();
  for (float x; (x = static_cast<float>(clock.Read())) < kFadeInSeconds;) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    DrawFullScreen(*loading_picture_, x / kFadeInSeconds);
    PresentFrame();
  }
}

bool Intro::LoadingStep(ShowParts& parts) {
  FadeInLoadingPicture();
  const LoadingWorkScope work;  // everything the fade hides, up to the return

  interlude_picture_ = std::make_unique<Bitmap>();
  closing_picture_ = std::make_unique<Bitmap>();
  std::vector<int> playing_order;
  for (int state = 0; state < kShowStates; ++state)
    if (TimelineAt(state).kind == StateKind::Part) playing_order.push_back(state);
  std::vector<int> name_order = playing_order;
  std::sort(name_order.begin(), name_order.end(),
            [](int a, int b) { return std::strcmp(ShowStateName(a), ShowStateName(b)) < 0; });
  for (int state : name_order) parts.scene[state] = make_part_(ShowStateName(state));

  interlude_picture_->Load("bmp2", "loading2.jpg");
  closing_picture_->Load("bmp3", "the_end.jpg");

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
