// The runtime in an offscreen GL window.
#include "runtime/clock.h"
#include "runtime/extensions.h"
#include "runtime/gl_check.h"
#include "runtime/gl_setup.h"
#include "runtime/main_loop.h"
#include "runtime/present.h"
#include "runtime/show.h"

#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/window.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"

namespace gl_setup_test {

class GLSetup : public GLContextTest {};

// State the show relies on but that no frame read-back proves: leftovers switched off, a stencil, the projection.
TEST_F(GLSetup, StateAndProjectionMatchTheShowsStartingPoint) {
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnableClientState(GL_VERTEX_ARRAY);
  SetupOpenGL(kWindowWidth, kWindowHeight);
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  for (GLenum on : {GL_DEPTH_TEST, GL_CULL_FACE, GL_NORMALIZE}) EXPECT_TRUE(glIsEnabled(on)) << std::hex << on;
  for (GLenum off : {GL_TEXTURE_2D, GL_VERTEX_ARRAY, GL_LIGHT0, GL_LIGHT1}) EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
  GLint stencil = 0;
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  EXPECT_GE(stencil, 8);

  GLfloat m[16];  // a 45 degree perspective, aspect 640/480, depth 0.01 to 10000
  glGetFloatv(GL_PROJECTION_MATRIX, m);
  const double f = 1.0 / std::tan(45.0 * M_PI / 360.0), zn = 0.01, zf = 10000.0;
  EXPECT_NEAR(m[0], f * 480 / 640, 1e-5);
  EXPECT_NEAR(m[5], f, 1e-5);
  EXPECT_NEAR(m[10], (zf + zn) / (zn - zf), 1e-5);
  EXPECT_NEAR(m[11], -1.0, 1e-6);
  EXPECT_NEAR(m[14], 2 * zf * zn / (zn - zf), 1e-6);
  EXPECT_EQ(m[15], 0.0f);
}

TEST_F(GLSetup, TextureUnitOneIsSwitchedOff) {
  SetupOpenGL(kWindowWidth, kWindowHeight);
  ASSERT_NE(gExt.glActiveTextureARB, nullptr) << "llvmpipe offers multitexture and combine";
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_GEN_S);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  SetupOpenGL(kWindowWidth, kWindowHeight);
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, GL_TEXTURE0_ARB);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  for (GLenum off : {GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_Q}) EXPECT_FALSE(glIsEnabled(off)) << std::hex << off;
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
}

}  // namespace

namespace main_loop_test {

// Ends after last_frame frames; during its first frame it pushes `events`.
struct CountingShow : Effect {
  bool Frame(float) override {
    if (++frames == 1) {
      for (SDL_Event& e : events) EXPECT_EQ(SDL_PushEvent(&e), 0);
    }
    return frames < last_frame;
  }
  int last_frame;
  std::vector<SDL_Event> events;
  int frames = 0;
};

SDL_Event Event(Uint8 type, SDLKey key = SDLK_UNKNOWN) {
  SDL_Event e{};
  e.type = e.key.type = type;
  e.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  return e;
}

class MainLoop : public GLContextTest {
 protected:
  int Run(int last_frame, std::vector<SDL_Event> events = {}) {
    for (SDL_Event e; SDL_PollEvent(&e);) {
    }
    CountingShow show;
    show.last_frame = last_frame;
    show.events = std::move(events);
    const int frames = RunFrameLoop(show, clock_);
    EXPECT_EQ(show.frames, frames);
    return frames;
  }
  FixedStepClock clock_{50};
};

TEST_F(MainLoop, RunsUntilTheShowEndsIgnoringOtherKeysAndReleases) {
  EXPECT_EQ(Run(5), 5);
  EXPECT_EQ(Run(4, {Event(SDL_KEYDOWN, SDLK_SPACE), Event(SDL_KEYUP, SDLK_ESCAPE)}), 4);
}

TEST_F(MainLoop, EscapeOrQuitEndsAfterTheFrameInProgress) {
  EXPECT_EQ(Run(1000, {Event(SDL_KEYDOWN, SDLK_ESCAPE)}), 2) << "the iteration that sees Escape still draws its frame";
  EXPECT_EQ(Run(1000, {Event(SDL_QUIT)}), 2);
}

}  // namespace

