#include "effects/mirror.h"

#include <gtest/gtest.h>

#include "tests/effects/effects_gl.h"

namespace {

// The eye at the origin looks along -z over a floor mirror on y = -1 that
// covers only x >= 0, from 2 to 20 units away.
class MirrorTest : public EffectsGLTest {
 protected:
  const Rgb kGreen{0, 255, 0}, kRed{255, 0, 0}, kBlue{0, 0, 255};

  void SetUp() override {
    EffectsGLTest::SetUp();
    glLoadIdentity();
    ClearTo(0, 1, 0);
  }

  static void MirrorSurface() {
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glVertex3f(0, -1, -2);
    glVertex3f(3, -1, -2);
    glVertex3f(3, -1, -20);
    glVertex3f(0, -1, -20);
    glEnd();
  }

  // Counter-clockwise as the eye sees it, at height y.
  static void Triangle(float y, float r, float g, float b) {
    glColor3f(r, g, b);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.3f, y, -6);
    glVertex3f(0.3f, y, -6);
    glVertex3f(0, y + 0.3f, -6);
    glEnd();
  }

  // A wall far behind, above the mirror, facing the eye.
  static void Wall() {
    glColor3f(0, 0, 1);
    glBegin(GL_QUADS);
    glVertex3f(-100, -1, -30);
    glVertex3f(100, -1, -30);
    glVertex3f(100, 50, -30);
    glVertex3f(-100, 50, -30);
    glEnd();
  }

  static void BeginFloorReflection() {
    BeginMirrorMask();
    MirrorSurface();
    BeginReflection(vec<float, 3>(0, -1, 0), vec<float, 3>(0, 1, 0));
  }
};

TEST_F(MirrorTest, TheMaskWritesNoColour) {
  BeginMirrorMask();
  MirrorSurface();
  EndReflection();
  EXPECT_EQ(Pixel(420, 120), kGreen);
}

TEST_F(MirrorTest, TheReflectionIsDrawnOnlyInsideTheMarkedPixels) {
  BeginFloorReflection();
  Wall();
  Triangle(-0.5f, 1, 0, 0);
  EndReflection();

  EXPECT_EQ(Pixel(420, 120), kBlue) << "the wall seen in the mirror";
  EXPECT_EQ(Pixel(200, 120), kGreen) << "left of the mirror";
  EXPECT_EQ(Pixel(310, 85), kGreen) << "the left half of the reflected triangle";
  EXPECT_EQ(Pixel(320, 400), kGreen) << "above the horizon";
  EXPECT_EQ(Pixel(100, 20), kGreen);
}

TEST_F(MirrorTest, ATriangleAboveThePlaneAppearsUpsideDownBelowIt) {
  Triangle(-0.5f, 1, 0, 0);  // seen directly at rows 192 to 221, apex up
  BeginFloorReflection();
  Triangle(-0.5f, 1, 0, 0);  // mirrored to rows 66 to 95, apex down
  EndReflection();

  EXPECT_EQ(Pixel(325, 200), kRed);
  EXPECT_EQ(Pixel(340, 90), kRed) << "near the mirrored base, wide";
  EXPECT_EQ(Pixel(330, 80), kRed) << "nearer the mirrored apex, narrower";
  EXPECT_EQ(Pixel(340, 80), kGreen);
  EXPECT_EQ(Pixel(330, 60), kGreen) << "below the mirrored apex";
}

TEST_F(MirrorTest, WhatLiesBehindTheMirrorIsClippedAway) {
  BeginFloorReflection();
  Triangle(-1.8f, 1, 0, 0);  // under the floor: would show at row 205
  EndReflection();
  EXPECT_EQ(Pixel(330, 205), kGreen);

  ClearTo(0, 1, 0);
  BeginFloorReflection();
  glDisable(GL_CLIP_PLANE0);
  Triangle(-1.8f, 1, 0, 0);
  EndReflection();
  EXPECT_EQ(Pixel(330, 205), kRed) << "without the clip plane it comes through";
}

TEST_F(MirrorTest, AMirrorNormalFacingAwayFromTheEyeClipsTheSameSide) {
  BeginMirrorMask();
  MirrorSurface();
  BeginReflection(vec<float, 3>(0, -1, 0), vec<float, 3>(0, -1, 0));
  Triangle(-0.5f, 1, 0, 0);
  Triangle(-1.8f, 0, 0, 1);
  EndReflection();
  EXPECT_EQ(Pixel(340, 90), kRed);
  EXPECT_EQ(Pixel(330, 205), kGreen);
}

TEST_F(MirrorTest, EndReflectionRestoresWindingStencilClipAndMatrix) {
  GLfloat before[16], after[16];
  glTranslatef(1, 2, 3);
  glGetFloatv(GL_MODELVIEW_MATRIX, before);
  BeginFloorReflection();
  GLint front = 0;
  glGetIntegerv(GL_FRONT_FACE, &front);
  EXPECT_EQ(front, GL_CW);
  EXPECT_TRUE(glIsEnabled(GL_STENCIL_TEST));
  EXPECT_TRUE(glIsEnabled(GL_CLIP_PLANE0));
  EndReflection();
  glGetIntegerv(GL_FRONT_FACE, &front);
  EXPECT_EQ(front, GL_CCW);
  EXPECT_FALSE(glIsEnabled(GL_STENCIL_TEST));
  EXPECT_FALSE(glIsEnabled(GL_CLIP_PLANE0));
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(after[i], before[i]);
}

}  // namespace
