// The show's timeline over the real stage: the interlude and closing pictures
// with their white and black covers, read back from the captured frames.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "parts/show_stage.h"
#include "tests/parts/picture_files.h"

namespace {

class ShowPicturesTest : public PicturesTest {
 protected:
  // One frame at t over a black back buffer; the captured frame's centre.
  Rgb FrameAt(float t) {
    glClear(GL_COLOR_BUFFER_BIT);
    const long long frame = PresentedFrames();
    EXPECT_TRUE(show_->Frame(t));
    EXPECT_EQ(PresentedFrames(), frame + 1);
    return Pixel(frame, 320, 240);
  }

  // Steps the timeline into `state`; each switch draws nothing.
  void SkipTo(int state) {
    while (show_->State() < state) {
      const long long frames = PresentedFrames();
      show_->Frame(1000.0f);
      EXPECT_EQ(PresentedFrames(), frames);
    }
  }

  static Rgb Scaled(const Rgb& c, float f) {
    return {static_cast<int>(c[0] * f), static_cast<int>(c[1] * f), static_cast<int>(c[2] * f)};
  }

  void SetUp() override {
    PicturesTest::SetUp();
    show_ = std::make_unique<DemoPart1>(stage_, TheClock());
  }

  DemoStage stage_;
  std::unique_ptr<DemoPart1> show_;
};

TEST_F(ShowPicturesTest, PicturesFadeInFromWhiteAndOutToBlack) {
  ASSERT_TRUE(show_->Load());
  show_->Frame(0.0f);  // the loading step
  ASSERT_EQ(show_->State(), 1);
  SkipTo(3);

  const Rgb third = Scaled(kInterludeColour, 1.0f / 3);  // under a white cover of 1/2
  EXPECT_TRUE(Near(FrameAt(1.0f), {128 + third[0] / 2, 128 + third[1] / 2, 128 + third[2] / 2}, 4));
  EXPECT_TRUE(Near(FrameAt(2.5f), Scaled(kInterludeColour, 2.5f / 3), 4)) << "uncovered";
  EXPECT_TRUE(Near(FrameAt(4.0f), Scaled(kInterludeColour, 0.5f), 4)) << "opaque under a black cover of 1/2";
  EXPECT_TRUE(Near(FrameAt(0.0f), {255, 255, 255}, 1)) << "all white";

  SkipTo(8);
  EXPECT_TRUE(Near(FrameAt(2.5f), Scaled(kClosingColour, 2.5f / 3), 4));
  EXPECT_TRUE(Near(FrameAt(4.99f), Scaled(kClosingColour, 0.005f), 4)) << "nearly black at the end";
  show_->Frame(5.0f);
  EXPECT_EQ(show_->State(), DemoPart1::kFinished);
  EXPECT_FALSE(show_->Frame(0.0f));
}

}  // namespace
