// The show: the loading step, six scene parts and two pictures on a fixed
// timeline of the show clock.
#pragma once

#include <memory>

#include "runtime/clock.h"
#include "runtime/effect.h"

enum class Picture { Interlude, Closing };

// The parts that the show owns; the loading step fills in the scene parts.
struct ShowParts {
  std::unique_ptr<Effect> intro;
  std::unique_ptr<Effect> natu1;
  std::unique_ptr<Effect> techno1;
  std::unique_ptr<Effect> natu2;
  std::unique_ptr<Effect> techno2;
  std::unique_ptr<Effect> natu3;
  std::unique_ptr<Effect> techno3;
};

// What the timeline needs from the rest of the program.
class ShowStage {
 public:
  virtual ~ShowStage() = default;
  virtual std::unique_ptr<Effect> CreateIntro() = 0;
  // The intro's loading step: creates and loads the scene parts; true when done.
  virtual bool LoadingStep(float t, ShowParts& parts) = 0;
  // Draws a full-screen picture, blended with the given opacity.
  virtual void DrawPicture(Picture picture, float opacity) = 0;
  // Covers the screen with a colour at the given opacity.
  virtual void Fade(float r, float g, float b, float opacity) = 0;
  virtual void Present() = 0;
  // Switches off GL_LIGHT0 to GL_LIGHT7.
  virtual void DisableLights() = 0;
  virtual void StartMusic() = 0;
};

class DemoPart1 : public Effect {
 public:
  static constexpr int kFinished = 9;

  DemoPart1(ShowStage& stage, ShowClock& clock) : stage_(stage), clock_(clock) {}

  // Creates and loads the intro; its result is the result.
  bool Load() override;
  // One step of the timeline; false once the show is over.
  bool Frame(float t) override;

  int State() const { return state_; }
  const ShowParts& Parts() const { return parts_; }

 private:
  void StepPart(Effect* part, float duration, float t);
  void StepPicture(Picture picture, float t);
  void Switch(bool disableLights);

  ShowStage& stage_;
  ShowClock& clock_;
  ShowParts parts_;
  int state_ = 0;
};
