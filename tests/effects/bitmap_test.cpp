#include "effects/bitmap.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "archive/afile.h"
#include "archive/pack_image.h"
#include "runtime/extensions.h"
#include "runtime/present.h"
#include "tests/effects/effects_gl.h"
#include "textures/texture_manager.h"

namespace {

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};
const vec2f kLowerLeft(0, 0), kLowerRight(640, 0), kUpperRight(640, 480), kUpperLeft(0, 480);

// A 64x64 PNG in the archive whose quadrants are, as an image (top row
// first): red, green / blue, white. Made by drawing and writing the frame.
class BitmapTest : public EffectsGLTest {
 protected:
  static void SetUpTestSuite() {
    EffectsGLTest::SetUpTestSuite();
    SetupOpenGL(640, 480);
    const struct {
      int x, y;
      float r, g, b;
    } quadrants[] = {{0, 32, 1, 0, 0}, {32, 32, 0, 1, 0}, {0, 0, 0, 0, 1}, {32, 0, 1, 1, 1}};
    glEnable(GL_SCISSOR_TEST);
    for (const auto& q : quadrants) {
      glScissor(q.x, q.y, 32, 32);
      ClearTo(q.r, q.g, q.b);
    }
    glDisable(GL_SCISSOR_TEST);
    ASSERT_TRUE(WriteBackBufferPng("quadrants.png", 64, 64));
    std::ifstream png("quadrants.png", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(png)), std::istreambuf_iterator<char>());
    ASSERT_TRUE(AddPackImage(gArchives, {{"quadrants.png", bytes}}));
  }
  static void TearDownTestSuite() {
    FreeArchives(gArchives);
    EffectsGLTest::TearDownTestSuite();
  }

  void SetUp() override {
    EffectsGLTest::SetUp();
    picture.Load("quadrants", "quadrants.png");
    ClearTo(0, 0, 0);
  }

  void DrawOverWindow(float angle, float opacity) {
    picture.Begin2D();
    picture.DrawQuad(kLowerLeft, kLowerRight, kUpperRight, kUpperLeft, angle, opacity);
    picture.End2D();
  }

  Bitmap picture;
};

TEST_F(BitmapTest, TheWindowCornersShowThePictureUpright) {
  DrawOverWindow(0, 1);
  EXPECT_EQ(Pixel(160, 360), kRed);
  EXPECT_EQ(Pixel(480, 360), kGreen);
  EXPECT_EQ(Pixel(160, 120), kBlue);
  EXPECT_EQ(Pixel(480, 120), kWhite);
  EXPECT_EQ(Pixel(10, 10), kBlue);
  EXPECT_EQ(Pixel(630, 470), kGreen);
}

TEST_F(BitmapTest, OpacityZeroLeavesTheFrameAndHalfBlendsHalf) {
  ClearTo(0, 0, 1);
  DrawOverWindow(0, 0);
  EXPECT_EQ(Pixel(160, 360), kBlue);
  EXPECT_EQ(Pixel(480, 120), kBlue);

  ClearTo(0, 0, 0);
  DrawOverWindow(0, 0.5f);
  EXPECT_TRUE(Near(Pixel(160, 360), {128, 0, 0}));
  EXPECT_TRUE(Near(Pixel(480, 120), {128, 128, 128}));

  DrawOverWindow(0, 1.5f);  // the blend colour is clamped to 1
  EXPECT_EQ(Pixel(480, 360), kGreen);
}

TEST_F(BitmapTest, NinetyDegreesTurnsTheWindowPictureAQuarterClockwise) {
  DrawOverWindow(90, 1);
  // 480 wide and 640 high about the centre: the upper left quadrant goes to
  // the upper right.
  EXPECT_EQ(Pixel(400, 300), kRed);
  EXPECT_EQ(Pixel(400, 180), kGreen);
  EXPECT_EQ(Pixel(240, 300), kBlue);
  EXPECT_EQ(Pixel(240, 180), kWhite);
  EXPECT_EQ(Pixel(40, 240), kBlack);
  EXPECT_EQ(Pixel(600, 240), kBlack);
}

TEST_F(BitmapTest, DrawCentresTheScaledSizeOnAPositionCountedFromTheTop) {
  picture.SetScale(2, 1);
  picture.SetPosition(100, 100);
  picture.SetSize(50, 40);
  picture.SetOpacity(1);
  picture.Begin2D();
  picture.Draw();  // x 50 to 150, y 360 to 400 in window pixels
  picture.End2D();
  EXPECT_EQ(Pixel(60, 390), kRed);
  EXPECT_EQ(Pixel(140, 390), kGreen);
  EXPECT_EQ(Pixel(60, 370), kBlue);
  EXPECT_EQ(Pixel(140, 370), kWhite);
  EXPECT_EQ(Pixel(45, 380), kBlack);
  EXPECT_EQ(Pixel(155, 380), kBlack);
  EXPECT_EQ(Pixel(100, 405), kBlack);
  EXPECT_EQ(Pixel(100, 355), kBlack);
}

TEST_F(BitmapTest, WithoutTheBlendColourThePictureIsOpaque) {
  gExt.glBlendColorEXT = nullptr;
  DrawOverWindow(0, 0);
  EXPECT_EQ(Pixel(160, 360), kRed);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(BitmapTest, TheAlphaTestDiscardsByTheTexturesAlpha) {
  picture.SetAlphaTest(true, GL_LESS, 0.4f);  // every texel has alpha 127
  DrawOverWindow(0, 1);
  EXPECT_EQ(Pixel(160, 360), kBlack);
  picture.SetAlphaTest(true, GL_GREATER, 0.4f);
  DrawOverWindow(0, 1);
  EXPECT_EQ(Pixel(160, 360), kRed);
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
}

TEST_F(BitmapTest, End2DRestoresTheSceneState) {
  GLfloat projection[16], after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  DrawOverWindow(30, 0.5f);
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], projection[i]);
}

TEST_F(BitmapTest, AMissingFileOrNullTextureLeavesTheDefault) {
  Bitmap bitmap;
  TextureRef* fallback = GetTexture("default", "default");
  EXPECT_EQ(bitmap.Texture(), fallback);
  bitmap.Load("absent", "absent.jpg");
  EXPECT_EQ(bitmap.Texture()->image, fallback->image);
  bitmap.SetTexture(picture.Texture());
  bitmap.SetTexture(nullptr);
  EXPECT_EQ(bitmap.Texture(), picture.Texture());
}

TEST_F(BitmapTest, AngleAndColourSetters) {
  picture.SetAngle(30);
  EXPECT_FLOAT_EQ(picture.AddAngle(15), 45.0f);
  EXPECT_FLOAT_EQ(picture.SetColour(1, 0, 0, 1)[1], 0.0f);
  DrawOverWindow(0, 1);  // the colour modulates the texture
  EXPECT_EQ(Pixel(480, 120), kRed);
  EXPECT_EQ(Pixel(480, 360), kBlack);
}

}  // namespace
