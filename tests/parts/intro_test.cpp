#include "parts/intro.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scene/light.h"
#include "tests/parts/picture_files.h"
#include "textures/texture_manager.h"

namespace {

std::vector<std::string> gEvents;

// Records its making and loading, and which light the pool gave it.
class RecordingPart : public Effect {
 public:
  explicit RecordingPart(std::string name) : name_(std::move(name)) { gEvents.push_back("make " + name_); }
  bool Load() override {
    light = SharedLightPool().Allocate();
    SharedLightPool().Allocate();
    gEvents.push_back("load " + name_);
    return true;
  }
  GLenum light = 0;

 private:
  std::string name_;
};

std::unique_ptr<Effect> MakeRecordingPart(ScenePart part) {
  static const char* const kNames[] = {"natu1", "natu2", "natu3", "techno1", "techno2", "techno3"};
  return std::make_unique<RecordingPart>(kNames[static_cast<int>(part)]);
}

using IntroTest = PicturesTest;

TEST_F(IntroTest, LoadsItsPictureThenFadesItInFromBlackAndLoadsThePartsInPlayingOrder) {
  TheClock().Reset();
  for (int i = 0; i < 5; ++i) TheClock().FramePresented();  // the step resets the clock itself
  Intro intro(MakeRecordingPart);
  EXPECT_TRUE(intro.Load());
  ASSERT_NE(gLoadingPicture, nullptr);
  EXPECT_EQ(gLoadingPicture->Texture(), GetTexture("bmp1", "loading.jpg"));
  EXPECT_STREQ(gLoadingPicture->Texture()->image->name, "loading.jpg");
  EXPECT_EQ(gLoadingPicture->Texture()->image->width, 64);
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

  EXPECT_EQ(gEvents, (std::vector<std::string>{"make natu1", "make natu2", "make natu3", "make techno1",
                                               "make techno2", "make techno3", "load natu1", "load techno1",
                                               "load natu2", "load techno3", "load techno2", "load natu3"}));
  for (Effect* part : {parts.natu1.get(), parts.techno1.get(), parts.natu2.get(), parts.techno3.get(),
                       parts.techno2.get(), parts.natu3.get()})
    EXPECT_EQ(static_cast<RecordingPart*>(part)->light, GLenum(GL_LIGHT0)) << "a full pool for every part";

  ASSERT_NE(gInterludePicture, nullptr);
  ASSERT_NE(gClosingPicture, nullptr);
  EXPECT_EQ(gInterludePicture->Texture(), GetTexture("bmp2", "loading2.jpg"));
  EXPECT_EQ(gClosingPicture->Texture(), GetTexture("bmp3", "the_end.jpg"));
  EXPECT_STREQ(gClosingPicture->Texture()->image->name, "the_end.jpg");
}

}  // namespace
