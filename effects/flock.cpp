// The flock's steering step and the drawing of its model once per bird.
#include "effects/flock.h"

#include <GL/gl.h>

namespace {

constexpr float kGoalWeight = 0.005f;
constexpr float kCohesionWeight = 0.05f;
constexpr float kAlignmentWeight = 0.0002f;
constexpr float kSeparationWeight = 0.006f;
constexpr float kTopSpeed = 0.4f;
constexpr float kSpread = 10.0f;       // of the first positions and velocities about the centre
constexpr float kBoxHalfSize = 10.0f;  // the box the birds are pushed back into
constexpr float kBoxPush = 0.1f;
constexpr float kWander = 0.001f;
constexpr float kTooNear = 2.0f * 2.0f;  // squared distances to the nearest neighbour
constexpr float kTooFar = 4.0f * 4.0f;
constexpr float kSamePlace = 1e-10f;
constexpr float kHeadingLag = 0.05f;     // of a unit turn per step
constexpr float kHeadingSnap = 0.0001f;  // squared
constexpr float kSceneScale = 1250.0f;   // flock space to scene units
constexpr float kClimbFlattening = 0.1f;
constexpr int kBallTries = 64;

}  // namespace

Flock::Flock(GLMesh* model, int bird_count, const vec3f& centre, Rand15Source rand15)
    : model_(model), rand15_(std::move(rand15)) {
  for (int i = 0; i < bird_count; ++i) {
    Bird bird;
    bird.position = centre + RandomInBall() * kSpread;
    bird.velocity = RandomInBall() * kSpread;
    bird.heading = bird.velocity.Normalized();
    birds_.push_back(bird);
  }
}

vec3f Flock::RandomInBall() {
  // Drawing again outside the ball ends at once for a working source; a
  // stuck one must not hang the show.
  for (int tries = 0; tries < kBallTries; ++tries) {
    vec3f v;
    for (int k = 0; k < 3; ++k) v[k] = float(rand15_()) * kTwoOverRand15Max - 1.0f;
    if (v.SquaredLength() < 1.0f) return v;
  }
  return vec3f(0.0f);
}

vec3f Flock::Separation(size_t bird) const {
  const vec3f& p = birds_[bird].position;
  bool found = false;
  float nearest = 0.0f;
  vec3f x(0.0f);
  for (size_t o = 0; o < birds_.size(); ++o) {
    if (o == bird) continue;
    const vec3f difference = p - birds_[o].position;
    const float d2 = difference.SquaredLength();
    if (!found || d2 < nearest) {
      found = true;
      nearest = d2;
      x = difference;
    }
  }
  if (!found || nearest < kSamePlace) return vec3f(0.0f);
  if (nearest < kTooNear) return x.Normalized();
  if (nearest > kTooFar) return -x;
  return vec3f(0.0f);
}

void Flock::Update(float dt) {
  const size_t n = birds_.size();
  position_sum_ = vec3f(0.0f);
  velocity_sum_ = vec3f(0.0f);
  for (const Bird& bird : birds_) {
    position_sum_ += bird.position;
    velocity_sum_ += bird.velocity;
  }
  // The others' centre needs others: k would divide by zero for a lone bird.
  const float k = n > 1 ? 1.0f / float(n - 1) : 0.0f;

  for (size_t i = 0; i < n; ++i) {
    const vec3f p = birds_[i].position;
    vec3f& v = birds_[i].velocity;
    vec3f a = (goal_ - p) * kGoalWeight;
    if (n > 1) a += ((position_sum_ - p) * k - p) * kCohesionWeight;
    a += ((velocity_sum_ - v) - v) * kAlignmentWeight;
    a += Separation(i) * kSeparationWeight;
    for (int axis = 0; axis < 3; ++axis) {
      if (p[axis] < -kBoxHalfSize) a[axis] += kBoxPush;
      if (p[axis] > kBoxHalfSize) a[axis] -= kBoxPush;
    }
    a += RandomInBall() * kWander;
    if (a.SquaredLength() > 1.0f) a.Normalize();
    v += a * dt;
    if (v.SquaredLength() > kTopSpeed * kTopSpeed) v *= kTopSpeed / v.Length();
  }

  for (Bird& bird : birds_) {
    bird.position += bird.velocity * dt;
    const vec3f w = bird.velocity.Normalized();
    const vec3f e = w - bird.heading;
    if (e.SquaredLength() >= kHeadingSnap) {
      bird.heading += e.Normalized() * kHeadingLag;
      bird.heading.Normalize();
    } else {
      bird.heading = w;
    }
  }
}

void Flock::Render(Scene& scene) {
  if (!model_) return;
  for (const Bird& bird : birds_) {
    glPushMatrix();
    const vec3f at = bird.position * kSceneScale;
    vec3f forward = bird.heading;
    forward[2] *= kClimbFlattening;  // the birds fly almost level
    forward.Normalize();
    model_->Position() = at;
    model_->SetUp(vec3f(0.0f, 0.0f, 1.0f));
    model_->LookAt(at - forward, 0.0f);
    model_->Render(scene);
    glPopMatrix();
  }
}
