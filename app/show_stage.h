// The show's stage: the intro, pictures, fades, lights and music that the
// timeline drives.
#pragma once

#include "parts/intro.h"
#include "runtime/show.h"

class DemoStage : public ShowStage {
 public:
  std::unique_ptr<Effect> CreateIntro() override;
  bool LoadingStep(float t, ShowParts& parts) override;
  void KeepFrames(bool keep) override;
  void DrawKeptFrame() override;
  void DrawPicture(Picture picture, float opacity) override;
  void Fade(float r, float g, float b, float opacity) override;
  void Present() override;
  void DisableLights() override;
  void StartMusic(double position) override;

 private:
  Intro* intro_ = nullptr;  // owned by the show's parts
};
