#include "effects/frame_feedback.h"

#include <gtest/gtest.h>

#include "runtime/extensions.h"
#include "tests/effects/effects_gl.h"

namespace {

// One suite: the capture texture is shared by every FrameFeedback and lives
// in this suite's GL context.
class FrameFeedbackTest : public EffectsGLTest {};

TEST_F(FrameFeedbackTest, OpacityStartsAtThreeQuartersAndIsClamped) {
  FrameFeedback feedback;
  EXPECT_FLOAT_EQ(feedback.Opacity(), 0.75f);
  EXPECT_EQ(feedback.FrameCount(), 0);
  EXPECT_FLOAT_EQ(feedback.SetOpacity(1.5f), 1.0f);
  EXPECT_FLOAT_EQ(feedback.SetOpacity(-0.2f), 0.0f);
  EXPECT_FLOAT_EQ(feedback.Opacity(), 0.0f);
  EXPECT_FLOAT_EQ(feedback.SetOpacity(0.3f), 0.3f);
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
  EXPECT_EQ(feedback.FrameCount(), 1);

  ClearTo(0, 0, 100 / 255.0f);
  feedback.Draw(0.5f);
  EXPECT_TRUE(Near(Pixel(5, 5), {100, 0, 50}));
  EXPECT_TRUE(Near(Pixel(635, 475), {100, 0, 50})) << "the whole frame, corner to corner";
  EXPECT_EQ(feedback.FrameCount(), 2);

  ClearTo(0, 0, 0);
  feedback.Create();  // a second create keeps the texture and what it holds
  feedback.SetOpacity(0.75f);
  feedback.Draw();
  EXPECT_TRUE(Near(Pixel(320, 240), {75, 0, 37}));
  EXPECT_EQ(feedback.FrameCount(), 3);
}

TEST_F(FrameFeedbackTest, TheTrailKeepsThePicturesPlace) {
  FrameFeedback feedback;
  feedback.Create();
  ClearTo(0, 0, 0);
  glEnable(GL_SCISSOR_TEST);  // a white block at the lower left
  glScissor(0, 0, 100, 50);
  ClearTo(1, 1, 1);
  glDisable(GL_SCISSOR_TEST);
  feedback.Draw(1.0f);
  ClearTo(0, 0, 0);
  feedback.Draw(1.0f);
  EXPECT_EQ(Pixel(99, 49), (Rgb{255, 255, 255}));
  EXPECT_EQ(Pixel(100, 49), (Rgb{0, 0, 0}));
  EXPECT_EQ(Pixel(99, 50), (Rgb{0, 0, 0}));
}

TEST_F(FrameFeedbackTest, DrawLeavesBlendingOffAndTheMatricesAsTheyWere) {
  FrameFeedback feedback;
  feedback.Create();
  GLfloat projection[16], after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  feedback.Draw(0.5f);
  feedback.Draw(0.5f);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], projection[i]);
}

}  // namespace
