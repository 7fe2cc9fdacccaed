#include "runtime/show.h"

#include "runtime/gl_check.h"

namespace {
constexpr float kPictureSeconds = 5.0f;
// What draws in each state of the timeline, for the GL check.
constexpr const char* kStateParts[DemoPart1::kFinished] = {
    "loading", "Natu1", "Techno1", "interlude picture", "Natu2", "Techno3", "Techno2", "Natu3", "closing picture"};
}

bool DemoPart1::Load() {
  parts_.intro = stage_.CreateIntro();
  return parts_.intro ? parts_.intro->Load() : false;
}

bool DemoPart1::Frame(float t) {
  if (state_ >= 0 && state_ < kFinished) SetGLCheckPart(kStateParts[state_]);
  switch (state_) {
    case 0:
      if (stage_.LoadingStep(t, parts_)) {
        stage_.StartMusic();
        clock_.Reset();
        state_ = 1;
      }
      return true;
    case 1: StepPart(parts_.natu1.get(), 47.0f, t); return true;
    case 2: StepPart(parts_.techno1.get(), 45.0f, t); return true;
    case 3: StepPicture(Picture::Interlude, t); return true;
    case 4: StepPart(parts_.natu2.get(), 12.0f, t); return true;
    case 5: StepPart(parts_.techno3.get(), 20.0f, t); return true;
    case 6: StepPart(parts_.techno2.get(), 45.0f, t); return true;
    case 7: StepPart(parts_.natu3.get(), 20.0f, t); return true;
    case 8: StepPicture(Picture::Closing, t); return true;
    default: return false;
  }
}

void DemoPart1::Switch(bool disableLights) {
  clock_.Reset();
  ++state_;
  if (disableLights) stage_.DisableLights();
}

void DemoPart1::StepPart(Effect* part, float duration, float t) {
  if (!(t < duration)) {  // also when t is NaN
    Switch(true);
    return;
  }
  if (!part) return;
  part->Begin();
  part->Frame(t);
}

void DemoPart1::StepPicture(Picture picture, float t) {
  if (!(t < kPictureSeconds)) {
    Switch(picture == Picture::Interlude);
    return;
  }
  // Blended over whatever the back buffer holds: no clear.
  stage_.DrawPicture(picture, t / 3.0f);
  if (t < 2.0f) stage_.Fade(1.0f, 1.0f, 1.0f, 1.0f - t / 2.0f);
  if (t > 3.0f) stage_.Fade(0.0f, 0.0f, 0.0f, (t - 3.0f) / 2.0f);
  stage_.Present();
}
