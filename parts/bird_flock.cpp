// Loading, stepping and drawing the nature parts' flock of birds.
#include "parts/bird_flock.h"

#include <GL/gl.h>

namespace {

const vec3f kFlockCentre(0.0f, 0.0f, 3.0f);
constexpr float kFlockStep = 0.1f;
constexpr int kFlockWarmUp = 200;  // steps before the part's first frame

}  // namespace

void BirdFlock::Load() {
  bird_.Load("kurppa.3ds");
  GLMesh* model = bird_.FindObject("kurppa");
  if (!model) return;
  flock_ = std::make_unique<Flock>(model, kBirds, kFlockCentre);
  flock_->SetGoal(kFlockCentre);
  // The birds gather before the part begins, so that its first frame shows
  // them wheeling together rather than scattered over the whole box.
  for (int step = 0; step < kFlockWarmUp; ++step) Update();
}

void BirdFlock::Update() {
  if (flock_) flock_->Update(kFlockStep);
}

void BirdFlock::Draw(Scene& scene) {
  if (!flock_) return;
  glPushMatrix();
  glScalef(size_, size_, size_);
  flock_->Render(scene);
  glPopMatrix();
}
