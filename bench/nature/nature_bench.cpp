// Times the nature parts' effects per call: a ripple step with twenty
// disturbances ringing (and at natu11's pace), one tree built at the parts'
// size, one flock update of ten birds.
//   nature_bench   (SDL_VIDEODRIVER=offscreen without a display)
#include <SDL/SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "effects/flock.h"
#include "effects/tree.h"
#include "effects/water_ripple.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "scene/scene.h"
#include "tests/support/grid_mesh.h"

namespace {

using Clock = std::chrono::steady_clock;

double Microseconds(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

// The machine is shared: each figure is the fastest of a few rounds.
constexpr int kRounds = 5;

void Report(const char* what, double microseconds_per_call) {
  std::printf("%-52s %10.2f us/call\n", what, microseconds_per_call);
}

// Runs call() `repeats` times a round and prints the fastest round's mean.
template <typename Call>
void Time(const char* what, int repeats, Call&& call) {
  Clock::duration fastest = Clock::duration::max();
  for (int round = 0; round < kRounds; ++round) {
    const Clock::time_point begin = Clock::now();
    for (int i = 0; i < repeats; ++i) call();
    fastest = std::min(fastest, Clock::now() - begin);
  }
  Report(what, Microseconds(fastest) / repeats);
}

// Steady ringing: a disturbance at a random point every `period` steps; a
// wave rings for 50 steps, so 50 / period disturbances ring at once.
void BenchRipples(const char* what, int cells, float spacing, float period) {
  std::unique_ptr<GLMesh> mesh = GridMesh(cells, spacing, [](int, int) { return 0.0f; });
  WaterRipple water(mesh.get());
  std::minstd_rand random(1);
  const int span = int(cells * spacing);
  double step_us = 1e30, disturb_us = 1e30;  // fastest round's means
  size_t ringing = 0;
  constexpr int kWarmUp = 200, kSteps = 400;
  for (int round = -1, step = 0; round < kRounds; ++round) {
    Clock::duration steps{}, disturbs{};
    int disturbances = 0;
    for (int i = 0; i < (round < 0 ? kWarmUp : kSteps); ++i, ++step) {
      if (int(float(step + 1) / period) > int(float(step) / period)) {
        const Clock::time_point begin = Clock::now();
        water.Disturb(int(random() % (span + 1)), int(random() % (span + 1)), water.Time());
        disturbs += Clock::now() - begin;
        ++disturbances;
      }
      const Clock::time_point begin = Clock::now();
      water.Step();
      steps += Clock::now() - begin;
      if (round < 0) continue;
      for (uint32_t v = 0; v < mesh->VertexArray().size(); ++v) ringing += water.WavesAt(v).size();
    }
    if (round < 0) continue;
    step_us = std::min(step_us, Microseconds(steps) / kSteps);
    disturb_us = std::min(disturb_us, Microseconds(disturbs) / disturbances);
  }
  std::printf("%s: %zu vertices %g apart, on average %zu waves ringing at vertices\n", what, mesh->VertexArray().size(),
              spacing, ringing / (kRounds * kSteps));
  Report("  ripple Step", step_us);
  Report("  ripple Disturb (a start and its four mirror images)", disturb_us);
}

void BenchTree() {
  Scene scene;
  // Depth 13 fills both halves; five sides and 2 x 128 leaves.
  const TreeParameters tree{vec3f(0, 0, 0), vec3f(0, 0, 220), vec3f(1, 0, 0), 24.0f, 13, {1.1f, 2.4f, 0.42f, 0.55f, 5}};
  std::vector<std::unique_ptr<GLMesh>> meshes;
  Time("BuildTree, depth 13, 5 sides", 20, [&] {
    meshes.push_back(std::make_unique<GLMesh>(PathLocation(0, 0, 0)));
    BuildTree(tree, *meshes.back(), scene);
  });
  std::printf("tree: %zu vertices, %zu triangles\n", meshes.back()->VertexArray().size(),
              meshes.back()->Triangles().size());
}

void BenchFlock() {
  Flock flock(nullptr, 10, vec3f(0, 0, 3));
  flock.SetGoal(vec3f(0, 0, 3));
  Time("Flock Update(0.1), 10 birds", 20000, [&] { flock.Update(0.1f); });
}

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_OPENGL)) {
    std::fprintf(stderr, "nature_bench: no GL window: %s\n", SDL_GetError());
    return 1;
  }
  SetupOpenGL(kWindowWidth, kWindowHeight);
  BenchRipples("100 x 100 cells, 20 disturbances ringing", 100, 10, 2.5f);
  BenchRipples("natu11's water, one disturbance every 45 steps", 48, 25, 45);
  BenchTree();
  BenchFlock();
  SDL_Quit();
  return 0;
}
