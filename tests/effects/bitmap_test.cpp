// Window pictures: corners, opacity, turning, scaling and the fallback without blend colour, read back as pixels.
#include "effects/bitmap.h"

#include <fstream>
#include <iterator>
#include <string>

#include "archive/afile.h"
#include "archive/pack_image.h"
#include "runtime/present.h"
#include "runtime/window.h"
#include "tests/effects/effects_gl.h"
#include "textures/texture_manager.h"

namespace {

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255}, kBlack{0, 0, 0};

// A 64x64 PNG in the archive whose quadrants are, as an image (top row
// first): red, green / blue, white. Made by drawing and writing the frame.
class BitmapTest : public EffectsGLTest {
 protected:
  static void SetUpTestSuite() {
    EffectsGLTest::SetUpTestSuite();
    SetupOpenGL(kWindowWidth, kWindowHeight);
    glEnable(GL_SCISSOR_TEST);
    for (const At& q : {At{0, 32, kRed}, At{32, 32, kGreen}, At{0, 0, kBlue}, At{32, 0, kWhite}}) {
      glScissor(q.x, q.y, 32, 32);
      ClearTo(q.colour[0] / 255.0f, q.colour[1] / 255.0f, q.colour[2] / 255.0f);
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
    picture_.Load("quadrants", "quadrants.png");
    ClearTo(0, 0, 0);
  }

  void DrawOverWindow(float angle, float opacity) {
    picture_.Begin2D();
    picture_.DrawQuad(vec2f(0, 0), vec2f(640, 0), vec2f(640, 480), vec2f(0, 480), angle, opacity);
    picture_.End2D();
  }

  Bitmap picture_;
};

TEST_F(BitmapTest, TheWindowCornersShowThePictureUpright) {
  DrawOverWindow(0, 1);
  ExpectPixels({{160, 360, kRed}, {480, 360, kGreen}, {160, 120, kBlue}, {480, 120, kWhite}, {10, 10, kBlue},
                {630, 470, kGreen}});
}

TEST_F(BitmapTest, OpacityZeroLeavesTheFrameAndHalfBlendsHalf) {
  ClearTo(0, 0, 1);
  DrawOverWindow(0, 0);
  ExpectPixels({{160, 360, kBlue}, {480, 120, kBlue}});
  ClearTo(0, 0, 0);
  DrawOverWindow(0, 0.5f);
  EXPECT_TRUE(Near(Pixel(160, 360), {128, 0, 0}));
  EXPECT_TRUE(Near(Pixel(480, 120), {128, 128, 128}));
  DrawOverWindow(0, 1.5f);  // the blend colour is clamped to 1
  EXPECT_EQ(Pixel(480, 360), kGreen);
}

// 480 wide and 640 high about the centre: the upper left quadrant goes to
// the upper right.
TEST_F(BitmapTest, NinetyDegreesTurnsTheWindowPictureAQuarterClockwise) {
  DrawOverWindow(90, 1);
  ExpectPixels({{400, 300, kRed}, {400, 180, kGreen}, {240, 300, kBlue}, {240, 180, kWhite}, {40, 240, kBlack},
                {600, 240, kBlack}});
}

TEST_F(BitmapTest, DrawCentresTheScaledSizeOnAPositionCountedFromTheTop) {
  picture_.SetScale(2, 1);
  picture_.SetPosition(100, 100);
  picture_.SetSize(50, 40);
  picture_.SetOpacity(1);
  picture_.Begin2D();
  picture_.Draw();  // x 50 to 150, y 360 to 400 in window pixels
  picture_.End2D();
  ExpectPixels({{60, 390, kRed}, {140, 390, kGreen}, {60, 370, kBlue}, {140, 370, kWhite}, {45, 380, kBlack},
                {155, 380, kBlack}, {100, 405, kBlack}, {100, 355, kBlack}});
}

TEST_F(BitmapTest, WithoutTheBlendColourThePictureIsOpaque) {
  gExt.glBlendColorEXT = nullptr;
  DrawOverWindow(0, 0);
  EXPECT_EQ(Pixel(160, 360), kRed);
  EXPECT_FALSE(Enabled(GL_BLEND));
}

TEST_F(BitmapTest, TheAlphaTestDiscardsByTheTexturesAlpha) {
  picture_.SetAlphaTest(true, GL_LESS, 0.4f);  // every texel has alpha 127
  DrawOverWindow(0, 1);
  EXPECT_EQ(Pixel(160, 360), kBlack);
  picture_.SetAlphaTest(true, GL_GREATER, 0.4f);
  DrawOverWindow(0, 1);
  EXPECT_EQ(Pixel(160, 360), kRed);
  EXPECT_FALSE(Enabled(GL_ALPHA_TEST));
}

TEST_F(BitmapTest, End2DRestoresTheSceneState) {
  const Matrix16 projection = Matrix(GL_PROJECTION_MATRIX);
  DrawOverWindow(30, 0.5f);
  ExpectEnabled({GL_DEPTH_TEST, GL_CULL_FACE}, true);
  ExpectEnabled({GL_TEXTURE_2D, GL_BLEND}, false);
  EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
}

TEST_F(BitmapTest, AMissingFileOrNullTextureLeavesTheDefault) {
  Bitmap bitmap;
  TextureRef* fallback = GetTexture("default", "default");
  EXPECT_EQ(bitmap.Texture(), fallback);
  bitmap.Load("absent", "absent.jpg");
  EXPECT_EQ(bitmap.Texture()->image, fallback->image);
  bitmap.SetTexture(picture_.Texture());
  bitmap.SetTexture(nullptr);
  EXPECT_EQ(bitmap.Texture(), picture_.Texture());
}

TEST_F(BitmapTest, TheColourModulatesTheTexture) {
  picture_.SetColour(1, 0, 0, 1);
  DrawOverWindow(0, 1);
  ExpectPixels({{480, 120, kRed}, {480, 360, kBlack}});
}

}  // namespace
