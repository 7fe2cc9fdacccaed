// GL meshes drawn offscreen and read back.
#include "scene/gl_mesh.h"

#include <gtest/gtest.h>

#include <memory>

#include "effects/basic_attributes.h"
#include "paths/linear_path.h"
#include "scene/scene.h"
#include "tests/support/render_fixture.h"

namespace {

using vec3 = vec<float, 3>;

bool Lit(int x, int y) { return RenderTest::PixelAt(x, y)[0] > 128; }

class GLMeshTest : public RenderTest {
 protected:
  Scene scene_;
};

TEST_F(GLMeshTest, TriangleLandsThroughLocationPivotAndFrame) {
  std::unique_ptr<GLMesh> mesh(Triangle(100, Identity(200, 100, 0)));
  mesh->Pivot() = vec3(10.0f, 20.0f, 0.0f);
  mat4 frame(1.0f);
  frame[3] = vec<float, 4>(5.0f, 5.0f, 0.0f, 1.0f);  // row 3 is the translation
  mesh->SetFrame(frame);
  mesh->AddAttribute(new Color(1, 0, 0, 1));
  mesh->Render(scene_);
  // Corner at (200 - 10 + 5, 100 - 20 + 5).
  EXPECT_TRUE(Lit(197, 87));
  EXPECT_TRUE(Lit(240, 120));
  EXPECT_FALSE(Lit(193, 87));
  EXPECT_FALSE(Lit(197, 83));
  EXPECT_FALSE(Lit(290, 180));  // beyond the hypotenuse
  EXPECT_EQ(scene_.TriangleCounter(), 1u);
}

TEST_F(GLMeshTest, ChildrenSeeTheParentLocationButNotItsPivotOrFrame) {
  std::unique_ptr<GLMesh> parent(Triangle(10, Identity(300, 200, 0)));
  parent->Pivot() = vec3(100.0f, 100.0f, 0.0f);
  std::unique_ptr<GLMesh> child(Triangle(50, Identity(20, 0, 0)));
  child->SetParent(parent.get());
  child->AddAttribute(new Color(1, 1, 1, 1));
  parent->Render(scene_);
  EXPECT_TRUE(Lit(325, 205));
  EXPECT_FALSE(Lit(315, 205));
}

TEST_F(GLMeshTest, HiddenParentHidesChildrenWhoStillMove) {
  std::unique_ptr<GLMesh> parent(Triangle(50, Identity(100, 100, 0)));
  std::unique_ptr<GLMesh> child(Triangle(50, Identity(100, 0, 0)));
  child->SetParent(parent.get());
  child->AddAttribute(new Color(1, 1, 1, 1));
  child->PositionPath().SetKeys({vec3(0.0f), vec3(30.0f, 0.0f, 0.0f)}, {0.0f, 1.0f});
  SetPathStep(0.5f);
  parent->PushVisibility(0);
  parent->Render(scene_);
  EXPECT_FALSE(Lit(210, 110));
  parent->Update();
  EXPECT_GT(child->Position()[0], 0.0f);

  parent->PopVisibility();
  EXPECT_TRUE(parent->IsVisible());
  parent->PopVisibility();  // the first entry stays
  EXPECT_TRUE(parent->IsVisible());
  parent->Render(scene_);
  // The path replaced the child's position.
  EXPECT_TRUE(Lit(100 + static_cast<int>(child->Position()[0]) + 5, 105));
}

TEST_F(GLMeshTest, DisplayListDrawsTheSamePixelsAsVertexArrays) {
  auto draw = [this](bool compiled) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::unique_ptr<GLMesh> mesh(Triangle(150, Identity(100, 50, 0)));
    std::unique_ptr<GLMesh> child(Triangle(80, Identity(200, 0, 0)));
    child->SetParent(mesh.get());
    child->AddAttribute(new Color(0.2f, 0.9f, 0.4f, 1));
    mesh->AddAttribute(new Texture());
    if (compiled) mesh->UseDisplayList();
    mesh->Render(scene_);
    return Screen();
  };
  std::vector<uint8_t> arrays = draw(false);
  std::vector<uint8_t> list = draw(true);
  EXPECT_EQ(arrays, list);
  EXPECT_NE(arrays, std::vector<uint8_t>(arrays.size(), 0));
}

