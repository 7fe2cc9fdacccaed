// Boxes against the view, the scissor box and clip plane 0: the verdict, and
// no pixel drawn where a box is said not to show.
#include "scene/view_volume.h"

#include <GL/glu.h>

#include <algorithm>

#include "tests/support/render_fixture.h"

namespace {

using vec3 = vec<float, 3>;

struct Case {
  const char* name;
  vec3 lower, upper;
  bool scissor;  // the left quarter of the window only
  bool clip;     // plane 0 keeps z < -10 in eye coordinates
  bool shows;
};

// The eye at the origin looks along -z, 45 degrees high, near 1, far 100.
const Case kCases[] = {
    {"in front", {-1, -1, -6}, {1, 1, -5}, false, false, true},
    {"left of the view", {-30, -1, -6}, {-20, 1, -5}, false, false, false},
    {"above the view", {-1, 20, -6}, {1, 30, -5}, false, false, false},
    {"behind the eye", {-1, -1, 2}, {1, 1, 5}, false, false, false},
    {"around the eye", {-1, -1, -1}, {1, 1, 1}, false, false, true},
    {"beyond the far plane", {-1, -1, -200}, {1, 1, -150}, false, false, false},
    {"across the far plane", {-1, -1, -200}, {1, 1, -50}, false, false, true},
    {"right of the scissor box", {1, -1, -6}, {2, 1, -5}, true, false, false},
    {"inside the scissor box", {-3, -1, -6}, {-2, 1, -5}, true, false, true},
    {"straddling the scissor edge", {-2.5f, -1, -6}, {0, 1, -5}, true, false, true},
    {"on the cut side of the plane", {-1, -1, -6}, {1, 1, -5}, false, true, false},
    {"across the plane", {-1, -1, -12}, {1, 1, -5}, false, true, true},
    {"empty", vec3(1e30f), vec3(-1e30f), false, false, false},
};

class ViewVolumeTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 640.0 / 480.0, 1.0, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    glDisable(GL_DEPTH_TEST);
  }

  static void Apply(const Case& c) {
    if (c.scissor) {
      glScissor(0, 0, 160, 480);
      glEnable(GL_SCISSOR_TEST);
    }
    if (c.clip) {
      const GLdouble keep_far[4] = {0, 0, -1, -10};  // -z - 10 >= 0
      glClipPlane(GL_CLIP_PLANE0, keep_far);
      glEnable(GL_CLIP_PLANE0);
    }
  }

  // The six faces of the box in white.
  static void DrawBox(const WorldBox& b) {
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    for (int axis = 0; axis < 3; ++axis) {
      for (int side = 0; side < 2; ++side) {
        const int u = (axis + 1) % 3, v = (axis + 2) % 3;
        for (int k = 0; k < 4; ++k) {
          vec3 p;
          p[axis] = side ? b.upper[axis] : b.lower[axis];
          p[u] = (k == 1 || k == 2) ? b.upper[u] : b.lower[u];
          p[v] = (k >= 2) ? b.upper[v] : b.lower[v];
          glVertex3fv(p.v);
        }
      }
    }
    glEnd();
  }
};

TEST_F(ViewVolumeTest, BoxesShowExactlyWhereExpectedAndHiddenOnesDrawNothing) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    glClear(GL_COLOR_BUFFER_BIT);
    Apply(c);
    WorldBox box;
    box.lower = c.lower;
    box.upper = c.upper;
    const bool shows = ViewVolume::Current().MayShow(box);
    EXPECT_EQ(shows, c.shows);
    if (!box.Empty()) DrawBox(box);
    glDisable(GL_SCISSOR_TEST);
    glDisable(GL_CLIP_PLANE0);
    const std::vector<uint8_t> screen = Screen();
    bool drawn = false;
    for (size_t i = 0; i < screen.size(); ++i) drawn |= i % 4 != 3 && screen[i] != 0;  // alpha is not kept
    EXPECT_EQ(drawn, c.shows);
  }
}

TEST_F(ViewVolumeTest, WidenGrowsTheBoxToHoldEveryPoint) {
  WorldBox box;
  EXPECT_TRUE(box.Empty());
  box.Widen(vec3(1, -2, 3));
  box.Widen(vec3(-1, 5, 0));
  EXPECT_FALSE(box.Empty());
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(box.lower[i], (vec3(-1, -2, 0))[i]);
    EXPECT_EQ(box.upper[i], (vec3(1, 5, 3))[i]);
  }
}

}  // namespace
