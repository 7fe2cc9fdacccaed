// The frame trail: opacity, the first capture, the blended previous frame and the GL state afterwards.
#include "effects/frame_feedback.h"

#include "tests/effects/effects_gl.h"

namespace {

// One suite: every FrameFeedback shares the capture texture in its context.
using FrameFeedbackTest = EffectsGLTest;

TEST_F(FrameFeedbackTest, OpacityStartsAtThreeQuartersAndIsClamped) {
  FrameFeedback feedback;
  EXPECT_FLOAT_EQ(feedback.Opacity(), 0.75f);
  EXPECT_FLOAT_EQ(feedback.SetOpacity(1.5f), 1.0f);
  EXPECT_FLOAT_EQ(feedback.SetOpacity(-0.2f), 0.0f);
}

TEST_F(FrameFeedbackTest, WithoutTheBlendColourEntryPointNothingHappens) {
  gExt.glBlendColorEXT = nullptr;
  FrameFeedback feedback;
  for (int frame = 0; frame < 2; ++frame) {
    ClearTo(frame ? 0.0f : 1.0f, 0.0f, 1.0f);
    feedback.Draw(0.5f);
  }
  EXPECT_EQ(Pixel(320, 240), (Rgb{0, 0, 255}));
  EXPECT_EQ(feedback.FrameCount(), 0);
}

TEST_F(FrameFeedbackTest, TheFirstDrawOnlyCapturesThenThePreviousFrameIsBlendedIn) {
  FrameFeedback feedback;
  feedback.Create();
  ClearTo(200 / 255.0f, 0, 0);
  feedback.Draw(0.5f);
  EXPECT_EQ(Pixel(5, 5), (Rgb{200, 0, 0}));

  ClearTo(0, 0, 100 / 255.0f);
  feedback.Draw(0.5f);
  EXPECT_TRUE(Near(Pixel(5, 5), {100, 0, 50}));
  EXPECT_TRUE(Near(Pixel(635, 475), {100, 0, 50})) << "the whole frame, corner to corner";

  ClearTo(0, 0, 0);
  feedback.Create();  // a second create keeps the texture and what it holds
  feedback.SetOpacity(0.75f);
  feedback.Draw();
  EXPECT_TRUE(Near(Pixel(320, 240), {75, 0, 37}));
  EXPECT_EQ(feedback.FrameCount(), 3);
}

// A new part restarts the trail: its first draw shows nothing of the frames before, as the very first draw; a
// warm-up blends but leaves the captured frame and the count alone.
TEST_F(FrameFeedbackTest, AfterARestartTheNextDrawOnlyCapturesAndAWarmUpCapturesNothing) {
  FrameFeedback feedback;
  feedback.Create();
  ClearTo(200 / 255.0f, 0, 0);
  feedback.Draw(0.5f);
  ClearTo(0, 200 / 255.0f, 0);
  feedback.WarmUp(0.5f);
  EXPECT_TRUE(Near(Pixel(5, 5), {100, 100, 0})) << "the warm-up blends";
  EXPECT_EQ(feedback.FrameCount(), 1);
  ClearTo(0, 0, 200 / 255.0f);
  feedback.Draw(0.5f);
  EXPECT_TRUE(Near(Pixel(5, 5), {100, 0, 100})) << "the frame captured before the warm-up";
  feedback.Restart();
  EXPECT_EQ(feedback.FrameCount(), 0);
  ClearTo(0, 100 / 255.0f, 0);
  feedback.Draw(0.5f);
  EXPECT_EQ(Pixel(5, 5), (Rgb{0, 100, 0})) << "nothing of the frames before";
  ClearTo(0, 0, 0);
  feedback.Draw(0.5f);
  EXPECT_TRUE(Near(Pixel(5, 5), {0, 50, 0}));
}

TEST_F(FrameFeedbackTest, TheTrailKeepsThePicturesPlaceAndDrawRestoresTheState) {
  FrameFeedback feedback;
  feedback.Create();
  const Matrix16 projection = Matrix(GL_PROJECTION_MATRIX);
  ClearTo(0, 0, 0);
  glEnable(GL_SCISSOR_TEST);  // a white block at the lower left
  glScissor(0, 0, 100, 50);
  ClearTo(1, 1, 1);
  glDisable(GL_SCISSOR_TEST);
  feedback.Draw(1.0f);
  ClearTo(0, 0, 0);
  feedback.Draw(1.0f);
  ExpectPixels({{99, 49, {255, 255, 255}}, {100, 49, {0, 0, 0}}, {99, 50, {0, 0, 0}}});
  ExpectEnabled({GL_BLEND, GL_TEXTURE_2D, GL_LIGHTING}, false);
  ExpectEnabled({GL_DEPTH_TEST}, true);
  EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
}

}  // namespace
