// demotool nature OUT_DIR: the nature parts' own effects on their own, drawn
// offscreen from the data file: a procedural tree against the sky
// (OUT_DIR/tree.png) and natu11's water plane after a while of ripples
// (OUT_DIR/water.png).
#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "command.h"
#include "effects/tree.h"
#include "effects/water_ripple.h"
#include "offscreen_window.h"
#include "parts/scene_dressing.h"
#include "parts/scene_frame.h"
#include "runtime/present.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"

namespace {

constexpr float kSceneScale = 0.02f;                           // as the parts draw
const vec3f kSunColour(0.93359375f, 0.41796875f, 0.0859375f);  // the fog colour the parts light with

// A tree of the size natu11's placeholders stand for: both halves full at
// depth 13, 2 x 128 leaves 55 units long.
const TreeParameters kTree{vec3f(0, 0, 0), vec3f(0, 0, 220), vec3f(1, 0, 0), 24.0f, 13, {1.1f, 2.4f, 0.42f, 0.55f, 5}};

// One frame of the scene through camera 0 at `eye`, looking at `target`.
bool DrawFrame(Scene& scene, const vec3f& eye, const vec3f& target, const std::string& out) {
  scene.SetScale(kSceneScale);
  scene.BuildRenderList(false);
  scene.Cameras()[0]->Position() = eye;
  scene.Cameras()[0]->LookAt(target, 0);
  scene.SetCamera(0);
  scene.Clear(true);
  scene.UpdateObjects();
  scene.BeginCamera();
  scene.RenderScene();
  scene.EndCamera();
  std::printf("%s: %u triangles\n", out.c_str(), scene.TriangleCounter());
  return WriteBackBufferPng(out, kWindowWidth, kWindowHeight);
}

// Lit low from the sun's side, cut out by the mask, seen from both sides.
bool DrawTree(const std::string& out) {
  Scene scene;
  PushSkyBackground(scene);
  // Unturned: PathLocation(0, 0, 0) would look at (0, 0, 1) and stand the tree on its head.
  auto* tree = new GLMesh(PathLocation(vec3f(0.0f), vec3f(0, 0, -1), vec3f(0, 1, 0)));
  tree->SetName("tree");
  scene.AddObject(tree);
  BuildTree(kTree, *tree, scene);
  tree->AddAttribute(new Texture());
  tree->AddAttribute(new Lighting());
  DressCutOut(*tree);
  scene.AddLight(new Light(PathLocation(vec3f(-3000, -2500, 1200)), kSunColour * 0.45f, kSunColour + vec3f(0.2f),
                           vec3f(0.0f), vec3f(1, 0, 0), false));
  return DrawFrame(scene, vec3f(0, -1300, 330), vec3f(0, 0, 360), out);
}

// natu11's water plane on its own, after 120 steps with a disturbance every
// 12: white and lit from low on one side, so its slopes show as shading.
bool DrawWater(const std::string& out) {
  Scene scene;
  if (!scene.Load("natu11.3ds")) return false;
  GLMesh* water = scene.FindObject("WaterPlane");
  if (!water) return false;
  for (GLMesh* object : scene.Objects())
    if (object != water) object->PushVisibility(0);
  water->RemoveAttributes(kTextureKind);
  for (Light* light : scene.Lights()) {
    light->SetAmbient(0.1f, 0.12f, 0.15f, 1);
    light->SetDiffuse(0, 0, 0, 1);
  }
  scene.AddLight(new Light(PathLocation(vec3f(-2500, 400, 300)), vec3f(0.0f), vec3f(0.9f, 0.85f, 0.8f), vec3f(0.0f),
                           vec3f(1, 0, 0), false));
  PushSkyBackground(scene);

  WaterRipple ripples(water);
  std::minstd_rand random(11);
  const vec<float, 2> low = ripples.LowerCorner(), high = ripples.UpperCorner();
  for (int step = 0; step < 120; ++step) {
    if (step % 12 == 0) {
      const float x = low[0] + (high[0] - low[0]) * float(random() % 1001) / 1000;
      const float y = low[1] + (high[1] - low[1]) * float(random() % 1001) / 1000;
      ripples.Disturb(int(std::lround(x)), int(std::lround(y)), ripples.Time());
    }
    ripples.Step();
  }
  return DrawFrame(scene, vec3f(0, -1050, 650), vec3f(0, -20, -60), out);
}

int Run(int argc, char** argv) {
  const char* out_dir = nullptr;
  const char* data = "demo.dat";
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--data") == 0 && i + 1 < argc) {
      data = argv[++i];
    } else if (!out_dir) {
      out_dir = argv[i];
    } else {
      return DemotoolUsage(argv[0]);
    }
  }
  if (!out_dir) return DemotoolUsage(argv[0]);
  OpenDemoData(data);
  if (!OpenOffscreenWindow()) {
    std::fprintf(stderr, "demotool nature: no offscreen GL window: %s\n", SDL_GetError());
    return 1;
  }
  const std::string dir = std::string(out_dir) + "/";
  int status = 0;
  if (!DrawTree(dir + "tree.png")) status = 1;
  if (!DrawWater(dir + "water.png")) status = 1;
  if (status) std::fprintf(stderr, "demotool nature: cannot draw or write the pictures in '%s'\n", out_dir);
  SDL_Quit();
  FreeArchives(gArchives);
  return status;
}

const DemotoolCommand kCmd({"nature", "OUT_DIR [--data demo.dat]",
                            "draw a procedural tree as the nature parts grow them, and natu11's water plane after a "
                            "while of ripples, to OUT_DIR/tree.png and OUT_DIR/water.png",
                            &Run});

}  // namespace
