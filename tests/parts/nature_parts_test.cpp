// The three nature parts on the show's own data, read back from a real GL
// context: what each load dresses, the fog each begin sets, and frames at
// fixed times compared by region: the scene, the lake mirror, the moving
// water, the birds and the trail.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "archive/pack_image.h"
#include "effects/fog.h"
#include "effects/frame_feedback.h"
#include "parts/ground_probe.h"
#include "parts/natu1.h"
#include "parts/natu2.h"
#include "parts/natu3.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "tests/support/gl_context.h"
#include "tests/support/shown_frame.h"

namespace {

// The trail keeps this picture as the previous frame.
void Remember(float grey) {
  glClearColor(grey, grey, grey, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gFrameFeedback.Draw(0.0f);
}

template <typename Part>
ShownFrame FrameAt(Part& part, float t) {
  part.Frame(t);
  return ShownFrame::Read();
}

class NaturePartsTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(kWindowWidth, kWindowHeight);
    gFrameFeedback.Create();
    std::srand(7);
  }

  void SetUp() override {
    FreeArchives(gArchives);
    OpenDemoData(DEMO_DATA_FILE);
  }
};

bool HasAttribute(const GLMesh& object, int32_t kind) {
  for (const Attribute* attribute : object.Attributes())
    if (attribute->kind == kind) return true;
  return false;
}

template <int N>
std::vector<float> Values(const vec<float, N>& v) {
  return std::vector<float>(v.v, v.v + N);
}

TEST_F(NaturePartsTest, Natu1DressesItsObjectsByName) {
  Natu1 part;
  part.Load();
  Scene& scene = part.GetScene();
  const struct {
    const char* name;
    bool visible, masked, transparent, multi_textured;
  } kDressing[] = {
      {"WaterPlane", true, false, false, true}, {"Quad01", false, true, false, false},
      {"Quad02", false, true, false, false},    {"Box11", true, true, false, false},
      {"Box108", true, true, false, false},     {"Box112", true, true, false, false},
      {"Box15", true, false, true, false},      {"Tree0", true, true, false, false},
  };
  for (const auto& d : kDressing) {
    const GLMesh* object = scene.FindObject(d.name);
    ASSERT_NE(object, nullptr) << d.name;
    EXPECT_EQ(object->IsVisible(), d.visible) << d.name;
    EXPECT_EQ(HasAttribute(*object, kMaskingKind), d.masked) << d.name;
    EXPECT_EQ(HasAttribute(*object, kDoubleSidedKind), d.masked) << d.name;
    EXPECT_EQ(HasAttribute(*object, kTransparencyKind), d.transparent) << d.name;
    EXPECT_EQ(HasAttribute(*object, kMultiTextureKind), d.multi_textured) << d.name;
  }
  EXPECT_EQ(part.Mirror(), scene.FindObject("Box15"));
  ASSERT_NE(part.Water(), nullptr);
  EXPECT_EQ(part.Water()->LowerCorner()[0], -600.0f) << "the ripple spans WaterPlane";

  const auto* sun = dynamic_cast<const Light*>(scene.FindObject("Omni03"));
  const auto* lantern = dynamic_cast<const Light*>(scene.FindObject("Omni05"));
  ASSERT_TRUE(sun && lantern);
  for (const vec<float, 4>& c : {sun->Ambient(), sun->Diffuse(), sun->Specular()})
    EXPECT_EQ(Values(c), (std::vector<float>{0.93359375f, 0.41796875f, 0.0859375f, 1.0f}));
  for (const vec<float, 4>& c : {lantern->Ambient(), lantern->Diffuse(), lantern->Specular()})
    EXPECT_EQ(Values(c), (std::vector<float>{1.0f, 0.0f, 0.0f, 1.0f}));
  EXPECT_EQ(Values(lantern->Attenuation()), (std::vector<float>{0.1f, 0.5f, 0.0f}));
  EXPECT_FALSE(lantern->IsVisible());
}

