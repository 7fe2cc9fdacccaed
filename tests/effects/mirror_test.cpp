// Planar mirrors: reflections only inside the mask, upside down, clipped behind the plane, state restored.
#include "effects/mirror.h"

#include <algorithm>
#include <vector>

#include "tests/effects/effects_gl.h"

namespace {

const Rgb kGreen{0, 255, 0}, kRed{255, 0, 0}, kBlue{0, 0, 255};

// The eye at the origin looks along -z over a floor mirror on y = -1 that
// covers only x >= 0, from 2 to 20 units away.
class MirrorTest : public EffectsGLTest {
 protected:
  void SetUp() override {
    EffectsGLTest::SetUp();
    glLoadIdentity();
    ClearTo(0, 1, 0);
  }

  static void Quad(float r, float g, float b, const float (&corners)[4][3]) {
    glColor3f(r, g, b);
    glBegin(GL_QUADS);
    for (const auto& corner : corners) glVertex3fv(corner);
    glEnd();
  }

  static void MirrorSurface() { Quad(1, 1, 1, {{0, -1, -2}, {3, -1, -2}, {3, -1, -20}, {0, -1, -20}}); }

  // Counter-clockwise as the eye sees it, at height y.
  static void Triangle(float y, float r, float g, float b) {
    glColor3f(r, g, b);
    glBegin(GL_TRIANGLES);
    glVertex3f(-0.3f, y, -6);
    glVertex3f(0.3f, y, -6);
    glVertex3f(0, y + 0.3f, -6);
    glEnd();
  }

  static void BeginFloorReflection(float normal_y = 1) {
    BeginMirrorMask();
    MirrorSurface();
    BeginReflection(vec<float, 3>(0, -1, 0), vec<float, 3>(0, normal_y, 0));
  }
};

TEST_F(MirrorTest, TheReflectionIsDrawnOnlyInsideTheMarkedPixels) {
  BeginMirrorMask();
  MirrorSurface();
  EndReflection();
  EXPECT_EQ(Pixel(420, 120), kGreen) << "the mask writes no colour";

  BeginFloorReflection();
  Quad(0, 0, 1, {{-100, -1, -30}, {100, -1, -30}, {100, 50, -30}, {-100, 50, -30}});  // a far wall
  Triangle(-0.5f, 1, 0, 0);
  EndReflection();
  // The wall in the mirror; left of it, the triangle's left half and above the horizon unchanged.
  ExpectPixels({{420, 120, kBlue}, {200, 120, kGreen}, {310, 85, kGreen}, {320, 400, kGreen}});
}

TEST_F(MirrorTest, ATriangleAboveThePlaneAppearsUpsideDownBelowIt) {
  Triangle(-0.5f, 1, 0, 0);  // seen directly at rows 192 to 221, apex up
  BeginFloorReflection();
  Triangle(-0.5f, 1, 0, 0);  // mirrored to rows 66 to 95, apex down
  EndReflection();
  // Wide near the mirrored base, narrower towards the apex, nothing below it.
  ExpectPixels({{325, 200, kRed}, {340, 90, kRed}, {330, 80, kRed}, {340, 80, kGreen}, {330, 60, kGreen}});
}

// Whichever way the normal faces, what lies under the floor (it would show
// at row 205) is clipped away.
TEST_F(MirrorTest, WhatLiesBehindTheMirrorIsClippedAway) {
  for (float normal_y : {1.0f, -1.0f}) {
    ClearTo(0, 1, 0);
    BeginFloorReflection(normal_y);
    Triangle(-0.5f, 1, 0, 0);
    Triangle(-1.8f, 0, 0, 1);
    EndReflection();
    EXPECT_EQ(Pixel(340, 90), kRed) << normal_y;
    EXPECT_EQ(Pixel(330, 205), kGreen) << normal_y;
  }
}

// The show draws the mirror's surface with the scene, then again as the mask:
// the second draw must still mark its pixels, and the reflection must still
// be depth tested within itself.
TEST_F(MirrorTest, ASurfaceAlreadyDrawnStillMasksItsReflection) {
  ASSERT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
  MirrorSurface();
  BeginFloorReflection();
  Triangle(-0.5f, 1, 0, 0);
  Quad(0, 0, 1, {{-100, -1, -30}, {100, -1, -30}, {100, 50, -30}, {-100, 50, -30}});  // behind the triangle
  EndReflection();
  ExpectPixels({{340, 90, kRed}, {420, 120, kBlue}});
  EXPECT_EQ(Integer(GL_DEPTH_FUNC), GL_LESS);
  EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_TRUE);
}

// The scissor box holds every pixel the mask marks, with a pixel or two to
// spare, and the reflection inside it is the one drawn without it; a surface
// that reaches behind the eye sets no box.
TEST_F(MirrorTest, TheScissorHoldsTheMarkedPixelsAndChangesNone) {
  const auto frame = [](bool scissor) {
    ClearTo(0, 1, 0);
    if (scissor) BeginMirrorScissor({{0, -1, -2}, {3, -1, -2}, {3, -1, -20}, {0, -1, -20}});
    BeginFloorReflection();
    Quad(0, 0, 1, {{-100, -1, -30}, {100, -1, -30}, {100, 50, -30}, {-100, 50, -30}});
    Triangle(-0.5f, 1, 0, 0);
    EndReflection();
    std::vector<uint8_t> pixels(640 * 480 * 3);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  };
  const std::vector<uint8_t> unlimited = frame(false);
  std::vector<uint8_t> stencil(640 * 480);
  glReadPixels(0, 0, 640, 480, GL_STENCIL_INDEX, GL_UNSIGNED_BYTE, stencil.data());
  int left = 640, right = -1, bottom = 480, top = -1;
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x)
      if (stencil[y * 640 + x]) left = std::min(left, x), right = std::max(right, x), bottom = std::min(bottom, y),
                                top = std::max(top, y);
  ASSERT_GE(right, left) << "the mask marks pixels";

  EXPECT_TRUE(frame(true) == unlimited);
  EXPECT_TRUE(Enabled(GL_SCISSOR_TEST));
  GLint box[4];
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EndMirrorScissor();
  EXPECT_FALSE(Enabled(GL_SCISSOR_TEST));
  const struct { const char* edge; int spare; } edges[] = {{"left", left - box[0]}, {"bottom", bottom - box[1]},
                                                           {"right", box[0] + box[2] - 1 - right},
                                                           {"top", box[1] + box[3] - 1 - top}};
  for (const auto& edge : edges) {
    EXPECT_GE(edge.spare, 0) << edge.edge;
    EXPECT_LE(edge.spare, 3) << edge.edge;
  }

  BeginMirrorScissor({{0, -1, 2}, {3, -1, 2}, {3, -1, -20}, {0, -1, -20}});
  EXPECT_FALSE(Enabled(GL_SCISSOR_TEST)) << "behind the eye";
}

TEST_F(MirrorTest, EndReflectionRestoresWindingStencilClipAndMatrix) {
  glTranslatef(1, 2, 3);
  const Matrix16 before = Matrix(GL_MODELVIEW_MATRIX);
  BeginFloorReflection();
  EndReflection();
  EXPECT_EQ(Integer(GL_FRONT_FACE), GL_CCW);
  ExpectEnabled({GL_STENCIL_TEST, GL_CLIP_PLANE0}, false);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), before);
}

}  // namespace