namespace present_test {

class Present : public GLContextTest {};

TEST_F(Present, CapturedFramesAreNumberedRgbPngsTopRowFirst) {
  const auto dir = std::filesystem::temp_directory_path() / "demo_present_test";
  std::filesystem::remove_all(dir);
  ASSERT_TRUE(CaptureFramesTo(dir.string()));
  InstallClock(std::make_unique<FixedStepClock>(25));

  glClearColor(0, 0, 1, 0);  // blue, the bottom 10 rows red
  glClear(GL_COLOR_BUFFER_BIT);
  glEnable(GL_SCISSOR_TEST);
  glScissor(0, 0, 640, 10);
  glClearColor(1, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_SCISSOR_TEST);
  const long long before = PresentedFrames();
  ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  PresentFrame();
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "the capture reads the buffer that was drawn";
  PresentFrame();
  EXPECT_EQ(PresentedFrames(), before + 2);
  EXPECT_DOUBLE_EQ(TheClock().Read(), 2 / 25.0) << "every presented frame advances the installed clock";

  char name[2][32];
  for (int i : {0, 1}) std::snprintf(name[i], sizeof name[i], "frame%06lld.png", before + i);
  const PngPicture png = ReadPngPicture((dir / name[0]).string());
  ASSERT_EQ(png.width, 640u);
  ASSERT_EQ(png.height, 480u);
  EXPECT_EQ(png.format, static_cast<png_uint_32>(PNG_FORMAT_RGB)) << "8-bit RGB, no alpha";
  EXPECT_EQ(png.At(0, 0), (std::array<int, 3>{0, 0, 255}));
  EXPECT_EQ(png.At(0, 479), (std::array<int, 3>{255, 0, 0}));
  EXPECT_TRUE(std::filesystem::exists(dir / name[1]));

  InstallClock(std::make_unique<RealTimeClock>());
  std::filesystem::remove_all(dir);
  EXPECT_FALSE(CaptureFramesTo("/proc/no/such/folder"));
}

}  // namespace

namespace frame_check_test {

// Draws with a GL error outside any mesh, and presents.
struct FaultyPart : Effect {
  bool Frame(float) override {
    glEnable(GL_FLOAT);  // GL_INVALID_ENUM
    PresentFrame();
    return true;
  }
};

// Only Natu2 is there to draw.
struct Natu2Stage : ShowStage {
  std::unique_ptr<Effect> CreateIntro() override { return nullptr; }
  bool LoadingStep(float, ShowParts& parts) override {
    parts.scene[FindShowState("Natu2")] = std::make_unique<FaultyPart>();
    return true;
  }
  void KeepFrames(bool) override {}
  void DrawKeptFrame() override {}
  void DrawPicture(Picture, float) override {}
  void Fade(float, float, float, float) override {}
  void Present() override { PresentFrame(); }
  void DisableLights() override {}
  void StartMusic(double) override {}
};

class FrameCheck : public GLContextTest {};

TEST_F(FrameCheck, AnErrorAnywhereInAFrameIsReportedOnceWithItsPart) {
  Natu2Stage stage;
  FixedStepClock clock(50);
  DemoPart1 show(stage, clock);
  SetGLErrorChecks(true);
  testing::internal::CaptureStdout();
  for (float t : {0.0f, 99.0f, 99.0f, 0.0f, 99.0f}) show.Frame(t);  // loading, Natu1, Techno1, interlude, its end
  ASSERT_EQ(show.State(), 4);
  const long long frame = PresentedFrames();
  show.Frame(0.0f);
  show.Frame(0.02f);
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "GL error 0x500 in frame " + std::to_string(frame) + " of 'Natu2'\n");
  EXPECT_FALSE(GLErrorChecks());
  while (glGetError() != GL_NO_ERROR) continue;
}

}  // namespace