// Every tree is grown within the triangle budget and stands on its ground:
// its lowest point (the downhill side of the trunk) a little into the
// terrain under it.
TEST_F(NaturePartsTest, TreesStandOnTheGroundWithinTheBudget) {
  Natu1 lake;
  Natu2 meadow;
  const struct {
    ScenePart* part;
    const char* terrain;
    std::vector<const char*> trees;
  } kParts[] = {{&lake, "Maasto", {"Tree0", "Tree1", "Tree2", "Tree3"}},
                {&meadow, "Box", {"tree01", "tree02", "tree03", "tree04", "tree05", "tree06", "tree07", "tree08"}}};
  for (const auto& p : kParts) {
    p.part->Load();
    const GroundProbe ground(*p.part->GetScene().FindObject(p.terrain));
    for (const char* name : p.trees) {
      const GLMesh& tree = *p.part->GetScene().FindObject(name);
      EXPECT_GT(tree.Triangles().size(), 200u) << name;
      EXPECT_LE(tree.Triangles().size(), 2500u) << name;
      const vec3f* lowest = &tree.VertexArray()[0];
      for (const vec3f& v : tree.VertexArray())
        if (v[2] < (*lowest)[2]) lowest = &v;
      const auto under = ground.At((*lowest)[0], (*lowest)[1]);
      ASSERT_TRUE(under) << name;
      EXPECT_LT((*lowest)[2], under->height) << name << " floats";
      EXPECT_GT((*lowest)[2], under->height - 25.0f) << name << " is buried";
    }
  }
}

// The scene of another test stands in for the nature scenes: it has none of
// their names.
TEST_F(NaturePartsTest, ASceneWithoutTheNamedObjectsHasNoWaterMirrorOrTrees) {
  std::string bytes;
  FILE* pipe = popen(MAKE_MIRROR_SCENE, "r");
  for (int ch; (ch = std::fgetc(pipe)) != EOF;) bytes += static_cast<char>(ch);
  ASSERT_EQ(pclose(pipe), 0);
  FreeArchives(gArchives);
  ASSERT_TRUE(AddPackImage(gArchives, {{"natu11.3ds", bytes}, {"natu22.3ds", bytes}}));
  Natu1 lake;
  Natu2 meadow;
  testing::internal::CaptureStdout();
  lake.Load();
  meadow.Load();
  const std::string out = testing::internal::GetCapturedStdout();
  EXPECT_EQ(lake.Water(), nullptr);
  EXPECT_EQ(lake.Mirror(), nullptr);
  std::istringstream lines(out);
  int missing = 0;
  for (std::string line; std::getline(lines, line);) missing += line == "Ei loydy !!";
  EXPECT_EQ(missing, 4 + 8) << "Tree0 to Tree3 and tree01 to tree08";
  lake.Begin();
  lake.Frame(0.5f);  // draws without water or mirror
}

TEST_F(NaturePartsTest, BeginSetsEachPartsFogAndSetsItAgainAfterEnd) {
  Natu1 lake;
  Natu2 meadow;
  Natu3 island;
  const std::pair<ScenePart*, float> kParts[] = {{&lake, 95.0f}, {&meadow, 200.0f}, {&island, 200.0f}};
  for (auto [part, end] : kParts) {
    for (int round = 0; round < 2; ++round) {
      gFog.SetEnd(7.0f);
      gFog.Disable();
      part->Begin();
      auto fog = [](GLenum what) {
        GLfloat v[4] = {};
        glGetFloatv(what, v);
        return std::vector<float>(v, v + (what == GL_FOG_COLOR ? 3 : 1));
      };
      EXPECT_EQ(fog(GL_FOG_START), std::vector<float>{1.0f});
      EXPECT_EQ(fog(GL_FOG_END), std::vector<float>{end});
      EXPECT_EQ(fog(GL_FOG_DENSITY), std::vector<float>{0.35f});
      EXPECT_EQ(fog(GL_FOG_COLOR), (std::vector<float>{0.93359375f, 0.41796875f, 0.0859375f}));
      EXPECT_EQ(fog(GL_FOG_MODE), std::vector<float>{float(GL_LINEAR)});
      EXPECT_TRUE(glIsEnabled(GL_FOG));
      part->End();
    }
  }
}

// Frames at fixed times: the scene in every one (far from one colour: the
// channels spread widely over the frame).
TEST_F(NaturePartsTest, EachPartDrawsItsSceneFromItsFirstFrameToItsLast) {
  Natu1 lake;
  Natu2 meadow;
  Natu3 island;
  const std::pair<ScenePart*, std::vector<float>> kParts[] = {
      {&lake, {0.02f, 23.0f, 46.9f}}, {&meadow, {0.02f, 6.0f, 11.9f}}, {&island, {0.02f, 10.0f, 19.9f}}};
  for (auto& [part, times] : kParts) {
    part->Load();
    part->Begin();
    for (float t : times) EXPECT_GT(FrameAt(*part, t).Spread(), 30.0) << "at " << t;
    part->End();
  }
}

