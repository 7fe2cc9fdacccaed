// The intro and the show's pictures over the real stage, with flat-colour pictures made by cjpeg, read back
// from frames captured at 10 a second.
#include "parts/intro.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/show_stage.h"
#include "archive/afile.h"
#include "archive/pack_image.h"
#include "runtime/clock.h"
#include "runtime/gl_setup.h"
#include "runtime/music.h"
#include "runtime/present.h"
#include "runtime/window.h"
#include "scene/light.h"
#include "tests/support/gl_context.h"
#include "tests/support/png_picture.h"
#include "tests/support/rgb.h"
#include "textures/texture_manager.h"

namespace {

const Rgb kLoadingColour{240, 60, 0}, kInterludeColour{30, 200, 90}, kClosingColour{60, 90, 240};

// The bytes of a 64 x 48 JPEG of one colour, encoded by cjpeg; empty on failure.
std::string FlatJpeg(const Rgb& c) {
  const std::string cmd = "/usr/bin/python3 -c 'import sys; sys.stdout.buffer.write(b\"P6 64 48 255 \" + bytes([" +
                          std::to_string(c[0]) + "," + std::to_string(c[1]) + "," + std::to_string(c[2]) +
                          "]) * 3072)' | cjpeg -quality 95";
  std::string bytes;
  FILE* pipe = popen(cmd.c_str(), "r");
  for (int ch; (ch = std::fgetc(pipe)) != EOF;) bytes += static_cast<char>(ch);
  return pclose(pipe) == 0 ? bytes : "";
}

class PicturesTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(kWindowWidth, kWindowHeight);
    SetSoundEnabled(false);
    const std::vector<PackEntry> entries = {{"loading.jpg", FlatJpeg(kLoadingColour)},
                                            {"loading2.jpg", FlatJpeg(kInterludeColour)},
                                            {"the_end.jpg", FlatJpeg(kClosingColour)}};
    for (const auto& entry : entries) ASSERT_FALSE(entry.bytes.empty()) << "cjpeg is needed for this test";
    ASSERT_TRUE(AddPackImage(gArchives, entries));
  }
  void SetUp() override {
    std::filesystem::remove_all(dir_);
    ASSERT_TRUE(CaptureFramesTo(dir_.string()));
    InstallClock(std::make_unique<FixedStepClock>(10));
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // The pixel at (x, y) from the top left of captured frame n; {-1, -1, -1} when unreadable.
  Rgb Pixel(long long n, int x, int y) const {
    char name[32];
    std::snprintf(name, sizeof name, "frame%06lld.png", n);
    const PngPicture png = ReadPngPicture((dir_ / name).string());
    return unsigned(x) < png.width && unsigned(y) < png.height ? png.At(x, y) : Rgb{-1, -1, -1};
  }

  // One folder per test: ctest runs the tests side by side.
  const std::filesystem::path dir_ = std::filesystem::temp_directory_path() /
                                     (std::string("demo_parts_frames_") +
                                      testing::UnitTest::GetInstance()->current_test_info()->name());
};

std::vector<std::string> gEvents;

struct RecordingPart : Effect {
  explicit RecordingPart(std::string name) : name(std::move(name)) { gEvents.push_back("make " + this->name); }
  bool Load() override {
    light = SharedLightPool().Allocate();
    SharedLightPool().Allocate();
    gEvents.push_back("load " + name);
    return true;
  }
  std::string name;
  GLenum light = 0;
};

std::unique_ptr<Effect> MakeRecordingPart(const std::string& name) { return std::make_unique<RecordingPart>(name); }

