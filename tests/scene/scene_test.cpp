// Scenes drawn into an offscreen window: cameras, render lists, lights and backgrounds.
#include "scene/scene.h"

#include <gtest/gtest.h>

#include <memory>

#include "paths/linear_path.h"
#include "scene/basic_attributes.h"
#include "tests/support/render_fixture.h"

namespace {

using vec3 = vec<float, 3>;
using Rgb8 = std::array<uint8_t, 3>;

class SceneTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    SharedLightPool().ResetAll();
    Camera<GLMesh>::ForgetProjection();
  }

  // A square of side 2 at (x, y, z) facing the default camera (along +y, z up).
  static GLMesh* Square(float x, float y, float z, float r = 1, float g = 0, float b = 0) {
    auto* mesh = new GLMesh(Identity(x, y, z));
    mesh->SetGeometry({{-1.0f, 0.0f, -1.0f}, {1.0f, 0.0f, -1.0f}, {1.0f, 0.0f, 1.0f}, {-1.0f, 0.0f, 1.0f}},
                      {{0, 1, 2}, {0, 2, 3}}, {}, {});
    mesh->AddAttribute(new Color(r, g, b, 1));
    mesh->AddAttribute(new DoubleSided());
    return mesh;
  }

  // Squares ahead, one moving and one veiled over the others, before the
  // default pattern as background.
  static void DressLayeredScene(Scene& scene) {
    scene.PushBackground(GetTexture("scene-test background", "default"));
    GLMesh* veiled = Square(0.5f, 8, 0.5f, 0, 0, 1);
    auto* veil = new Transparency(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
    veil->SetBlendColor(0, 0, 0, 0.5f);
    veiled->AddAttribute(veil);
    veiled->SetCacheable(false);
    GLMesh* moving = Square(-1.5f, 12, 0, 0, 1, 0);
    moving->PositionPath().SetKeys({vec3(-1.5f, 12, 0), vec3(1.5f, 12, 0)}, {0.0f, 1.0f});
    for (GLMesh* object : {Square(0, 10, 0), Square(2.5f, 40, -1.2f, 1, 1, 0), moving, veiled})
      scene.AddObject(object);
    scene.BuildRenderList(true);
  }

  void Draw(Scene& scene, bool compile) {
    scene.BuildRenderList(compile);
    scene.Clear(true);
    scene.UpdateObjects();
    scene.AdvanceObjects();
    scene.BeginCamera();
    scene.RenderScene();
    scene.EndCamera();
  }
};

TEST_F(SceneTest, DefaultCameraLooksAlongYWithZUp) {
  Scene scene;
  ASSERT_EQ(scene.Cameras().size(), 1u);
  EXPECT_EQ(scene.ActiveCamera(), scene.Cameras()[0]);
  EXPECT_FALSE(scene.ActiveCamera()->IsVisible());
  scene.AddObject(Square(0, 10, 0, 1, 0, 0));     // ahead
  scene.AddObject(Square(0, 10, 2.5f, 0, 1, 0));  // above
  scene.AddObject(Square(2.5f, 10, 0, 0, 0, 1));  // right
  scene.AddObject(Square(0, -10, 0, 1, 1, 1));    // behind
  Draw(scene, false);
  EXPECT_EQ(PixelAt(320, 240), (Rgba{255, 0, 0, 255}));
  EXPECT_EQ(PixelAt(320, 240 + 120), (Rgba{0, 255, 0, 255}));
  EXPECT_EQ(PixelAt(320 + 120, 240), (Rgba{0, 0, 255, 255}));
  EXPECT_EQ(RgbAt(320 - 120, 240), (Rgb8{0, 0, 0}));
}

TEST_F(SceneTest, CameraAdjustmentIsAppliedBeforeInverting) {
  Scene scene;
  scene.ActiveCamera()->Adjustment()(0, 3) = -2.5f;  // moves the eye left
  scene.AddObject(Square(0, 10, 0));
  Draw(scene, false);
  EXPECT_EQ(PixelAt(320 + 120, 240), (Rgba{255, 0, 0, 255}));
}

