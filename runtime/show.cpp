// The timeline's table of states and DemoPart1's step through it.
#include "runtime/show.h"

#include <strings.h>

#include "runtime/gl_check.h"
#include "runtime/loading_work.h"

namespace {

constexpr StateKind kLoading = StateKind::Loading, kPart = StateKind::Part, kPicture = StateKind::Picture;

constexpr TimelineState kTimeline[] = {
    {"loading", 0.0f, kLoading},
    {"Natu1", 47.0f, kPart},
    {"Techno1", 45.0f, kPart},
    {"interlude", 5.0f, kPicture, Picture::Interlude},
    {"Natu2", 12.0f, kPart},
    {"Techno3", 20.0f, kPart},
    {"Techno2", 45.0f, kPart},
    {"Natu3", 20.0f, kPart},
    {"end", 5.0f, kPicture, Picture::Closing},
};
static_assert(sizeof kTimeline / sizeof kTimeline[0] == kShowStates, "one entry per state");

float Duration(int state) { return kTimeline[state].seconds; }

bool IsPicture(int state) { return state >= 0 && state < kShowStates && kTimeline[state].kind == StateKind::Picture; }

}  // namespace

const TimelineState& TimelineAt(int state) { return kTimeline[state]; }

const char* ShowStateName(int state) { return state >= 0 && state < DemoPart1::kFinished ? kTimeline[state].name : ""; }

int FindShowState(const std::string& name) {
  for (int state = 1; state < DemoPart1::kFinished; ++state)
    if (strcasecmp(name.c_str(), kTimeline[state].name) == 0) return state;
  return -1;
}

std::string ShowStateNames() {
  std::string names;
  for (int state = 1; state < DemoPart1::kFinished; ++state) names += (state > 1 ? ", " : "") + std::string(kTimeline[state].name);
  return names;
}

double ShowStateStart(int state) {
  double start = 0.0;
  for (int s = 1; s < state && s < DemoPart1::kFinished; ++s) start += Duration(s);
  return start;
}

bool DemoPart1::Load() {
  parts_.intro = stage_.CreateIntro();
  return parts_.intro ? parts_.intro->Load() : false;
}

void DemoPart1::PlayRange(int first_state, double seconds) {
  first_state_ = first_state > 0 && first_state < kFinished ? first_state : 1;
  seconds_ = seconds > 0.0 ? seconds : 0.0;
}

double DemoPart1::RangeEnd() const {
  const double end = ShowStateStart(kFinished);
  return seconds_ > 0.0 && RangeStart() + seconds_ < end ? RangeStart() + seconds_ : end;
}

double DemoPart1::ShowTime() const { return state_ == 0 ? clock_.Read() : ShowStateStart(state_) + clock_.Read(); }

bool DemoPart1::Frame(float t) {
  if (state_ > 0 && state_ < kFinished && seconds_ > 0.0 &&
      !(t < static_cast<float>(RangeEnd() - ShowStateStart(state_))))
    state_ = kFinished;
  if (state_ < 0 || state_ >= kFinished) return false;
  SetGLCheckPart(ShowStateName(state_));
  stage_.KeepFrames(IsPicture(state_ == 0 ? first_state_ : state_ + 1));  // the frames a picture fades from
  const TimelineState& state = kTimeline[state_];
  switch (state.kind) {
    case StateKind::Loading:
      if (stage_.LoadingStep(t, parts_)) {
        // The driver keeps only so many prepared drawing states, and the parts
        // loaded after the first one to play have pushed out its own.
        if (Effect* first = PartAt(first_state_)) {
          const LoadingWorkScope work;
          first->WarmUp();
        }
        stage_.StartMusic(RangeStart());
        clock_.Reset();
        state_ = first_state_;
      }
      return true;
    case StateKind::Picture: StepPicture(state.picture, t); return true;
    case StateKind::Part: StepPart(PartAt(state_), t); return true;
  }
  return true;
}

Effect* DemoPart1::PartAt(int state) const {
  return state >= 0 && state < kFinished ? parts_.scene[state].get() : nullptr;
}

void DemoPart1::Switch(bool disable_lights) {
  clock_.Reset();
  ++state_;
  if (disable_lights) stage_.DisableLights();
}

void DemoPart1::StepPart(Effect* part, float t) {
  if (!(t < Duration(state_))) {  // also when t is NaN
    Switch(true);
    return;
  }
  if (!part) return;
  part->Begin();
  part->Frame(t);
}

void DemoPart1::StepPicture(Picture picture, float t) {
  if (!(t < Duration(state_))) {
    Switch(picture == Picture::Interlude);
    return;
  }
  // Over the last frame of the state before, from a copy: what the back
  // buffer holds after a swap is undefined.
  stage_.DrawKeptFrame();
  stage_.DrawPicture(picture, t / 3.0f);
  if (t < 2.0f) stage_.Fade(1.0f, 1.0f, 1.0f, 1.0f - t / 2.0f);
  if (t > 3.0f) stage_.Fade(0.0f, 0.0f, 0.0f, (t - 3.0f) / 2.0f);
  stage_.Present();
}