TEST_F(GLMeshTest, WorldVertexGoesThroughTheParent) {
  std::unique_ptr<GLMesh> parent(Triangle(1, Identity(0, 0, 5)));
  std::unique_ptr<GLMesh> child(Triangle(1));
  child->SetParent(parent.get());
  child->ComputeWorldMatrix(scene_);
  vec3 v = child->WorldVertex(1);
  EXPECT_FLOAT_EQ(v[0], 1.0f);
  EXPECT_FLOAT_EQ(v[1], 0.0f);
  EXPECT_FLOAT_EQ(v[2], 5.0f);
  vec3 outside = child->WorldVertex(3);
  EXPECT_EQ(outside[0], 0.0f);
}

TEST_F(GLMeshTest, RenderInContextAppliesTheAncestorsOnly) {
  std::unique_ptr<GLMesh> parent(Triangle(10, Identity(300, 200, 0)));
  std::unique_ptr<GLMesh> child(Triangle(50, Identity(20, 0, 0)));
  child->SetParent(parent.get());
  child->AddAttribute(new Color(1, 1, 1, 1));
  parent->PushVisibility(0);
  child->RenderInContext(scene_);
  EXPECT_TRUE(Lit(325, 205));
  EXPECT_FALSE(Lit(305, 205));  // the parent itself is not drawn
}

TEST_F(GLMeshTest, RemoveAttributesTakesEveryOneOfTheKindAndKeepsTheOrder) {
  std::unique_ptr<GLMesh> mesh(Triangle(1));
  Texture texture;
  EnvironmentMap sphere;
  Lighting lighting;
  Color color;
  mesh->AddAttribute(&texture);
  mesh->AddAttribute(&lighting);
  mesh->AddAttribute(&sphere);
  mesh->AddAttribute(&color);
  mesh->RemoveAttributes(kTextureKind);
  EXPECT_EQ(mesh->Attributes(), (AttributeList{&lighting, &color}));
  mesh->RemoveAttributes(kLightingKind);
  mesh->RemoveAttributes(kColorKind);
}

TEST_F(GLMeshTest, DynamicWhenUncacheableOrAnimatedOrAChildIs) {
  std::unique_ptr<GLMesh> mesh(Triangle(1));
  std::unique_ptr<GLMesh> child(Triangle(1));
  child->SetParent(mesh.get());
  EXPECT_FALSE(mesh->IsDynamic());
  child->ScalePath().SetKeys({vec3(1.0f), vec3(2.0f)}, {0.0f, 1.0f});
  EXPECT_TRUE(mesh->IsDynamic());
  std::unique_ptr<GLMesh> still(Triangle(1));
  still->SetCacheable(false);
  EXPECT_TRUE(still->IsDynamic());
}

TEST_F(GLMeshTest, ACycleInTheHierarchyIsRefused) {
  std::unique_ptr<GLMesh> a(Triangle(1));
  std::unique_ptr<GLMesh> b(Triangle(1));
  b->SetParent(a.get());
  a->SetParent(b.get());
  a->SetParent(a.get());
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_EQ(b->Children().size(), 0u);
}

TEST_F(GLMeshTest, TrianglesOutsideTheVerticesAreDropped) {
  std::unique_ptr<GLMesh> mesh(new GLMesh(Identity()));
  mesh->SetGeometry({{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}}, {{0, 1, 2}, {0, 1, 7}}, {},
                    {nullptr, nullptr});
  EXPECT_EQ(mesh->Triangles().size(), 1u);
  EXPECT_EQ(mesh->FaceTextures().size(), 1u);
  EXPECT_EQ(mesh->MapCoordinates().size(), 3u);
}

}  // namespace
