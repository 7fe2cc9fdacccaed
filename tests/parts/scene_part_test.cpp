// The shared scene-part frame over a small scene read back from a real GL
// context: the order of a frame, the mirror pass, the trail and the fog.
#include "parts/scene_part.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "archive/afile.h"
#include "archive/pack_image.h"
#include "effects/fog.h"
#include "effects/frame_feedback.h"
#include "paths/linear_path.h"
#include "runtime/gl_setup.h"
#include "runtime/present.h"
#include "runtime/window.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"

namespace {

std::string MirrorScene3ds() {
  std::string bytes;
  FILE* pipe = popen(MAKE_MIRROR_SCENE, "r");
  for (int ch; (ch = std::fgetc(pipe)) != EOF;) bytes += static_cast<char>(ch);
  return pclose(pipe) == 0 ? bytes : "";
}

// A part that keeps a record of its story's calls.
class TestPart : public ScenePart {
 public:
  explicit TestPart(bool mirror, float trail = kStoredOpacity)
      : ScenePart({"mirror.3ds", 25.0f, 200.0f, false, trail}), mirror_(mirror) {}

  std::vector<float> steps;  // the path step seen by each Animate
  int effects_drawn = 0;

 private:
  void Dress(Scene& scene) override {
    if (mirror_) SetMirror(scene.FindObject("Floor"));
  }
  void Animate(float, float) override { steps.push_back(PathStep()); }
  void DrawEffects() override { ++effects_drawn; }

  bool mirror_;
};

class ScenePartTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(kWindowWidth, kWindowHeight);
    gFrameFeedback.Create();
    ASSERT_TRUE(AddPackImage(gArchives, {{"mirror.3ds", MirrorScene3ds()}}));
  }

  static void TearDownTestSuite() {
    std::filesystem::remove_all(CaptureDir());
    GLContextTest::TearDownTestSuite();
  }

  // One folder per process: under ctest -j the cases of this suite run side by side, and each one's tear-down
  // removes its folder.
  static std::string CaptureDir() {
    return (std::filesystem::temp_directory_path() / ("scene_part_test." + std::to_string(getpid()))).string();
  }
  static std::string FramePath(long long n) {
    char name[32];
    std::snprintf(name, sizeof name, "/frame%06lld.png", n);
    return CaptureDir() + name;
  }

  // How far two captured frames differ in a box given from the top left:
  // the mean of the channels' absolute differences.
  static double MeanDifference(const PngPicture& a, const PngPicture& b, int x0, int y0, int x1, int y1) {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        for (int c = 0; c < 3; ++c) sum += std::abs(a.At(x, y)[c] - b.At(x, y)[c]);
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
  }
};

TEST_F(ScenePartTest, AFrameStepsThePathsByItsTimeAndPresentsOnce) {
  TestPart part(false);
  ASSERT_TRUE(part.Load());
  part.Begin();
  const long long presented = PresentedFrames();
  const int warm_up = part.effects_drawn;
  for (float t : {0.5f, 0.75f, 0.75f}) part.Frame(t);
  EXPECT_EQ(PresentedFrames() - presented, 3);
  EXPECT_EQ(part.steps, (std::vector<float>{12.5f, 6.25f, 0.0f}));
  EXPECT_EQ(part.effects_drawn - warm_up, 3);
}

// The box stands in the middle of the floor; the mirror shows it upside down
// below its foot and leaves the floor beside it as it was.
TEST_F(ScenePartTest, TheMirrorShowsTheSceneAgainBelowItsSurface) {
  TestPart plain(false, 0.0f), mirrored(true, 0.0f);
  for (TestPart* part : {&plain, &mirrored}) {
    ASSERT_TRUE(part->Load());
    part->Begin();
  }
  ASSERT_TRUE(CaptureFramesTo(CaptureDir()));
  const long long first = PresentedFrames();
  const int warm_up = mirrored.effects_drawn;
  plain.Frame(0.1f);
  mirrored.Frame(0.1f);
  const PngPicture without = ReadPngPicture(FramePath(first));
  const PngPicture with = ReadPngPicture(FramePath(first + 1));
  ASSERT_EQ(with.width, 640u);
  EXPECT_GT(MeanDifference(without, with, 290, 310, 350, 390), 20.0) << "the box's reflection";
  EXPECT_LT(MeanDifference(without, with, 40, 310, 200, 390), 2.0) << "the bare floor";
  EXPECT_EQ(mirrored.effects_drawn - warm_up, 2) << "the effects are reflected too";
}

// Loading draws the part once, mirror and effects included, for the driver to
// compile; nothing of it is presented or left behind.
TEST_F(ScenePartTest, LoadingWarmsUpWithoutAVisibleTrace) {
  gFog.Disable();
  glClearColor(0.0f, 0.0f, 1.0f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  const long long presented = PresentedFrames();
  const int trail_frames = gFrameFeedback.FrameCount();
  TestPart part(true);
  ASSERT_TRUE(part.Load());
  EXPECT_EQ(part.effects_drawn, 2) << "the scene and its reflection";
  EXPECT_EQ(PresentedFrames(), presented);
  EXPECT_EQ(gFrameFeedback.FrameCount(), trail_frames);
  EXPECT_FALSE(gFog.Enabled());
  EXPECT_FALSE(glIsEnabled(GL_FOG));
  EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
  GLfloat clear[4];
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[2], 1.0f) << "the GL state is as it was";
  GLubyte pixel[4];
  glReadPixels(320, 240, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
  EXPECT_EQ(pixel[2], 255) << "the still frame is cleared away";
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  part.Begin();
  EXPECT_TRUE(gFog.Enabled()) << "the part's own Begin still sets the fog";
}

TEST_F(ScenePartTest, BeginSetsTheFogOnceUntilEnd) {
  TestPart part(false);
  part.Begin();
  gFog.SetEnd(50.0f);
  part.Begin();
  EXPECT_EQ(gFog.End(), 50.0f) << "begun: nothing is set again";
  part.End();
  part.Begin();
  GLfloat start = 0, end = 0, colour[4] = {};
  GLint mode = 0;
  glGetFloatv(GL_FOG_START, &start);
  glGetFloatv(GL_FOG_END, &end);
  glGetFloatv(GL_FOG_COLOR, colour);
  glGetIntegerv(GL_FOG_MODE, &mode);
  EXPECT_EQ(start, 1.0f);
  EXPECT_EQ(end, 200.0f);
  EXPECT_EQ(mode, GL_LINEAR);
  EXPECT_NEAR(colour[0], 0.93359375f, 1e-6);
  EXPECT_TRUE(glIsEnabled(GL_FOG));
}

}  // namespace