TEST_F(PicturesTest, IntroLoadsItsPictureThenFadesItInFromBlackAndLoadsThePartsInPlayingOrder) {
  TheClock().Reset();
  for (int i = 0; i < 5; ++i) TheClock().FramePresented();  // the step resets the clock itself
  Intro intro(MakeRecordingPart);
  EXPECT_TRUE(intro.Load());
  ASSERT_NE(intro.LoadingPicture(), nullptr);
  EXPECT_EQ(intro.LoadingPicture()->Texture(), GetTexture("bmp1", "loading.jpg"));
  SharedLightPool().ResetAll();
  gEvents.clear();
  ShowParts parts;
  const long long first = PresentedFrames();
  EXPECT_TRUE(intro.LoadingStep(parts));

  EXPECT_EQ(PresentedFrames() - first, 30) << "three seconds at 10 frames a second";
  EXPECT_DOUBLE_EQ(TheClock().Read(), 3.0);
  const Rgb c = kLoadingColour;
  EXPECT_EQ(Pixel(first, 320, 240), (Rgb{0, 0, 0})) << "opacity 0 over black";
  EXPECT_TRUE(Near(Pixel(first + 15, 320, 240), {c[0] / 2, c[1] / 2, c[2] / 2}, 4));
  EXPECT_TRUE(Near(Pixel(first + 29, 10, 10), {c[0] * 29 / 30, c[1] * 29 / 30, 0}, 4));

  EXPECT_EQ(gEvents, (std::vector<std::string>{"make Natu1", "make Natu2", "make Natu3", "make Techno1",
                                               "make Techno2", "make Techno3", "load Natu1", "load Techno1",
                                               "load Natu2", "load Techno3", "load Techno2", "load Natu3"}));
  int made = 0;
  for (const auto& part : parts.scene) {
    if (!part) continue;
    ++made;
    EXPECT_EQ(static_cast<RecordingPart*>(part.get())->light, GLenum(GL_LIGHT0)) << "a full pool for every part";
  }
  EXPECT_EQ(made, 6);

  const Bitmap* interlude = intro.ShownPicture(Picture::Interlude);
  const Bitmap* closing = intro.ShownPicture(Picture::Closing);
  ASSERT_NE(interlude, nullptr);
  ASSERT_NE(closing, nullptr);
  EXPECT_EQ(interlude->Texture(), GetTexture("bmp2", "loading2.jpg"));
  EXPECT_EQ(closing->Texture(), GetTexture("bmp3", "the_end.jpg"));
}

Rgb Scaled(const Rgb& c, float f) { return {int(c[0] * f), int(c[1] * f), int(c[2] * f)}; }

// The interlude and closing pictures fade in from white and out to black; each state switch presents nothing.
TEST_F(PicturesTest, PicturesFadeInFromWhiteAndOutToBlack) {
  DemoStage stage;
  DemoPart1 show(stage, TheClock());
  auto frame_at = [&](float t) {  // one frame at t over a black back buffer; the captured frame's centre
    glClear(GL_COLOR_BUFFER_BIT);
    const long long frame = PresentedFrames();
    EXPECT_TRUE(show.Frame(t));
    EXPECT_EQ(PresentedFrames(), frame + 1);
    return Pixel(frame, 320, 240);
  };
  auto skip_to = [&](int state) {
    const long long frames = PresentedFrames();
    while (show.State() < state) show.Frame(1000.0f);
    EXPECT_EQ(PresentedFrames(), frames);
  };
  ASSERT_TRUE(show.Load());
  show.Frame(0.0f);  // the loading step
  ASSERT_EQ(show.State(), 1);
  for (int state = 0; state < kShowStates; ++state)
    EXPECT_EQ(show.Parts().scene[state] != nullptr, TimelineAt(state).kind == StateKind::Part) << ShowStateName(state);
  skip_to(3);

  const Rgb third = Scaled(kInterludeColour, 1.0f / 3);  // under a white cover of 1/2
  EXPECT_TRUE(Near(frame_at(1.0f), {128 + third[0] / 2, 128 + third[1] / 2, 128 + third[2] / 2}, 4));
  EXPECT_TRUE(Near(frame_at(2.5f), Scaled(kInterludeColour, 2.5f / 3), 4)) << "uncovered";
  EXPECT_TRUE(Near(frame_at(4.0f), Scaled(kInterludeColour, 0.5f), 4)) << "opaque under a black cover of 1/2";
  EXPECT_TRUE(Near(frame_at(0.0f), {255, 255, 255}, 1)) << "all white";

  skip_to(8);
  EXPECT_TRUE(Near(frame_at(2.5f), Scaled(kClosingColour, 2.5f / 3), 4));
  EXPECT_TRUE(Near(frame_at(4.99f), Scaled(kClosingColour, 0.005f), 4)) << "nearly black at the end";
  show.Frame(5.0f);
  EXPECT_EQ(show.State(), DemoPart1::kFinished);
  EXPECT_FALSE(show.Frame(0.0f));
}

}  // namespace
