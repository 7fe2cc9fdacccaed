// The demo program: start-up, the frame loop and shutdown.
#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <string>

#include "app/show_stage.h"
#include "archive/afile.h"
#include "archive/demo_data.h"
#include "effects/capture_texture.h"
#include "effects/frame_feedback.h"
#include "effects/screen_fade.h"
#include "runtime/capture.h"
#include "runtime/clock.h"
#include "runtime/data_files.h"
#include "runtime/driver_threads.h"
#include "runtime/fatal.h"
#include "runtime/gl_setup.h"
#include "runtime/loading_work.h"
#include "runtime/log.h"
#include "runtime/main_loop.h"
#include "runtime/music.h"
#include "runtime/options.h"
#include "runtime/present.h"
#include "runtime/show.h"
#include "runtime/supersampler.h"
#include "runtime/timedemo.h"

namespace {

// A window can open when a display is named or the user chose a video driver.
bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"}) {
    const char* value = std::getenv(name);
    if (value && *value) return true;
  }
  return false;
}

// The frame --size asks for, the desktop's for native (rounded down to even
// sides, as the video needs them), else the 640x480 window. Needs SDL's video.
PictureArea ChosenFrame(const Options& options) {
  if (options.native_size) {
    const SDL_VideoInfo* desktop = SDL_GetVideoInfo();
    if (desktop && desktop->current_w >= 2 && desktop->current_h >= 2)
      return PictureArea::Centred(desktop->current_w & ~1, desktop->current_h & ~1);
  }
  if (options.width > 0) return PictureArea::Centred(options.width, options.height);
  return PictureArea();
}

// A size the driver cannot draw ends the run with status 2: the window, the
// viewport and the whole-screen effects' textures must all hold it.
void CheckFrameFitsDriver(const PictureArea& frame) {
  GLint viewport[2] = {0, 0}, texture = 0;
  glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
  if (frame.frame_width > viewport[0] || frame.frame_height > viewport[1] ||
      CaptureTextureSide(frame.width) > texture || CaptureTextureSide(frame.height) > texture)
    FatalError(2, "--size %s is larger than this driver allows (a viewport of at most %dx%d, textures of %d)",
               frame.FrameSize().c_str(), viewport[0], viewport[1], texture);
}

// Whether reading the frame gives what was just drawn into it. The trail,
// the crossfade and the capture read every frame back; some drivers (llvmpipe
// offscreen among them) resolve a multisampled frame for reading only at the
// swap, and hand back the frame before.
bool ReadsGiveTheDrawnFrame() {
  for (const GLfloat green : {1.0f, 0.0f}) {
    glClearColor(0.0f, green, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    GLubyte pixel[4] = {0, 0, 0, 0};
    glReadPixels(0, 0, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    if (pixel[1] != static_cast<GLubyte>(green * 255)) return false;
  }
  return true;
}

// The window's video mode with `samples` samples per pixel (1: one, not
// multisampled); true where it opens, the context has them all and reads
// give the frame drawn.
bool SetVideoMode(const PictureArea& frame, Uint32 flags, int samples) {
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLEBUFFERS, samples > 1);
  SDL_GL_SetAttribute(SDL_GL_MULTISAMPLESAMPLES, samples > 1 ? samples : 0);
  if (!SDL_SetVideoMode(frame.frame_width, frame.frame_height, 32, flags)) return false;
  if (samples == 1) return true;
  GLint buffers = 0, granted = 0;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &buffers);
  glGetIntegerv(GL_SAMPLES, &granted);
  return buffers > 0 && granted >= samples && ReadsGiveTheDrawnFrame();
}

// `unpaced`: ask the driver not to wait for the vertical blank at each swap.
// Multisampling when the driver offers --aa's samples, else a plain window
// and *multisampled false. Returns the frame opened.
PictureArea OpenWindow(const Options& options, bool unpaced, bool* multisampled) {
  if (SDL_Init(SDL_INIT_VIDEO) < 0) FatalError(1, "Unable to initialize SDL: %s", SDL_GetError());
  std::atexit(SDL_Quit);
  const PictureArea frame = ChosenFrame(options);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
  if (unpaced) SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 0);
  const Uint32 flags = (options.windowed ? 0 : SDL_FULLSCREEN) | SDL_HWACCEL | SDL_OPENGL;
  *multisampled = options.samples > 1 && SetVideoMode(frame, flags, options.samples);
  if (!*multisampled && !SetVideoMode(frame, flags, 1)) {
    if (options.width > 0 || options.native_size)
      FatalError(2, "--size %s: no window of that size opens\nMessage: '%s'", frame.FrameSize().c_str(),
                 SDL_GetError());
    FatalError(1, "Unable to set fullscreen videomode\nMessage: '%s'", SDL_GetError());
  }
  SDL_EnableKeyRepeat(500, 30);
  SDL_WM_SetCaption("Demo", nullptr);
  return frame;
}

