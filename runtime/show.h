// The show: the loading step, six scene parts and two pictures on a fixed
// timeline of the show clock.
#pragma once

#include <memory>
#include <string>

#include "runtime/clock.h"
#include "runtime/effect.h"

enum class Picture { Interlude, Closing };

// What a state of the timeline plays.
enum class StateKind { Loading, Part, Picture };

// One state of the timeline.
struct TimelineState {
  const char* name;  // as --part and the timedemo name it; a part's class name
  float seconds;     // its length; the loading step takes what it takes
  StateKind kind;
  Picture picture{};  // what a Picture state shows; the others leave it out
};

// The timeline's states by number: 0 loading, 1 to 8 the parts and pictures
// in playing order, 9 finished. One table holds them all (show.cpp).
constexpr int kShowStates = 9;
// The state's entry, for 0 <= state < kShowStates.
const TimelineState& TimelineAt(int state);

// The state's name: "loading", "Natu1", "Techno1", "interlude", "Natu2",
// "Techno3", "Techno2", "Natu3", "end" (the closing picture); "" past the end.
const char* ShowStateName(int state);
// The state 1 to 8 that `name` names in any letter case; -1 for none.
int FindShowState(const std::string& name);
// The names that FindShowState takes, in playing order, comma-separated.
std::string ShowStateNames();
// Seconds from the show's start (after loading) to the start of the state;
// the show's whole length for states past the end.
double ShowStateStart(int state);

// The parts that the show owns; the loading step fills in the scene parts.
struct ShowParts {
  std::unique_ptr<Effect> intro;
  // The scene part of each Part state, by state; empty for the others.
  std::unique_ptr<Effect> scene[kShowStates];
};

// What the timeline needs from the rest of the program.
class ShowStage {
 public:
  virtual ~ShowStage() = default;
  virtual std::unique_ptr<Effect> CreateIntro() = 0;
  // The intro's loading step: creates and loads the scene parts; true when done.
  virtual bool LoadingStep(float t, ShowParts& parts) = 0;
  // While `keep` is on, keeps a copy of every presented frame.
  virtual void KeepFrames(bool keep) = 0;
  // Covers the window with the last frame kept; black when none was.
  virtual void DrawKeptFrame() = 0;
  // Draws a full-screen picture, blended with the given opacity.
  virtual void DrawPicture(Picture picture, float opacity) = 0;
  // Covers the screen with a colour at the given opacity.
  virtual void Fade(float r, float g, float b, float opacity) = 0;
  virtual void Present() = 0;
  // Switches off GL_LIGHT0 to GL_LIGHT7.
  virtual void DisableLights() = 0;
  // Starts the music `position` seconds into the track.
  virtual void StartMusic(double position) = 0;
};

class DemoPart1 : public Effect {
 public:
  static constexpr int kFinished = kShowStates;

  DemoPart1(ShowStage& stage, ShowClock& clock) : stage_(stage), clock_(clock) {}

  // Creates and loads the intro; its result is the result.
  bool Load() override;
  // One step of the timeline; false once the show is over.
  bool Frame(float t) override;

  // After loading, the timeline starts at `first_state` (1 to 8) with the
  // music at that state's place in the track, and the show ends once
  // `seconds` of show time have passed from there (0: at the timeline's end).
  void PlayRange(int first_state, double seconds);
  // The range on the show's time line, in seconds from the show's start.
  double RangeStart() const { return ShowStateStart(first_state_); }
  double RangeEnd() const;

  // Where the clock's reading is: seconds from the show's start, or during
  // loading seconds into the loading step.
  double ShowTime() const;

  int State() const { return state_; }
  const ShowParts& Parts() const { return parts_; }

 private:
  // The scene part that plays in `state`; null for the other states.
  Effect* PartAt(int state) const;
  void StepPart(Effect* part, float t);
  void StepPicture(Picture picture, float t);
  void Switch(bool disable_lights);

  ShowStage& stage_;
  ShowClock& clock_;
  ShowParts parts_;
  int state_ = 0;
  int first_state_ = 1;
  double seconds_ = 0.0;
};
