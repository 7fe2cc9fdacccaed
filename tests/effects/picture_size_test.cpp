// The trail and the fades in a 1280x960 frame: each region of the picture
// blends as it does at 640x480, out to the frame's far corner, and the trail
// keeps the frame's own pixels, not a 640x480 copy of them.
#include "effects/frame_feedback.h"
#include "effects/screen_fade.h"
#include "scene/window_space.h"
#include "tests/effects/effects_gl.h"

namespace {

constexpr int kFrameWidth = 1280, kFrameHeight = 960;

class PictureSizeTest : public EffectsGLTest {
 protected:
  static void SetUpTestSuite() {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    ASSERT_NE(SDL_SetVideoMode(kFrameWidth, kFrameHeight, 32, SDL_OPENGL), nullptr) << SDL_GetError();
  }
  void SetUp() override {
    SetupOpenGL(picture_);
    gFrameFeedback.Create(picture_);
    gScreenFade.Create(picture_);
  }

  // Four regions of the 640x480 picture, each a colour of kRegions.
  static void DrawRegions() {
    glDisable(GL_DEPTH_TEST);
    PushWindowMatrices();
    glBegin(GL_QUADS);
    for (const Region& r : kRegions) {
      glColor3ub(r.colour[0], r.colour[1], r.colour[2]);
      glVertex2i(r.x0, r.y0), glVertex2i(r.x1, r.y0), glVertex2i(r.x1, r.y1), glVertex2i(r.x0, r.y1);
    }
    glEnd();
    PopWindowMatrices();
    glEnable(GL_DEPTH_TEST);
    glColor3ub(255, 255, 255);
  }
  // Each region's colour in the frame, read at its inner corners and centre.
  static void ExpectRegions(const std::function<Rgb(const Rgb&)>& expected, const char* what) {
    const float scale = picture_.Scale();
    for (const Region& r : kRegions) {
      const int x0 = static_cast<int>(r.x0 * scale), x1 = static_cast<int>(r.x1 * scale) - 1;
      const int y0 = static_cast<int>(r.y0 * scale), y1 = static_cast<int>(r.y1 * scale) - 1;
      for (const auto& [x, y] : {std::pair{x0, y0}, {x1, y1}, {x0, y1}, {x1, y0}, {(x0 + x1) / 2, (y0 + y1) / 2}})
        EXPECT_TRUE(Near(Pixel(x, y), expected(r.colour), 3))
            << what << " at " << x << "," << y << ": " << testing::PrintToString(Pixel(x, y));
    }
  }

  struct Region {
    int x0, y0, x1, y1;  // picture pixels
    Rgb colour;
  };
  static constexpr Region kRegions[] = {{0, 0, 320, 240, {200, 0, 0}},
                                        {320, 0, 640, 240, {0, 200, 0}},
                                        {0, 240, 320, 480, {0, 0, 200}},
                                        {320, 240, 640, 480, {200, 200, 100}}};
  static inline const PictureArea picture_ = PictureArea::Centred(kFrameWidth, kFrameHeight);
};

Rgb Scaled(const Rgb& c, float f) {
  return {static_cast<int>(c[0] * f + 0.5f), static_cast<int>(c[1] * f + 0.5f), static_cast<int>(c[2] * f + 0.5f)};
}

TEST_F(PictureSizeTest, TheTrailBlendsEveryRegionOfTheFrame) {
  FrameFeedback trail;
  ClearTo(0, 0, 0);
  DrawRegions();
  trail.Draw(0.5f);  // captures the regions
  ClearTo(0, 0, 0);
  trail.Draw(0.5f);
  ExpectRegions([](const Rgb& c) { return Scaled(c, 0.5f); }, "half of the frame before");
}

TEST_F(PictureSizeTest, TheFadesCoverEveryRegionOfTheFrame) {
  ClearTo(0, 0, 0);
  DrawRegions();
  ScreenFade(1, 1, 1).Fade(0.5f);
  ExpectRegions([](const Rgb& c) { return Rgb{(c[0] + 256) / 2, (c[1] + 256) / 2, (c[2] + 256) / 2}; }, "half white");
  ClearTo(0, 0, 0);
  DrawRegions();
  gScreenFade.Capture();
  ClearTo(0, 0, 0);
  gScreenFade.Crossfade(0.25f);
  ExpectRegions([](const Rgb& c) { return Scaled(c, 0.75f); }, "three quarters of the kept frame");
}

// A line one frame pixel wide stays one pixel wide in the trail.
TEST_F(PictureSizeTest, TheTrailKeepsTheFramesOwnPixels) {
  FrameFeedback trail;
  ClearTo(0, 0, 0);
  glEnable(GL_SCISSOR_TEST);
  glScissor(641, 0, 1, kFrameHeight);
  ClearTo(1, 1, 1);
  glDisable(GL_SCISSOR_TEST);
  trail.Draw(1.0f);
  ClearTo(0, 0, 0);
  trail.Draw(1.0f);
  ExpectPixels({{640, 700, {0, 0, 0}}, {641, 700, {255, 255, 255}}, {642, 700, {0, 0, 0}}});
}

}  // namespace
