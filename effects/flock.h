// A small flock of birds: a steering simulation in a space of its own, each
// bird pulled towards a goal and the others, lining up with them, keeping its
// distance from its nearest neighbour, held in a box and wandering a little;
// one model drawn once per bird.
#pragma once

#include <functional>
#include <vector>

#include "effects/random.h"
#include "maths/vec.h"
#include "scene/gl_mesh.h"

class Scene;

struct Bird {
  vec3f position;
  vec3f velocity;
  vec3f heading;  // unit length; follows the velocity with a lag
};

class Flock {
 public:
  // Whole numbers from 0 to 32767; each call draws the next. The default is
  // the show's generator, seeded at start-up (effects/random.h).
  using Rand15Source = std::function<int()>;

  // bird_count birds (none when not positive), each at centre + 10 x a
  // random point of the unit ball, with 10 x another as velocity and that
  // velocity's direction as heading. Keeps the source for the wander. The
  // model is not owned (null draws nothing); each bird it is drawn for
  // moves its location.
  Flock(GLMesh* model, int bird_count, const vec3f& centre, Rand15Source rand15 = Rand15);

  void SetGoal(const vec3f& goal) { goal_ = goal; }
  const vec3f& Goal() const { return goal_; }

  // One step: every bird steers by the flock as it was before the step, then
  // every bird moves dt x its velocity (at most 0.4 long) and turns its
  // heading a little towards it. A lone bird has no others to close in on
  // or keep from, and flies to the goal alone.
  void Update(float dt);
  // Draws the model at 1250 x each bird's position, looking along its
  // heading with the climb flattened to a tenth, z up, under the current
  // model-view matrix, which it leaves as it was.
  void Render(Scene& scene);

  // Away from the nearest other bird when nearer than 2 (unit length),
  // towards it when farther than 4 (the whole difference), else zero; zero
  // when two birds share a place or there is no other bird.
  vec3f Separation(size_t bird) const;

  std::vector<Bird>& Birds() { return birds_; }
  const std::vector<Bird>& Birds() const { return birds_; }

 private:
  // A random point of the unit ball (the origin should the source get stuck).
  vec3f RandomInBall();

  GLMesh* model_;
  std::vector<Bird> birds_;
  vec3f position_sum_ = vec3f(0.0f);
  vec3f goal_ = vec3f(0.0f);
  vec3f velocity_sum_ = vec3f(0.0f);
  Rand15Source rand15_;
};
