// The 3DS scene loader over any bytes, as the show loads a scene: the file
// is registered in the archive list, Scene::Load builds its meshes, lights,
// cameras, tracks and hierarchy, and one small frame is drawn. The GL
// context is an offscreen window opened once.
#include <SDL/SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "archive/pack_image.h"
#include "runtime/fatal.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "scene/light.h"
#include "scene/scene.h"

namespace {

struct LoaderExited {};

void ThrowOnExit(int) { throw LoaderExited{}; }

constexpr char kSceneName[] = "fuzz.3ds";

// Each scene's manager keeps its GL textures for the life of the process,
// as the show's scenes live that long: the fuzzer frees them per input.
void FreeTextures(const TextureManager& textures) {
  std::set<TextureRef*> refs;
  for (const auto& binding : textures.Bindings()) refs.insert(binding.second);
  for (TextureRef* ref : refs) {
    glDeleteTextures(1, &ref->id);
    delete ref;
  }
}

void DrawOneFrame(Scene& scene) {
  scene.BuildRenderList(false);
  scene.SetCamera(scene.Cameras().size() > 1 ? 1 : 0);
  scene.Clear(false);
  scene.UpdateObjects();
  scene.BeginCamera();
  scene.RenderScene();
  scene.EndCamera();
}

}  // namespace

// The GL driver keeps allocations for the life of the process.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SetExitHandler(ThrowOnExit);
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0) return 1;
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  if (!SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_OPENGL)) return 1;
  SetupOpenGL(kWindowWidth, kWindowHeight);
  glViewport(0, 0, 64, 48);  // a small frame keeps the software renderer quick
  return std::freopen("/dev/null", "w", stdout) ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (!AddPackImage(gArchives, {{kSceneName, std::string(reinterpret_cast<const char*>(data), size)}})) return 0;
  {
    Scene scene;
    try {
      scene.Load(kSceneName);
      DrawOneFrame(scene);
    } catch (const LoaderExited&) {
    }
    FreeTextures(scene.Textures());
  }
  SharedLightPool().ResetAll();
  FreeArchives(gArchives);
  return 0;
}
