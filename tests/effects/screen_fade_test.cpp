// Screen fades and cross-fades, read back as pixels.
#include "effects/screen_fade.h"

#include "tests/effects/effects_gl.h"

namespace {

using ScreenFadeTest = EffectsGLTest;

TEST_F(ScreenFadeTest, AColouredFadeStartsTransparentAndClampsItsOpacity) {
  ScreenFade fade(1, 1, 1);
  EXPECT_FLOAT_EQ(fade.Opacity(), 0.0f);
  EXPECT_FLOAT_EQ(fade.SetOpacity(1.5f), 1.0f);
  EXPECT_FLOAT_EQ(fade.SetOpacity(-0.2f), 0.0f);
}

// Texture 0 is incomplete and texturing is on: a textured quad would give nothing.
TEST_F(ScreenFadeTest, CoversTheWindowWithItsUntexturedColourAtTheOpacity) {
  ClearTo(0, 0, 0);
  glEnable(GL_TEXTURE_2D);
  ScreenFade(1, 1, 1).Fade(0.5f);
  EXPECT_TRUE(Near(Pixel(0, 0), {128, 128, 128}));
  EXPECT_TRUE(Near(Pixel(639, 479), {128, 128, 128}));
  ClearTo(0, 0, 1);
  ScreenFade red(1, 0, 0);
  red.SetOpacity(1.0f);
  red.Fade();
  EXPECT_EQ(Pixel(320, 240), (Rgb{255, 0, 0}));
  EXPECT_FALSE(Enabled(GL_BLEND));
  EXPECT_TRUE(Enabled(GL_DEPTH_TEST));
}

TEST_F(ScreenFadeTest, CrossfadeDrawsTheCapturedFrameWithOpacityOneMinusT) {
  gScreenFade.Create();
  ClearTo(1, 0, 0);
  gScreenFade.Capture();
  ClearTo(0, 0, 1);
  gScreenFade.Crossfade(0.25f);
  EXPECT_TRUE(Near(Pixel(320, 240), {191, 0, 64}));
  gScreenFade.Crossfade(1.0f);
  EXPECT_TRUE(Near(Pixel(320, 240), {191, 0, 64})) << "at t = 1 nothing of the capture is left";
}

TEST_F(ScreenFadeTest, WithoutTheBlendColourEntryPointItDoesNothing) {
  gExt.glBlendColorEXT = nullptr;
  ClearTo(0, 0, 1);
  ScreenFade(1, 1, 1).Fade(1.0f);
  EXPECT_EQ(Pixel(320, 240), (Rgb{0, 0, 255}));
}

}  // namespace