TEST_F(SceneTest, RenderListWithoutCompileGroupsEveryVisibleObject) {
  Scene scene;
  GLMesh *still = Square(0, 10, 0), *moving = Square(0, 10, 0), *hidden = Square(0, 10, 0);
  moving->PositionPath().SetKeys({vec3(0.0f), vec3(5.0f, 0.0f, 0.0f)}, {0.0f, 1.0f});
  hidden->PushVisibility(0);
  for (GLMesh* object : {still, moving, hidden}) scene.AddObject(object);
  scene.BuildRenderList(false);
  ASSERT_EQ(scene.RenderList().size(), 1u);
  GLMesh* group = scene.RenderList()[0];
  EXPECT_EQ(group->Name(), kDummyName);
  EXPECT_FALSE(group->UsesDisplayList());
  ASSERT_EQ(group->Children().size(), 2u);
  EXPECT_EQ(group->Child(0), still);
  EXPECT_EQ(group->Child(1), moving);
  EXPECT_EQ(moving->GetParent(), nullptr);
  SetPathStep(0.5f);
  scene.AdvanceObjects();
  EXPECT_EQ(moving->Position()[0], 0.0f);  // grouped objects are not advanced

  hidden->PopVisibility();  // visible too late: not in the list
  scene.BuildRenderList(true);
  ASSERT_EQ(scene.RenderList().size(), 2u);
  EXPECT_TRUE(scene.RenderList()[0]->UsesDisplayList());
  EXPECT_EQ(scene.RenderList()[0]->Children().size(), 2u);  // still and hidden
  EXPECT_EQ(scene.RenderList()[1], moving);
  scene.AdvanceObjects();
  EXPECT_GT(moving->Position()[0], 0.0f);
}

