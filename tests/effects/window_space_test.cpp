// Full-screen passes under the fog of a scene part: fog cannot change a
// window-space pixel, so the passes draw without it and leave it as it was.
#include "effects/window_space.h"

#include "effects/fog.h"
#include "effects/frame_feedback.h"
#include "effects/screen_fade.h"
#include "tests/effects/effects_gl.h"

namespace {

class WindowSpaceTest : public EffectsGLTest {
 protected:
  void SetUp() override {
    EffectsGLTest::SetUp();
    // A fog that would paint every pixel blue, even at eye distance 0.
    gFog.SetRange(-10.0f, -5.0f);
    gFog.SetColour(0.0f, 0.0f, 1.0f);
    gFog.SetMode(2);
    gFog.Enable();
  }
  void TearDown() override { gFog.Disable(); }
};

TEST_F(WindowSpaceTest, PassesDrawUnfoggedAndTheFogStaysOn) {
  FrameFeedback trail;
  trail.Create();
  const struct {
    const char* pass;
    std::function<void()> draw;
    Rgb expected;
  } passes[] = {
      {"fade", [] { ScreenFade(0, 1, 0).Fade(1.0f); }, {0, 255, 0}},
      {"trail", [&] { trail.Draw(1.0f); }, {255, 0, 0}},  // the red frame captured before the table
  };
  ClearTo(1, 0, 0);
  trail.Draw(1.0f);  // captures red
  for (const auto& pass : passes) {
    ClearTo(0, 0, 0);
    pass.draw();
    EXPECT_EQ(Pixel(320, 240), pass.expected) << pass.pass;
    EXPECT_TRUE(Enabled(GL_FOG)) << pass.pass;
  }
}

TEST_F(WindowSpaceTest, AProgramWithoutFogKeepsItOff) {
  gFog.Disable();
  PushWindowMatrices();
  PopWindowMatrices();
  EXPECT_FALSE(Enabled(GL_FOG));
}

}  // namespace
