// The fog settings: every setter reaching OpenGL, the mode table, toggling, and fogged pixels.
#include "effects/fog.h"

#include <dlfcn.h>

#include <vector>

#include "tests/effects/effects_gl.h"

namespace {
// Every glFogf, in order, on its way to the driver.
std::vector<GLenum> gFogfCalls;
}  // namespace

extern "C" void glFogf(GLenum pname, GLfloat param) {
  static const auto driver = reinterpret_cast<void (*)(GLenum, GLfloat)>(dlsym(RTLD_NEXT, "glFogf"));
  gFogfCalls.push_back(pname);
  driver(pname, param);
}

namespace {

using FogTest = EffectsGLTest;

float FogFloat(GLenum pname) {
  GLfloat value[4] = {-1.0f};
  glGetFloatv(pname, value);
  return value[0];
}

TEST_F(FogTest, StartsLinearAndEachSetterReachesOpenGL) {
  EXPECT_EQ(gFog.Mode(), 2u);
  EXPECT_FLOAT_EQ(gFog.Density(), 0.35f);
  EXPECT_FLOAT_EQ(gFog.Start(), 1.0f);
  EXPECT_FLOAT_EQ(gFog.End(), 1000.0f);
  EXPECT_FLOAT_EQ(gFog.Colour()[1], 0.5f);

  Fog fog(2);
  fog.SetStart(3.0f);
  fog.SetEnd(95.0f);
  fog.SetDensity(0.125f);
  fog.SetColour(0.934f, 0.418f, 0.086f);
  for (auto [pname, value] : {std::pair{GL_FOG_START, 3.0f}, {GL_FOG_END, 95.0f}, {GL_FOG_DENSITY, 0.125f}})
    EXPECT_FLOAT_EQ(FogFloat(pname), value) << pname;
  GLfloat colour[4];
  glGetFloatv(GL_FOG_COLOR, colour);
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(colour[i], (std::array{0.934f, 0.418f, 0.086f, 1.0f})[i]) << i;
  const GLint modes[] = {GL_EXP, GL_EXP2, GL_LINEAR};
  for (unsigned i = 0; i < 3; ++i) {
    EXPECT_EQ(fog.SetMode(i), i);
    EXPECT_EQ(Integer(GL_FOG_MODE), modes[i]);
  }
}

TEST_F(FogTest, AModeOutsideTheTableIsIgnored) {
  Fog fog(3);
  EXPECT_EQ(fog.Mode(), 2u) << "the default stays";
  fog.SetMode(0);
  EXPECT_EQ(fog.SetMode(3), 0u);
  EXPECT_EQ(fog.SetMode(0xffffffffu), 0u);
  EXPECT_EQ(Integer(GL_FOG_MODE), GL_EXP);
}

TEST_F(FogTest, ToggleTwiceReturnsToTheFirstState) {
  Fog fog(2);
  for (bool first : {false, true}) {
    first ? fog.Enable() : fog.Disable();
    EXPECT_EQ(fog.Toggle(), !first);
    EXPECT_EQ(Enabled(GL_FOG), !first);
    EXPECT_EQ(fog.Toggle(), first);
    EXPECT_EQ(Enabled(GL_FOG), first);
    EXPECT_EQ(fog.Enabled(), first);
  }
}

TEST_F(FogTest, TheRangeSendsTheStartBeforeTheEnd) {
  Fog fog(2);
  gFogfCalls.clear();
  fog.SetRange(1.0f, 200.0f);
  EXPECT_EQ(gFogfCalls, (std::vector<GLenum>{GL_FOG_START, GL_FOG_END}));
  EXPECT_EQ((std::array{FogFloat(GL_FOG_START), FogFloat(GL_FOG_END)}), (std::array{1.0f, 200.0f}));
}

// Red linear fog over a white triangle at half the range.
TEST_F(FogTest, LinearFogBlendsTowardsItsColourByDistance) {
  ClearTo(0, 0, 0);
  Fog fog(2);
  fog.SetRange(1.0f, 9.0f);
  fog.SetColour(1.0f, 0.0f, 0.0f);
  fog.SetMode(2);
  fog.Enable();
  glLoadIdentity();
  glColor3f(1, 1, 1);
  glBegin(GL_TRIANGLES);
  for (float v : {-1.0f, 1.0f}) glVertex3f(v, -1, -5);
  glVertex3f(0, 1, -5);
  glEnd();
  fog.Disable();
  EXPECT_TRUE(Near(Pixel(320, 240), {255, 128, 128}, 3));
}

}  // namespace