// --aa's samples where the window has no multisampling: drawing at a multiple
// of the frame's size; status 2 where the driver cannot. Returns the picture
// drawn in.
PictureArea Supersample(const PictureArea& frame, int samples, Supersampler* supersampler) {
  const int factor = Supersampler::FactorFor(samples);
  std::string error;
  if (!supersampler->Begin(frame, factor, &error)) FatalError(2, "--aa %d: %s", samples, error.c_str());
  std::fprintf(stderr,
               "demo: %d samples per pixel by drawing at %s (the driver offers no %dx multisampling that reads "
               "back)\n",
               factor * factor, supersampler->Drawn().FrameSize().c_str(), samples);
  return supersampler->Drawn();
}

}  // namespace

int main(int argc, char** argv) {
  const double run_start = MonotonicSeconds();
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
  const bool capturing = !options.capture_file.empty();
  if (!DisplayAvailable()) {
    if (!capturing) {
      std::fputs("demo: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are unset); record the show to "
                 "a video with --capture show.mp4, or run it headless with SDL_VIDEODRIVER=offscreen\n",
                 stderr);
      return 1;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 1);  // the capture needs no screen
  }
  std::srand(options.seeded ? options.seed : static_cast<unsigned>(std::time(nullptr)));
  SetSoundEnabled(options.sound && !options.timedemo && !capturing);  // a capture puts the music in its file
  if (options.frame_log) SetFrameLogging(true);
  if (!options.frames_dir.empty() && !CaptureFramesTo(options.frames_dir)) {
    std::fprintf(stderr, "demo: cannot write frames to '%s'\n", options.frames_dir.c_str());
    return 2;
  }
  std::FILE* csv = nullptr;
  if (!options.timedemo_csv.empty() && !(csv = std::fopen(options.timedemo_csv.c_str(), "w"))) {
    std::fprintf(stderr, "demo: cannot write '%s'\n", options.timedemo_csv.c_str());
    return 2;
  }

  ChooseDriverThreads();  // before the GL context is made
  bool multisampled = false;
  const PictureArea frame = OpenWindow(options, options.timedemo || capturing, &multisampled);
  Supersampler supersampler;
  const bool supersampling = options.samples > 1 && !multisampled;
  const PictureArea picture = supersampling ? Supersample(frame, options.samples, &supersampler) : frame;
  CheckFrameFitsDriver(picture);
  SetupOpenGL(picture);
  PresentPicture(frame, supersampling ? &supersampler : nullptr);
  gFrameFeedback.Create(picture);  // both need the blend-colour entry point
  gScreenFade.Create(picture);
  const int fps = FixedStepFps(options);
  if (fps > 0) InstallClock(std::make_unique<FixedStepClock>(fps));
  ShowClock& clock = TheClock();
  MusicInit(44100);
  {
    const LoadingWorkScope unpacking;
    OpenDemoData(LocateDataFile("demo.dat").c_str());
  }

  DemoStage stage;
  auto* show = new DemoPart1(stage, clock);  // lives until the process ends
  show->PlayRange(options.first_state, options.seconds);
  // A chosen part's frames are what was asked for: the loading plays unrecorded.
  if (options.part_chosen) SkipFrameFilesWhile([show] { return show->State() == 0; });
  std::unique_ptr<Timedemo> timedemo;
  if (options.timedemo) timedemo = std::make_unique<Timedemo>(*show, fps, run_start, frame);
  std::unique_ptr<VideoCapture> capture;
  if (capturing) {
    capture = std::make_unique<VideoCapture>(*show, options.capture_file,
                                             options.sound ? LocateDataFile("demo.mp3") : "", fps,
                                             options.part_chosen, frame);
    capture->Start();
  }
  {
    const LoadingWorkScope loading;
    show->Load();
    MusicLoad(LocateDataFile("demo.mp3").c_str());
  }
  clock.Reset();

  RunFrameLoop(*show, clock);

  MusicStop();
  MusicFree();
  int status = 0;
  if (capture) capture->Finish();
  if (timedemo) {
    timedemo->PrintReport(stdout);
    if (csv && !(timedemo->WriteCsv(csv) && std::fclose(csv) == 0)) {
      std::fprintf(stderr, "demo: cannot write '%s'\n", options.timedemo_csv.c_str());
      status = 1;
    }
  }
  FreeArchives(gArchives);
  return status;
}
