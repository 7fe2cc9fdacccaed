// The three nature parts on the show's own data, read back from a real GL
// context: what each load dresses, the fog each begin sets, and frames at
// fixed times compared by region: the scene, the lake mirror, the moving
// water, the birds and the trail.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
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
#include "parts/natu1.h"
#include "parts/natu2.h"
#include "parts/natu3.h"
#include "runtime/gl_setup.h"
#include "tests/support/gl_context.h"

namespace {

// The presented frame, bottom row first.
struct Frame {
  std::vector<uint8_t> rgb = std::vector<uint8_t>(640 * 480 * 3);

  // The mean over the channels of a box given in window pixels from the
  // lower left, of this frame or of its difference to another.
  double Mean(int x0, int y0, int x1, int y1, const Frame* other = nullptr) const {
    double sum = 0;
    for (int y = y0; y < y1; ++y)
      for (int i = (y * 640 + x0) * 3; i < (y * 640 + x1) * 3; ++i)
        sum += other ? std::abs(rgb[i] - other->rgb[i]) : rgb[i];
    return sum / (3.0 * (x1 - x0) * (y1 - y0));
  }

  // How many pixels of the box differ from the other frame's by more than
  // a faint shade in some channel.
  int Changed(const Frame& other, int x0 = 0, int y0 = 0, int x1 = 640, int y1 = 480) const {
    int changed = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) {
        const int i = (y * 640 + x) * 3;
        bool differs = false;
        for (int c = 0; c < 3; ++c) differs = differs || std::abs(rgb[i + c] - other.rgb[i + c]) > 24;
        changed += differs;
      }
    return changed;
  }
};

Frame Shown() {
  Frame frame;
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_FRONT);
  glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
  glReadBuffer(GL_BACK);
  return frame;
}

// The trail keeps this picture as the previous frame.
void Remember(float grey) {
  glClearColor(grey, grey, grey, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  gFrameFeedback.Draw(0.0f);
}

template <typename Part>
Frame FrameAt(Part& part, float t) {
  part.Frame(t);
  return Shown();
}

class NaturePartsTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(640, 480);
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

TEST_F(NaturePartsTest, Natu2AndNatu3MakeTheirFlocksAndTrees) {
  Natu2 meadow;
  Natu3 island;
  for (ScenePart* part : {static_cast<ScenePart*>(&meadow), static_cast<ScenePart*>(&island)}) part->Load();
  for (BirdFlock* birds : {&meadow.Birds(), &island.Birds()}) {
    ASSERT_NE(birds->Birds(), nullptr);
    EXPECT_EQ(birds->Birds()->Birds().size(), 10u);
    EXPECT_EQ(Values(birds->Birds()->Goal()), (std::vector<float>{0.0f, 0.0f, 3.0f}));
  }
  for (const char* tree : {"tree01", "tree04", "tree08"})
    EXPECT_GT(meadow.GetScene().FindObject(tree)->VertexArray().size(), 1000u) << tree << " grown";
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
      GLfloat start = 0, fog_end = 0, density = 0, colour[4] = {};
      GLint mode = 0;
      glGetFloatv(GL_FOG_START, &start);
      glGetFloatv(GL_FOG_END, &fog_end);
      glGetFloatv(GL_FOG_DENSITY, &density);
      glGetFloatv(GL_FOG_COLOR, colour);
      glGetIntegerv(GL_FOG_MODE, &mode);
      EXPECT_EQ(start, 1.0f);
      EXPECT_EQ(fog_end, end);
      EXPECT_EQ(density, 0.35f);
      EXPECT_EQ((std::array<float, 3>{colour[0], colour[1], colour[2]}),
                (std::array<float, 3>{0.93359375f, 0.41796875f, 0.0859375f}));
      EXPECT_EQ(mode, GL_LINEAR);
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
    for (float t : times) {
      const Frame frame = FrameAt(*part, t);
      double sum = 0, squares = 0;
      for (uint8_t c : frame.rgb) sum += c, squares += double(c) * c;
      const double mean = sum / frame.rgb.size();
      EXPECT_GT(std::sqrt(squares / frame.rgb.size() - mean * mean), 30.0) << "at " << t;
    }
    part->End();
  }
}

// The lake at 10 s, with its mirror and with the mirror hidden: the
// reflection fills the water below the far shore and leaves the sky alone.
TEST_F(NaturePartsTest, Natu1sLakeMirrorsTheShore) {
  Natu1 lake;
  lake.Load();
  lake.Begin();
  lake.Frame(10.0f);
  Remember(0.0f);
  const Frame mirrored = FrameAt(lake, 10.0f);
  lake.Mirror()->PushVisibility(0);
  Remember(0.0f);
  const Frame plain = FrameAt(lake, 10.0f);
  EXPECT_GT(mirrored.Mean(0, 120, 640, 200, &plain), 10.0) << "the reflection";
  EXPECT_LT(mirrored.Mean(0, 400, 640, 480, &plain), 1.0) << "the sky";
}

// The same moment twice: the camera stays, the water takes a step.
TEST_F(NaturePartsTest, Natu1sWaterMovesFromFrameToFrame) {
  Natu1 lake;
  lake.Load();
  lake.Begin();
  for (int frame = 240; frame <= 300; ++frame) lake.Frame(float(frame) / 30.0f);  // waves ringing
  Remember(0.0f);
  const Frame first = FrameAt(lake, 10.0f);
  Remember(0.0f);
  const Frame second = FrameAt(lake, 10.0f);
  EXPECT_GT(first.Changed(second, 0, 0, 640, 120), 640 * 120 / 100) << "the water";
  EXPECT_EQ(first.Changed(second, 0, 400, 640, 480), 0) << "the sky";
}

// The birds drawn, and the same moment with every bird moved far away.
TEST_F(NaturePartsTest, Natu2AndNatu3DrawTheirBirds) {
  gFrameFeedback.SetOpacity(0.0f);
  Natu2 meadow;
  Natu3 island;
  const std::pair<ScenePart*, BirdFlock*> kParts[] = {{&meadow, &meadow.Birds()}, {&island, &island.Birds()}};
  for (auto [part, birds] : kParts) {
    part->Load();
    part->Begin();
    const Frame with = FrameAt(*part, 8.0f);
    for (Bird& bird : birds->Birds()->Birds()) bird.position = vec3f(1e5f);
    const Frame without = FrameAt(*part, 8.0f);
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
    const Frame after_white = FrameAt(*part, 5.0f);
    Remember(0.0f);
    const Frame after_black = FrameAt(*part, 5.0f);
    EXPECT_NEAR(after_white.Mean(0, 400, 640, 480, &after_black), 255 * opacity, 2.0);
    part->End();
  }
}

}  // namespace
