// The flock's steering terms, its box and its drawing, from small flocks with known answers.
#include "effects/flock.h"

#include <memory>
#include <random>
#include <tuple>

#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/effects/effects_gl.h"
#include "tests/support/render_fixture.h"

namespace {

using FlockTest = RenderTest;

// 16384 maps to 3e-5 per component: a wander too small to see.
int Middle() { return 16384; }

Flock::Rand15Source Seeded(unsigned seed) {
  return [engine = std::minstd_rand(seed)]() mutable { return int(engine() & 0x7fff); };
}

TEST_F(FlockTest, SeparationPushesFromNearNeighboursAndPullsTowardsFarOnes) {
  struct Case {
    vec3f other, expected;  // for a bird at the origin and its neighbour
  } cases[] = {
      {{0, 0, 0}, {0, 0, 0}},                                         // same place: no direction to go
      {{1, 0, 0}, {-1, 0, 0}}, {{0, 0.6f, 0.8f}, {0, -0.6f, -0.8f}},  // nearer than 2: a unit push away
      {{0, 3, 0}, {0, 0, 0}},                                         // 2 to 4: left alone
      {{5, 0, 0}, {5, 0, 0}},  {{0, -3, 4}, {0, -3, 4}},              // farther than 4: the whole way back
  };
  for (const Case& c : cases) {
    Flock flock(nullptr, 2, vec3f(0.0f), Middle);
    flock.Birds()[0].position = vec3f(0.0f);
    flock.Birds()[1].position = c.other;
    const vec3f s = flock.Separation(0);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(s[k], c.expected[k], 1e-6) << c.other;
  }
  EXPECT_EQ(Flock(nullptr, 1, vec3f(0.0f), Middle).Separation(0)[0], 0.0f);
}

// A lone bird at rest on its goal feels only the box: 0.1 back in on each
// axis where it is out, so one step of 0.1 gives it 0.01 of speed there.
TEST_F(FlockTest, TheBoxPushesABirdBackOnEachAxisItHasLeft) {
  struct Case {
    vec3f position, velocity;
  } cases[] = {{{12, 0, 0}, {-0.01f, 0, 0}},
               {{-12, 3, 0}, {0.01f, 0, 0}},
               {{11, -11, 10.5f}, {-0.01f, 0.01f, -0.01f}},
               {{10, -10, 0}, {0, 0, 0}}};  // on the walls is inside
  for (const Case& c : cases) {
    Flock flock(nullptr, 1, vec3f(0.0f), Middle);
    flock.Birds()[0] = {c.position, vec3f(0.0f), vec3f(1, 0, 0)};
    flock.SetGoal(c.position);
    flock.Update(0.1f);
    for (int k = 0; k < 3; ++k) EXPECT_NEAR(flock.Birds()[0].velocity[k], c.velocity[k], 1e-7) << c.position;
  }
}

// Speeds are capped at 0.4, so 100 steps of 0.1 move a bird at most 4 from
// where it started, within 10 of the goal. Over a long flight the box keeps
// every bird within its corners (19.3 from the goal at (0, 0, 3)), overshooting
// by at most 0.8 per axis at top speed against the 0.1 push.
TEST_F(FlockTest, TenBirdsKeepTheirTopSpeedAndCircleTheGoal) {
  const vec3f goal(0, 0, 3);
  Flock flock(nullptr, 10, goal, Seeded(7));
  flock.SetGoal(goal);
  for (int step = 1; step <= 3000; ++step) {
    flock.Update(0.1f);
    const float reach = step <= 100 ? 14.0f : 21.0f;
    for (const Bird& bird : flock.Birds()) {
      ASSERT_LE(bird.velocity.Length(), 0.4f + 1e-6f) << step;
      ASSERT_LE((bird.position - goal).Length(), reach) << step;
      ASSERT_NEAR(bird.heading.Length(), 1.0f, 1e-5) << step;
    }
  }
}

// From rest 9 away, the goal's pull swings a lone bird straight through it
// about a quarter of a slow oscillation later (some 250 steps at top speed).
TEST_F(FlockTest, ALoneBirdFliesToTheGoal) {
  Flock flock(nullptr, 1, vec3f(0.0f), Seeded(3));
  const vec3f goal(0, 0, 3);
  flock.SetGoal(goal);
  flock.Birds()[0] = {vec3f(9, 0, 3), vec3f(0.0f), vec3f(0, 1, 0)};
  float nearest = 9;
  for (int step = 0; step < 500; ++step) {
    flock.Update(0.1f);
    nearest = std::min(nearest, (flock.Birds()[0].position - goal).Length());
  }
  EXPECT_LT(nearest, 0.5f);
}

// Ten birds in a row 60 pixels apart, flying along +x, drawn looking down
// on them: each model's beak points right, its wings spread up and down.
TEST_F(FlockTest, RenderDrawsTheModelOncePerBirdAlongItsHeading) {
  Scene scene;
  auto model = std::make_unique<GLMesh>(Identity());
  // Beak along +z, wings along x, facing its +y: the show's bird model's axes.
  model->SetGeometry({{-10, 0, -6}, {0, 0, 12}, {10, 0, -6}}, {{0, 1, 2}}, {}, {model->FirstTexture()});
  model->AddAttribute(new Color(1, 0, 0, 1));
  Flock flock(model.get(), 10, vec3f(0.0f), Middle);
  for (int i = 0; i < 10; ++i) flock.Birds()[i] = {vec3f((40 + 60 * i) / 1250.0f, 0.192f, 0), {}, vec3f(1, 0, 0)};
  const Matrix16 before = Matrix(GL_MODELVIEW_MATRIX);
  flock.Render(scene);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), before);
  // Its middle, beak, one wing; past the beak beside it, and between birds.
  const std::array<uint8_t, 3> red{255, 0, 0}, black{0, 0, 0};
  for (int i = 0; i < 10; ++i)
    for (const auto& [dx, dy, colour] :
         {std::tuple{0, 0, red}, {9, 0, red}, {-4, 7, red}, {8, 7, black}, {30, 0, black}})
      EXPECT_EQ(RgbAt(40 + 60 * i + dx, 240 + dy), colour) << "bird " << i << " + " << dx << "," << dy;
}

}  // namespace
