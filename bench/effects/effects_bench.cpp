// Times the two procedural objects of the machine parts: the metaball
// surface (field, marching, normals) for the second machine part's twenty
// balls at two lattice spacings, and the particle step and draw for 2,000
// live particles in each render mode. With --pictures it also writes a
// frame of each to DIR, with the textures of the show's data file.
//   effects_bench [--pictures DIR [demo.dat]]
#include <GL/gl.h>
#include <SDL/SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

#include "archive/demo_data.h"
#include "effects/metaballs.h"
#include "effects/particle_object.h"
#include "parts/scene_frame.h"
#include "runtime/data_files.h"
#include "runtime/gl_setup.h"
#include "runtime/present.h"
#include "runtime/window.h"
#include "scene/scene.h"

namespace {

using vec3 = vec<float, 3>;

// The machine is shared: time spent by this thread, not waiting for a core.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return time_point(duration(std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec)));
  }
};
using WallClock = std::chrono::steady_clock;

constexpr int kParticles = 2000;

template <typename Duration>
double Milliseconds(Duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BenchMetaballs() {
  std::printf("metaballs, twenty balls of radius %g (ms per frame in this thread)\n", kTechnoBallRadius);
  std::printf("%6s %6s %18s %7s %7s %7s %7s %10s %9s %8s\n", "cell", "n", "lattice", "field", "march", "normals",
              "total", "visited", "triangles", "vertices");
  for (float cell : {kTechnoCellSize, kTechnoCellSize / 2}) {
    for (int n : {0, 10, 100}) {
      MetaballSurface surface(kTechnoBallRadius, cell);
      SurfaceArrays out;
      const std::vector<vec3> centres = TechnoBallCentres(n);
      const int repeats = 300;
      Clock::duration field{}, march{}, normals{};
      for (int r = 0; r < repeats; ++r) {
        const Clock::time_point t0 = Clock::now();
        surface.SampleField(centres);
        const Clock::time_point t1 = Clock::now();
        surface.March(out);
        const Clock::time_point t2 = Clock::now();
        surface.ComputeNormals(out);
        const Clock::time_point t3 = Clock::now();
        field += t1 - t0;
        march += t2 - t1;
        normals += t3 - t2;
      }
      const SurfaceLattice& lattice = surface.Lattice();
      char nodes[32];
      std::snprintf(nodes, sizeof nodes, "%dx%dx%d", lattice.nodes[0], lattice.nodes[1], lattice.nodes[2]);
      const double f = Milliseconds(field) / repeats, m = Milliseconds(march) / repeats,
                   o = Milliseconds(normals) / repeats;
      std::printf("%6g %6d %18s %7.3f %7.3f %7.3f %7.3f %10zu %9zu %8zu\n", cell, n, nodes, f, m, o, f + m + o,
                  surface.VisitedCells(), out.triangles.size(), out.vertices.size());
    }
  }
}

// A scene at the machine parts' scale, its camera at `eye` looking at
// `target` (scene units, z up).
void AimCamera(Scene& scene, const vec3& eye, const vec3& target) {
  scene.SetScale(kSceneScale);
  PathLocation* camera = scene.GetViewpoint();
  camera->Position() = eye;
  camera->SetUp(vec3(0.0f, 0.0f, 1.0f));
  camera->LookAt(target, 0.0f);
}

// Sparks rising off a chrome pool: born on a ring, thrown up a cone, orange
// turning blue as they age, drawn additively.
std::unique_ptr<ParticleObject> MakeSparks() {
  auto sparks = std::make_unique<ParticleObject>(PathLocation(vec3(0.0f, 0.0f, -300.0f)),
                                                 std::make_unique<RingUpSource>(vec3(0.0f), 250.0f),
                                                 std::make_unique<ConeUpSource>(0.35f, 120.0f, 220.0f), 200.0f);
  sparks->SetDirector(std::make_unique<PAG>(ParticleAttributes{{1.0f, 0.55f, 0.15f, 0.9f}, 1.0f, 0.0f},
                                            ParticleAttributes{{0.2f, 0.4f, 1.0f, 0.5f}, 0.5f, 0.0f}, 10.0f));
  sparks->SetSizes(14.0f, 0.3f);
  sparks->SetHeightLimits(-50.0f, 1200.0f);
  sparks->SetAgeLimit(10.0f);
  return sparks;
}

void BenchParticles() {
  std::printf("\nparticles, %d live (ms per frame: step and draw in this thread; wall time to glFinish)\n",
              kParticles);
  std::printf("%6s %9s %9s\n", "mode", "render", "finished");
  for (int mode = kParticlePoints; mode <= kParticleGlow; ++mode) {
    Scene scene;
    AimCamera(scene, vec3(0.0f, -1600.0f, 200.0f), vec3(0.0f, 0.0f, 0.0f));
    std::unique_ptr<ParticleObject> sparks = MakeSparks();
    sparks->SetRate(0.0f);
    sparks->SetRenderMode(mode);
    sparks->SetHeightLimits(-1e9f, 1e9f);
    sparks->SetAgeLimit(1e9f);
    std::srand(1);
    RingUpSource ring(vec3(0.0f), 250.0f);
    ConeUpSource cone(0.35f, 120.0f, 220.0f);
    for (int i = 0; i < kParticles; ++i) {
      Particle p{};
      p.velocity = cone.sample();
      p.position = ring.sample();
      p.next = p.position;
      p.age = 0.05f * float(i % 100);
      sparks->Particles().Add(p);
    }
    const int frames = 200;
    Clock::duration render{};
    WallClock::duration finished{};
    for (int f = 0; f < frames; ++f) {
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      glFinish();
      scene.BeginCamera();
      const WallClock::time_point start = WallClock::now();
      const Clock::time_point t0 = Clock::now();
      sparks->Render(scene);
      render += Clock::now() - t0;
      glFinish();
      finished += WallClock::now() - start;
      scene.EndCamera();
    }
    std::printf("%6d %9.3f %9.3f\n", mode, Milliseconds(render) / frames, Milliseconds(finished) / frames);
  }
}

bool WritePictures(const std::string& dir, const std::string& data) {
  OpenDemoData(data.c_str());
  TextureRef* sky = GetTexture("skysun2", "skysun2.jpg");
  TextureRef* chrome = GetTexture("chromic", "chromic.jpg");
  Scene scene;
  scene.PushBackground(sky);
  AimCamera(scene, vec3(450.0f, -850.0f, 250.0f), vec3(0.0f, 0.0f, 0.0f));
  const PathLocation unturned(vec3(0.0f), vec3(0.0f, 0.0f, -1.0f), vec3(0.0f, 1.0f, 0.0f));
  MetaballObject balls(unturned, kTechnoBallRadius, kTechnoCellSize, chrome);
  balls.SetCentres(TechnoBallCentres(0));
  scene.Clear(true);
  scene.BeginCamera();
  balls.Render(scene);
  scene.EndCamera();
  bool ok = WriteBackBufferPng(dir + "/metaballs.png");
  // The particles over the dark of the machine hall.
  AimCamera(scene, vec3(0.0f, -1100.0f, -100.0f), vec3(0.0f, 0.0f, -150.0f));
  for (int mode = kParticlePoints; mode <= kParticleGlow; ++mode) {
    std::srand(7);
    std::unique_ptr<ParticleObject> sparks = MakeSparks();
    sparks->SetRenderMode(mode);
    for (int frame = 0; frame < 120; ++frame) {
      glClearColor(0.05f, 0.06f, 0.09f, 0.0f);
      scene.Clear(false);
      scene.BeginCamera();
      sparks->Render(scene);
      scene.EndCamera();
    }
    ok = WriteBackBufferPng(dir + "/particles_mode" + std::to_string(mode) + ".png") && ok;
  }
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const bool pictures = (argc == 3 || argc == 4) && std::strcmp(argv[1], "--pictures") == 0;
  if (argc != 1 && !pictures) {
    std::fprintf(stderr, "usage: effects_bench [--pictures DIR [demo.dat]]\n");
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_OPENGL)) {
    std::fprintf(stderr, "effects_bench: no GL window: %s\n", SDL_GetError());
    return 1;
  }
  SetupOpenGL(kWindowWidth, kWindowHeight);
  if (pictures) return WritePictures(argv[2], argc == 4 ? argv[3] : LocateDataFile("demo.dat")) ? 0 : 1;
  BenchMetaballs();
  BenchParticles();
  return 0;
}