// Natu1 at 10 s, waves ringing all over its lake, three times with the
// camera held: the water moves from one frame to the next, and with the
// mirror hidden the reflection below the far shore is gone; the sky stays as
// it was.
TEST_F(NaturePartsTest, Natu1sWaterMovesAndItsMirrorReflectsTheShore) {
  Natu1 lake;
  lake.Load();
  lake.Begin();
  for (int frame = 240; frame <= 300; ++frame) {
    // Waves all over the lake, wherever the random ones fell.
    if (frame == 270)
      for (int x = -450; x <= 450; x += 300)
        for (int y = -450; y <= 450; y += 300) lake.Water()->Disturb(x, y, lake.Water()->Time());
    lake.Frame(float(frame) / 30.0f);
  }
  ShownFrame frames[3];
  for (ShownFrame& frame : frames) {
    if (&frame == &frames[2]) lake.Mirror()->PushVisibility(0);
    Remember(0.0f);
    frame = FrameAt(lake, 10.0f);
  }
  EXPECT_GT(frames[0].Changed(frames[1], 0, 0, 640, 120), 640 * 120 / 100) << "the water";
  EXPECT_GT(frames[1].Changed(frames[2], 0, 120, 640, 200), 640 * 80 / 10) << "the reflection";
  for (const ShownFrame& frame : {frames[1], frames[2]}) EXPECT_EQ(frames[0].Changed(frame, 0, 400, 640, 480), 0);
}

// Pixels of a box (window pixels from the lower left) bluer than they are
// green: violet, which the evening sky carries only at its top.
int Violet(const ShownFrame& frame, int x0, int y0, int x1, int y1) {
  int violet = 0;
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x) {
      const uint8_t* rgb = &frame.rgb[(y * 640 + x) * 3];
      violet += rgb[2] > rgb[1] + 4;
    }
  return violet;
}

// The water carries the sky's colours: no violet on Natu1's lake while its
// waves ring (40 s) nor on Natu3's at its end, where under the sun, which the
// sky picture puts in the middle of the window, a bright path lies on the
// water, lighter than the water beside it.
TEST_F(NaturePartsTest, TheWaterShowsTheSkysColoursAndTheSunsPath) {
  Natu1 lake;
  Natu3 island;
  const std::pair<ScenePart*, float> kParts[] = {{&lake, 40.0f}, {&island, 19.9f}};
  for (auto [part, t] : kParts) {
    part->Load();
    part->Begin();
    for (int frame = 60; frame >= 0; --frame) part->Frame(t - float(frame) / 30.0f);
    const ShownFrame shown = ShownFrame::Read();
    EXPECT_EQ(Violet(shown, 0, 0, 640, 220), 0) << "at " << t;
    part->End();
  }
  const ShownFrame end = ShownFrame::Read();
  EXPECT_GT(end.Mean(300, 20, 340, 120), end.Mean(120, 20, 220, 120) + 15.0) << "the sun's path";
}

// Ten birds round the goal (0, 0, 3), drawn: the same moment with every
// bird moved far away differs in a few pixels.
TEST_F(NaturePartsTest, Natu2AndNatu3DrawTheirBirds) {
  gFrameFeedback.SetOpacity(0.0f);
  Natu2 meadow;
  Natu3 island;
  const std::pair<ScenePart*, BirdFlock*> kParts[] = {{&meadow, &meadow.Birds()}, {&island, &island.Birds()}};
  for (auto [part, birds] : kParts) {
    part->Load();
    part->Begin();
    ASSERT_NE(birds->Birds(), nullptr);
    EXPECT_EQ(birds->Birds()->Birds().size(), 10u);
    EXPECT_EQ(Values(birds->Birds()->Goal()), (std::vector<float>{0.0f, 0.0f, 3.0f}));
    const ShownFrame with = FrameAt(*part, 8.0f);
    for (Bird& bird : birds->Birds()->Birds()) bird.position = vec3f(1e5f);
    const ShownFrame without = FrameAt(*part, 8.0f);
    const int changed = with.Changed(without);
    EXPECT_GT(changed, 20) << "pixels of birds";
    EXPECT_LT(changed, 640 * 480 / 50) << "and nothing else";
    part->End();
  }
}

// After a white and after a black previous frame: the difference is the
// trail's opacity, Natu1's own and the stored one in the others.
TEST_F(NaturePartsTest, TheTrailBlendsThePreviousFrame) {
  gFrameFeedback.SetOpacity(0.6f);
  Natu1 lake;
  Natu3 island;
  const std::pair<ScenePart*, double> kParts[] = {{&lake, 0.4}, {&island, 0.6}};
  for (auto [part, opacity] : kParts) {
    part->Load();
    part->Begin();
    Remember(1.0f);
    const ShownFrame after_white = FrameAt(*part, 5.0f);
    Remember(0.0f);
    const ShownFrame after_black = FrameAt(*part, 5.0f);
    EXPECT_NEAR(after_white.Mean(0, 400, 640, 480, &after_black), 255 * opacity, 2.0);
    part->End();
  }
}

}  // namespace
