// The demo program: start-up, the frame loop and shutdown.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "effects/frame_feedback.h"
#include "effects/screen_fade.h"
#include "parts/show_stage.h"
#include "runtime/clock.h"
#include "runtime/data_files.h"
#include "runtime/fatal.h"
#include "runtime/gl_setup.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/music.h"
#include "runtime/options.h"
#include "runtime/present.h"
#include "runtime/show.h"

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void OpenWindow(bool windowed) {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) FatalError(1, "Unable to initialize SDL: %s", SDL_GetError());
  std::atexit(SDL_Quit);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  const Uint32 flags = (windowed ? 0 : SDL_FULLSCREEN) | SDL_HWACCEL | SDL_OPENGL;
  if (!SDL_SetVideoMode(kWidth, kHeight, 32, flags))
    FatalError(1, "Unable to set fullscreen videomode\nMessage: '%s'", SDL_GetError());
  SDL_EnableKeyRepeat(500, 30);
  SDL_WM_SetCaption("Demo", nullptr);
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  std::string error;
  if (!ParseCommandLine(argc, argv, &options, &error)) {
    std::fprintf(stderr, "demo: %s\n%s", error.c_str(), UsageText());
    return 2;
  }
  if (options.help) {
    std::fputs(UsageText(), stdout);
    return 0;
  }
  std::srand(options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr)));
  SetSoundEnabled(options.sound);
  if (options.frameLog) SetFrameLogging(true);
  if (!options.framesDir.empty() && !CaptureFramesTo(options.framesDir)) {
    std::fprintf(stderr, "demo: cannot write frames to '%s'\n", options.framesDir.c_str());
    return 2;
  }

  OpenWindow(options.windowed);
  SetupOpenGL(kWidth, kHeight);
  gFrameFeedback.Create();  // both need the blend-colour entry point
  gScreenFade.Create();
  if (options.fps > 0) InstallClock(std::make_unique<FixedStepClock>(options.fps));
  ShowClock& clock = TheClock();
  MusicInit(44100);
  OpenDemoData(LocateDataFile("demo.dat").c_str());

  DemoStage stage;
  auto* show = new DemoPart1(stage, clock);  // lives until the process ends
  show->Load();
  MusicLoad(LocateDataFile("demo.mp3").c_str());
  clock.Reset();

  RunFrameLoop(*show, clock);

  MusicStop();
  MusicFree();
  FreeArchives(gArchives);
  return 0;
}
