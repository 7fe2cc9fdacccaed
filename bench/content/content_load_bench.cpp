// How long the show takes to load its data: unpack demo.dat, decode every
// image (with its mask) and load every scene, as the parts do at start-up.
//   content_load_bench [demo.dat]   (default: the one beside this program)
#include <SDL/SDL.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "runtime/data_files.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "scene/scene.h"
#include "textures/texture_manager.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The loaders' progress lines go to /dev/null while they are timed.
class QuietStdout {
 public:
  QuietStdout() : saved_(dup(STDOUT_FILENO)) {
    std::fflush(stdout);
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    close(null);
  }
  ~QuietStdout() {
    std::fflush(stdout);
    dup2(saved_, STDOUT_FILENO);
    close(saved_);
  }

 private:
  int saved_;
};

std::vector<std::string> EntriesEndingWith(const std::string& end) {
  std::vector<std::string> names;
  for (const Archive* archive : gArchives)
    for (const auto& entry : archive->entries) {
      const std::string& name = entry.first;
      if (name.size() >= end.size() && name.compare(name.size() - end.size(), end.size(), end) == 0)
        names.push_back(name);
    }
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string data = argc > 1 ? argv[1] : LocateDataFile("demo.dat");
  setenv("SDL_VIDEODRIVER", "offscreen", 0);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !SDL_SetVideoMode(kWindowWidth, kWindowHeight, 32, SDL_OPENGL)) {
    std::fprintf(stderr, "content_load_bench: no GL window: %s\n", SDL_GetError());
    return 1;
  }
  SetupOpenGL(kWindowWidth, kWindowHeight);

  double unpack = 0, decode = 0, scenes = 0;
  size_t images = 0, scene_count = 0;
  std::vector<std::unique_ptr<Scene>> loaded;
  {
    QuietStdout quiet;
    Clock::time_point start = Clock::now();
    OpenDemoData(data.c_str());
    unpack = Seconds(start);

    start = Clock::now();
    for (const char* kind : {".jpg", ".png"})
      for (const std::string& name : EntriesEndingWith(kind)) {
        GetImage(name);
        ++images;
      }
    decode = Seconds(start);

    start = Clock::now();
    for (const std::string& name : EntriesEndingWith(".3ds")) {
      loaded.push_back(std::make_unique<Scene>());
      loaded.back()->Load(name.c_str());
      ++scene_count;
    }
    glFinish();
    scenes = Seconds(start);
  }
  const double total = unpack + decode + scenes;
  std::printf("%s\n", data.c_str());
  std::printf("unpack           %7.1f ms\n", unpack * 1000);
  std::printf("decode %2zu images %7.1f ms\n", images, decode * 1000);
  std::printf("load %2zu scenes   %7.1f ms (textures uploaded)\n", scene_count, scenes * 1000);
  std::printf("total            %7.1f ms (goal: under 1000 ms) %s\n", total * 1000, total < 1.0 ? "ok" : "OVER");
  loaded.clear();
  SDL_Quit();
  return 0;
}