TEST_F(SceneTest, EqualFieldsOfViewSetTheProjectionOnce) {
  Camera<GLMesh> first(Identity(), 45, 1.3333334f), second(Identity(), 45, 1.3333334f), wide(Identity(), 90, 1.3333334f);
  float matrix[16];
  first.ApplyProjection();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  second.ApplyProjection();
  glGetFloatv(GL_PROJECTION_MATRIX, matrix);
  EXPECT_EQ(matrix[0], 1.0f);  // untouched identity
  wide.ApplyProjection();
  glGetFloatv(GL_PROJECTION_MATRIX, matrix);
  EXPECT_NEAR(matrix[5], 1.0f, 1e-5f);  // cot(45 degrees)
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

TEST_F(SceneTest, LightPoolHandsOutTheFirstFreeLight) {
  const vec3 white(1.0f), black(0.0f), constant(1.0f, 0.0f, 0.0f);
  auto make = [&] { return new Light(Identity(), white, black, black, constant, false); };
  std::vector<std::unique_ptr<Light>> lights;
  for (int i = 0; i < 3; ++i) lights.emplace_back(make());
  EXPECT_EQ(lights[2]->LightName(), static_cast<GLenum>(GL_LIGHT2));
  lights[1]->Enable();
  EXPECT_TRUE(glIsEnabled(GL_LIGHT1));
  lights[1].reset();
  EXPECT_FALSE(glIsEnabled(GL_LIGHT1));
  lights[1].reset(make());
  EXPECT_EQ(lights[1]->LightName(), static_cast<GLenum>(GL_LIGHT1));
  for (int i = 3; i < 8; ++i) lights.emplace_back(make());
  EXPECT_EQ(lights[7]->LightName(), static_cast<GLenum>(GL_LIGHT7));
  testing::internal::CaptureStdout();
  std::unique_ptr<Light> ninth(make());
  EXPECT_EQ(testing::internal::GetCapturedStdout(), "All 8 lights are in use: this light stays dark\n");
  EXPECT_EQ(ninth->LightName(), 0u);
  glDisable(GL_LIGHTING);
  ninth->Enable();
  ninth->SetPosition();
  EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneTest, LitSceneShowsTheLightColourOnFacingSurfaces) {
  Scene scene;
  auto* light = new Light(Identity(0, 0, 0), vec3(0.0f), vec3(0.0f), vec3(0.0f), vec3(1.0f, 0.0f, 0.0f), false);
  light->SetDiffuse(1.0f, 1.0f, 0.0f, 1.0f);
  scene.AddLight(light);
  GLMesh* wall = Square(0, 10, 0, 1, 1, 1);
  wall->AddAttribute(new Lighting());
  scene.AddObject(wall);
  Draw(scene, true);
  // The wall's normal faces -y, towards the light: yellow, no blue.
  Rgba centre = PixelAt(320, 240);
  EXPECT_GT(centre[0], 200);
  EXPECT_GT(centre[1], 200);
  EXPECT_LT(centre[2], 30);
}

TEST_F(SceneTest, BackgroundFillsTheScreenUntilPopped) {
  Scene scene;
  scene.PushBackground(GetTexture("scene-test background", "default"));
  EXPECT_TRUE(scene.HasBackground());
  scene.Clear(true);
  // The pattern's top-left texel (red 0) lands at the top left of the screen.
  EXPECT_LT(PixelAt(5, 476)[0], 16);
  EXPECT_GT(PixelAt(638, 2)[0], 200);
  scene.Clear(false);
  EXPECT_EQ(RgbAt(638, 2), (Rgb8{0, 0, 0}));
  for (int pop = 0; pop < 2; ++pop) {  // the second one too many
    scene.PopBackground();
    EXPECT_FALSE(scene.HasBackground());
  }
}

TEST_F(SceneTest, LateBackgroundDrawsTheSameFrameAsTheBackgroundFirst) {
  Scene scene;
  DressLayeredScene(scene);
  std::vector<uint8_t> frames[2];
  for (int late = 0; late < 2; ++late) {
    if (late) {
      scene.ClearForLateBackground();
    } else {
      scene.Clear(true);
    }
    scene.BeginCamera();
    if (late) {
      scene.RenderSceneOverBackground();
    } else {
      scene.RenderScene();
    }
    scene.EndCamera();
    frames[late] = Screen();
  }
  EXPECT_TRUE(frames[0] == frames[1]);
  // Not a blank frame: the veiled square is blue over red, the pattern shows beside.
  const Rgba veiled = PixelAt(320 + 20, 240 + 20);
  EXPECT_GT(veiled[0], 60);
  EXPECT_GT(veiled[2], 60);
  EXPECT_NE(RgbAt(5, 5), (Rgb8{0, 0, 0}));
}

TEST_F(SceneTest, RenderSceneInSendsWhatShowsAndDrawsTheSamePixels) {
  Scene scene;
  DressLayeredScene(scene);
  for (const GLint box : {0, 200, 330}) {  // scissor boxes from the left edge, 0 for none
    SCOPED_TRACE(box);
    std::vector<uint8_t> frames[2];
    for (int culled = 0; culled < 2; ++culled) {
      scene.Clear(true);
      if (box) {
        glScissor(0, 0, box, 480);
        glEnable(GL_SCISSOR_TEST);
      }
      scene.BeginCamera();
      if (culled) {
        scene.RenderSceneIn(ViewVolume::Current());
      } else {
        scene.RenderScene();
      }
      scene.EndCamera();
      glDisable(GL_SCISSOR_TEST);
      frames[culled] = Screen();
    }
    EXPECT_TRUE(frames[0] == frames[1]);
  }
}

TEST_F(SceneTest, FindObjectSearchesDepthFirst) {
  Scene scene;
  GLMesh *a = Square(0, 0, 0), *child = Square(0, 0, 0), *b = Square(0, 0, 0);
  child->SetName("twin");
  b->SetName("twin");
  child->SetParent(a);
  scene.AddObject(a);
  scene.AddObject(b);
  EXPECT_EQ(scene.FindObject("twin"), child);
  EXPECT_EQ(scene.FindObject("none"), nullptr);
  EXPECT_EQ(scene.CollectObjects().size(), 4u);  // with the default camera
}

}  // namespace
