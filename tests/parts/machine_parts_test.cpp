// The three machine parts on the show's own data, read back from a real GL
// context: what each load dresses, the pace of the pools' waves, the balls'
// path, and frames at fixed times compared by region with runs in which the
// parts' own objects are hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "scene/basic_attributes.h"
#include "effects/frame_feedback.h"
#include "parts/techno1.h"
#include "parts/techno2.h"
#include "parts/techno3.h"
#include "paths/linear_path.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "tests/support/gl_context.h"
#include "tests/support/shown_frame.h"

namespace {

constexpr unsigned kSeed = 19;

class MachinePartsTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(kWindowWidth, kWindowHeight);
    gFrameFeedback.Create();
    OpenDemoData(DEMO_DATA_FILE);
  }
  static void TearDownTestSuite() {
    FreeArchives(gArchives);
    GLContextTest::TearDownTestSuite();
  }
  void SetUp() override { std::srand(kSeed); }
};

// Each part's lights stay on after its frames; the show turns them all off
// between parts, and so do the runs here.
void LightsOff() {
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

int CountOf(const GLMesh& object, int32_t kind) {
  int count = 0;
  for (const Attribute* attribute : object.Attributes()) count += attribute->kind == kind;
  return count;
}

// Lighting attributes that light the object with its normals; a self-lit
// object's attribute of that kind switches lighting off instead.
int CountLit(const GLMesh& object) {
  int count = 0;
  for (const Attribute* attribute : object.Attributes()) count += dynamic_cast<const Lighting*>(attribute) != nullptr;
  return count;
}

// Lit or not, its textures (Texture and EnvironmentMap count alike), two
// units, and whether the part moves it itself.
struct Dressing {
  const char* name;
  int lighting, textures, multi_texture;
  bool freed;
};

void ExpectDressed(Scene& scene, const std::vector<Dressing>& table) {
  for (const Dressing& d : table) {
    const GLMesh* object = scene.FindObject(d.name);
    ASSERT_NE(object, nullptr) << d.name;
    EXPECT_EQ(CountLit(*object), d.lighting) << d.name;
    EXPECT_EQ(CountOf(*object, kLightingKind), 1) << d.name << ": lit, or switching lighting off";
    EXPECT_EQ(CountOf(*object, kTextureKind), d.textures) << d.name;
    EXPECT_EQ(CountOf(*object, kMultiTextureKind), d.multi_texture) << d.name;
    EXPECT_EQ(!object->IsCacheable(), d.freed) << d.name;
  }
}

TEST_F(MachinePartsTest, LoadsDressTheNamedObjects) {
  Techno1 techno1;
  techno1.Load();
  ExpectDressed(techno1.GetScene(), {{"tarzan", 1, 2, 0, true},
                                     {"tarzan03", 1, 2, 0, true},
                                     {"Peili01", 1, 1, 0, false},
                                     {"Valot", 0, 1, 0, false}});
  ASSERT_NE(techno1.Tubes(), nullptr);

  Techno2 techno2;
  techno2.Load();
  ExpectDressed(techno2.GetScene(), {{"background", 0, 1, 0, false},
                                     {"spa_text", 0, 1, 0, false},
                                     {"Line01", 1, 0, 1, false},
                                     {"Box1", 1, 0, 1, false},
                                     {"Box8", 1, 0, 1, false},
                                     {"Box32", 1, 2, 0, true},
                                     {"Box221", 1, 2, 0, true},
                                     {"Cylinder21", 1, 2, 0, true},
                                     {"Cylinder23", 1, 2, 0, true}});
  EXPECT_EQ(techno2.Pools().Areas().size(), 2u);
  EXPECT_NE(techno2.Metaballs(), nullptr);
  EXPECT_NE(techno2.Vapour(), nullptr);

  Techno3 techno3;
  techno3.Load();
  ExpectDressed(techno3.GetScene(),
                {{"Box32", 1, 2, 0, true}, {"Box221", 1, 2, 0, true}, {"Box10", 1, 0, 1, false}, {"Sukkula", 1, 2, 0, false}});
  EXPECT_EQ(techno3.Pools().Areas().size(), 2u);
}

TEST_F(MachinePartsTest, AHallWithoutPoolsIsDisturbedAndSteppedAllTheSame) {
  Scene hall;
  hall.Load("techno11.3ds");
  ChromePools pools;
  pools.Dress(hall);
  pools.Disturb();
  pools.Step();
  EXPECT_TRUE(pools.Areas().empty());
  EXPECT_EQ(pools.Disturbances(), 1);
}

// Techno2 disturbs its pools every 0.75 s and places the balls of frame n;
// Techno3 disturbs in every fifth frame.
TEST_F(MachinePartsTest, AtASteady100FpsThePoolsAreDisturbedAtTheirPace) {
  Techno2 techno2;
  techno2.Load();
  techno2.Begin();
  techno2.Frame(0.01f);
  const std::vector<vec<float, 3>> first = techno2.Metaballs()->Centres();
  ASSERT_EQ(first.size(), 20u);
  EXPECT_EQ(first[0][0], 0.0f);
  EXPECT_EQ(first[0][1], 237.0f);
  EXPECT_EQ(first[0][2], 124.0f);
  const int frames = 160;
  for (int n = 2; n <= frames; ++n) techno2.Frame(n / 100.0f);
  EXPECT_EQ(techno2.Pools().Disturbances(), 2) << "1.33 a second";
  const std::vector<vec<float, 3>>& later = techno2.Metaballs()->Centres();
  for (int i = 0; i < 20; ++i) {
    const double n = frames - 1, a = i / 3.0;
    EXPECT_EQ(later[i][0], float(126.0 * std::cos(n / 10) * std::sin(a))) << i;
    EXPECT_EQ(later[i][1], float(237.0 * std::cos(n / 10 + a))) << i;
    EXPECT_EQ(later[i][2], float(124.0 * std::cos(7.0 * std::sin(a) + n / 10))) << i;
  }

  Techno3 techno3;
  techno3.Load();
  techno3.Begin();
  for (int n = 1; n <= 50; ++n) techno3.Frame(n / 100.0f);
  EXPECT_EQ(techno3.Pools().Disturbances(), 10) << "20 a second";
}

// At 3 s the camera looks across the hall at two tubes over the mirror
// floor; after 26 frames at that time the left tube has breathed long enough
// to reach into the view of the floor, where its reflection fills the box
// below its rider's.
TEST_F(MachinePartsTest, TheTubesWriggleOverTheFloorAndInIt) {
  Techno1 shown, hidden;
  for (Techno1* part : {&shown, &hidden}) {
    std::srand(kSeed);
    part->Load();
    part->Begin();
  }
  for (int k = 0; k < kTubeCount; ++k) hidden.Tubes()->Tube(k).PushVisibility(0);
  std::vector<ShownFrame> frames;
  for (Techno1* part : {&shown, &hidden}) {
    LightsOff();
    for (int n = 0; n < 26; ++n) part->Frame(3.0f);  // the camera stands, the tubes move on
    frames.push_back(ShownFrame::Read());
  }
  LightsOff();
  shown.Frame(3.0f);
  const ShownFrame& with = frames[0];
  const ShownFrame next = ShownFrame::Read();

  EXPECT_GT(with.Mean(0, 0, 640, 480), 60.0) << "a lit hall, not a cleared screen";
  EXPECT_GT(with.Mean(70, 0, 150, 60, &frames[1]), 12.0) << "the tube in the floor mirror";
  EXPECT_LT(with.Mean(230, 0, 420, 480, &frames[1]), 0.5) << "the wall between the tubes as it was";
  EXPECT_GT(with.Mean(60, 150, 170, 380, &next), 2.0) << "the tube moves";
  EXPECT_GT(with.Mean(70, 0, 150, 60, &next), 2.0) << "and so does its reflection";
}

// Before the pools' first disturbance (at 0.75 s) only the vapour draws
// random numbers, so runs that hide the balls or the vapour differ from the
// full one by what they hide alone: the balls in the middle of the view,
// the sparks as points of added light.
TEST_F(MachinePartsTest, TheMetaballsAndTheVapourAreDrawn) {
  Techno2 all, no_balls, no_vapour;
  for (Techno2* part : {&all, &no_balls, &no_vapour}) {
    std::srand(kSeed);
    part->Load();
    part->Begin();
  }
  no_balls.Metaballs()->PushVisibility(0);
  no_vapour.Vapour()->PushVisibility(0);
  std::vector<ShownFrame> frames;
  for (Techno2* part : {&all, &no_balls, &no_vapour}) {
    std::srand(kSeed);
    LightsOff();
    for (int n = 1; n <= 36; ++n) part->Frame(n / 60.0f);
    frames.push_back(ShownFrame::Read());
  }
  const double balls = frames[0].Mean(220, 140, 420, 340, &frames[1]);
  int sparks = 0;  // pixels that the vapour brightens by more than a little
  for (size_t i = 0; i < frames[0].rgb.size(); i += 3) {
    int change = 0;
    for (int c = 0; c < 3; ++c) change += frames[0].rgb[i + c] - frames[2].rgb[i + c];
    sparks += change > 30;
  }
  EXPECT_GT(balls, 10.0) << "the balls in the middle of the view";
  EXPECT_GT(sparks, 300) << "the sparks glow";
}

// Techno2 run from its start at 60 frames a second with the named scene
// objects hidden, and the parts split off them by material ("Box2_metal7"),
// and the balls too unless `balls`: its last frame.
ShownFrame RunTechno2(int frames, const std::vector<const char*>& hidden, bool balls = true) {
  SetPathStep(0.0f);  // the load places the tracked objects with the step last set
  Techno2 part;
  std::srand(kSeed);
  part.Load();
  part.Begin();
  for (GLMesh* object : part.GetScene().Objects())
    for (const std::string name : hidden)
      if (object->Name() == name || object->Name().rfind(name + "_", 0) == 0) object->PushVisibility(0);
  part.GetScene().BuildRenderList(true);  // the compiled group leaves the hidden out
  if (!balls) part.Metaballs()->PushVisibility(0);
  std::srand(kSeed);
  LightsOff();
  for (int n = 1; n <= frames; ++n) part.Frame(n / 60.0f);
  return ShownFrame::Read();
}

// Opaque chrome: wherever the balls show, hiding the floor and the walls
// behind them changes nothing, in a frame where they have moved a long way.
TEST_F(MachinePartsTest, TheBallsHideWhatLiesBehindThem) {
  const std::vector<const char*> behind = {"Lattia", "Seina", "background"};
  const ShownFrame all = RunTechno2(36, {}), no_balls = RunTechno2(36, {}, false);
  const ShownFrame bare = RunTechno2(36, behind);
  int ball_pixels = 0, see_through = 0;
  for (size_t i = 0; i < all.rgb.size(); i += 3) {
    int ball = 0, through = 0;
    for (int c = 0; c < 3; ++c) {
      ball = std::max(ball, std::abs(all.rgb[i + c] - no_balls.rgb[i + c]));
      through = std::max(through, std::abs(all.rgb[i + c] - bare.rgb[i + c]));
    }
    if (ball <= 24) continue;
    ++ball_pixels;
    see_through += through > 8;
  }
  EXPECT_GT(ball_pixels, 10000) << "the balls fill the middle of the view";
  EXPECT_LT(see_through, ball_pixels / 100) << "the floor and the walls show through the balls";
}

// The first camera sees the neon title whole: no tower stands before it.
TEST_F(MachinePartsTest, TheTitleReadsWholeInTheFirstFrame) {
  const ShownFrame all = RunTechno2(1, {});
  const ShownFrame no_towers = RunTechno2(1, {"Box1", "Box2", "Box3", "Box4", "Box5", "Box6", "Box7", "Box8"});
  const ShownFrame no_title = RunTechno2(1, {"spa_text"});
  constexpr int kSign[4] = {140, 380, 500, 435};  // round the letters in the first frame
  EXPECT_GT(all.Changed(no_title, kSign[0], kSign[1], kSign[2], kSign[3]), 3000) << "the letters are in the box";
  EXPECT_EQ(all.Changed(no_towers, kSign[0], kSign[1], kSign[2], kSign[3]), 0) << "a tower hides letters";
}

TEST_F(MachinePartsTest, ThePoolsRipple) {
  Techno3 part;
  part.Load();
  part.Begin();
  for (int n = 0; n < 30; ++n) part.Frame(8.0f);  // the camera stands, the waves move on
  const ShownFrame before = ShownFrame::Read();
  part.Frame(8.0f);
  const ShownFrame after = ShownFrame::Read();
  EXPECT_GT(after.Mean(0, 80, 640, 240, &before), 0.2) << "the pool below the camera";
  EXPECT_LT(after.Mean(0, 300, 640, 480, &before), 0.05) << "the hall above it stands still";
}

}  // namespace
