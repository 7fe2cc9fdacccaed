// Full-screen passes under the fog of a scene part: fog cannot change a
// window-space pixel, so the passes draw without it and leave it as it was.
#include "scene/window_space.h"

#include "effects/capture_texture.h"
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

// A 640x480 frame of pseudo-random RGB bytes.
std::vector<uint8_t> Noise(uint32_t seed) {
  std::vector<uint8_t> pixels(kWindowWidth * kWindowHeight * 3);
  for (uint8_t& p : pixels) {
    seed = seed * 1664525u + 1013904223u;
    p = static_cast<uint8_t>(seed >> 24);
  }
  return pixels;
}

// Puts `pixels` in the frame as they are: no fog, texture or depth test.
void DrawFrame(const std::vector<uint8_t>& pixels) {
  glPushAttrib(GL_ENABLE_BIT);
  glDisable(GL_FOG);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRasterPos2f(-1.0f, -1.0f);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glDrawPixels(kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

std::vector<uint8_t> ReadFrame() {
  std::vector<uint8_t> pixels(kWindowWidth * kWindowHeight * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kWindowWidth, kWindowHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

// Before they went without fog, the passes drew fogged from an RGBA copy of
// the frame; under the scene parts' fog (linear from eye distance 1) the
// frames must come out the very same, byte for byte, as the fogged picture
// and the RGBA copy's trail.
TEST_F(WindowSpaceTest, PassesDrawTheFramesThatTheirFoggedRgbaDrawingDrew) {
  gFog.SetRange(1.0f, 95.0f);
  const std::vector<uint8_t> earlier = Noise(1), later = Noise(2);
  const GLuint picture = TextureFromPixels(kWindowWidth, kWindowHeight, [&] {
    std::vector<uint8_t> rgba;
    for (size_t i = 0; i < earlier.size(); i += 3) rgba.insert(rgba.end(), {earlier[i], earlier[i + 1], 255, 255});
    return rgba;
  }());
  const auto trail_over_later = [&](const std::function<void()>& capture, const std::function<void()>& blend) {
    DrawFrame(earlier);
    capture();
    DrawFrame(later);
    blend();
    return ReadFrame();
  };
  const auto sky_over_later = [&](bool fogged) {
    DrawFrame(later);
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    PushWindowMatrices();
    if (fogged) glEnable(GL_FOG);
    DrawWindowPicture(1.0f);  // the far plane, where the open halls draw their sky
    PopWindowMatrices();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_DEPTH_TEST);
    return ReadFrame();
  };

  FrameFeedback trail;
  const std::vector<uint8_t> trail_now = trail_over_later([&] { trail.Draw(0.4f); }, [&] { trail.Draw(0.4f); });
  const std::vector<uint8_t> sky_now = sky_over_later(false);

  CaptureTexture rgba(GL_RGBA8);
  rgba.Create(PictureArea());
  const std::vector<uint8_t> trail_before =
      trail_over_later([&] { rgba.Capture(); }, [&] { rgba.DrawOverWindow(0.4f); });
  const std::vector<uint8_t> sky_before = sky_over_later(true);

  EXPECT_TRUE(trail_now == trail_before) << "the trail";
  EXPECT_TRUE(sky_now == sky_before) << "the far-plane picture";
  EXPECT_FALSE(trail_now == later) << "the trail blended nothing";
  glDeleteTextures(1, &picture);
}

TEST_F(WindowSpaceTest, TheFogComesBackAsItWas) {
  for (const bool on : {false, true}) {
    on ? glEnable(GL_FOG) : glDisable(GL_FOG);
    PushWindowMatrices();
    EXPECT_FALSE(Enabled(GL_FOG)) << on;
    PopWindowMatrices();
    EXPECT_EQ(Enabled(GL_FOG), on);
  }
}

}  // namespace
