// GL meshes drawn into an offscreen window: placement, hierarchy, visibility, display lists, world vertices.
#include "scene/gl_mesh.h"

#include <gtest/gtest.h>

#include <memory>

#include "paths/linear_path.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/support/render_fixture.h"

namespace {

using vec3 = vec<float, 3>;
using MeshPtr = std::unique_ptr<GLMesh>;

bool Lit(int x, int y) { return RenderTest::PixelAt(x, y)[0] > 128; }

class GLMeshTest : public RenderTest {
 protected:
  static MeshPtr Tri(float size, float x = 0, float y = 0, float z = 0, GLMesh* parent = nullptr) {
    MeshPtr mesh(Triangle(size, Identity(x, y, z)));
    if (parent) mesh->SetParent(parent);
    return mesh;
  }
  Scene scene_;
};

TEST_F(GLMeshTest, TriangleLandsThroughLocationPivotAndFrame) {
  MeshPtr mesh = Tri(100, 200, 100);
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

TEST_F(GLMeshTest, ChildrenSeeTheParentLocationButNotItsPivotAndRenderInContextSkipsIt) {
  MeshPtr parent = Tri(10, 300, 200);
  MeshPtr child = Tri(50, 20, 0, 0, parent.get());
  child->AddAttribute(new Color(1, 1, 1, 1));
  parent->PushVisibility(0);
  child->RenderInContext(scene_);
  EXPECT_TRUE(Lit(325, 205));
  EXPECT_FALSE(Lit(305, 205));  // the parent itself is not drawn
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  parent->PopVisibility();
  parent->Pivot() = vec3(100.0f, 100.0f, 0.0f);
  parent->Render(scene_);
  EXPECT_TRUE(Lit(325, 205));
  EXPECT_FALSE(Lit(315, 205));
}

TEST_F(GLMeshTest, HiddenParentHidesChildrenWhoStillMove) {
  MeshPtr parent = Tri(50, 100, 100);
  MeshPtr child = Tri(50, 100, 0, 0, parent.get());
  child->AddAttribute(new Color(1, 1, 1, 1));
  child->PositionPath().SetKeys({vec3(0.0f), vec3(30.0f, 0.0f, 0.0f)}, {0.0f, 1.0f});
  SetPathStep(0.5f);
  parent->PushVisibility(0);
  parent->Render(scene_);
  EXPECT_FALSE(Lit(210, 110));
  parent->Update();
  EXPECT_GT(child->Position()[0], 0.0f);
  parent->PopVisibility();
  parent->PopVisibility();  // the first entry stays
  EXPECT_TRUE(parent->IsVisible());
  parent->Render(scene_);
  // The path replaced the child's position.
  EXPECT_TRUE(Lit(100 + static_cast<int>(child->Position()[0]) + 5, 105));
}

TEST_F(GLMeshTest, DisplayListDrawsTheSamePixelsAsVertexArrays) {
  auto draw = [this](bool compiled) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    MeshPtr mesh = Tri(150, 100, 50);
    MeshPtr child = Tri(80, 200, 0, 0, mesh.get());
    child->AddAttribute(new Color(0.2f, 0.9f, 0.4f, 1));
    mesh->AddAttribute(new Texture());
    if (compiled) mesh->UseDisplayList();
    mesh->Render(scene_);
    return Screen();
  };
  std::vector<uint8_t> arrays = draw(false);
  EXPECT_EQ(arrays, draw(true));
  EXPECT_NE(arrays, std::vector<uint8_t>(arrays.size(), 0));
}

TEST_F(GLMeshTest, WorldVertexGoesThroughTheParentAndIsZeroOutside) {
  MeshPtr parent = Tri(1, 0, 0, 5);
  MeshPtr child = Tri(1, 0, 0, 0, parent.get());
  child->ComputeWorldMatrix(scene_);
  vec3 v = child->WorldVertex(1);
  EXPECT_FLOAT_EQ(v[0], 1.0f);
  EXPECT_FLOAT_EQ(v[1], 0.0f);
  EXPECT_FLOAT_EQ(v[2], 5.0f);
  EXPECT_EQ(child->WorldVertex(3)[0], 0.0f);
}

TEST_F(GLMeshTest, RemoveAttributesTakesEveryOneOfTheKindAndKeepsTheOrder) {
  MeshPtr mesh = Tri(1);
  Texture texture;
  EnvironmentMap sphere(nullptr);
  Lighting lighting;
  Color color;
  for (Attribute* a : std::initializer_list<Attribute*>{&texture, &lighting, &sphere, &color}) mesh->AddAttribute(a);
  mesh->RemoveAttributes(kTextureKind);
  EXPECT_EQ(mesh->Attributes(), (AttributeList{&lighting, &color}));
  mesh->RemoveAttributes(kLightingKind);  // the mesh would delete what it still holds
  mesh->RemoveAttributes(kColorKind);
}

TEST_F(GLMeshTest, DynamicWhenUncacheableOrAnimatedOrAChildIs) {
  MeshPtr mesh = Tri(1), child = Tri(1, 0, 0, 0, mesh.get()), still = Tri(1);
  EXPECT_FALSE(mesh->IsDynamic());
  child->ScalePath().SetKeys({vec3(1.0f), vec3(2.0f)}, {0.0f, 1.0f});
  EXPECT_TRUE(mesh->IsDynamic());
  still->SetCacheable(false);
  EXPECT_TRUE(still->IsDynamic());
}

TEST_F(GLMeshTest, ACycleInTheHierarchyIsRefused) {
  MeshPtr a = Tri(1), b = Tri(1, 0, 0, 0, a.get());
  a->SetParent(b.get());
  a->SetParent(a.get());
  EXPECT_EQ(a->GetParent(), nullptr);
  EXPECT_EQ(b->Children().size(), 0u);
}

TEST_F(GLMeshTest, TrianglesOutsideTheVerticesAreDropped) {
  MeshPtr mesh(new GLMesh(Identity()));
  mesh->SetGeometry({{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}}, {{0, 1, 2}, {0, 1, 7}}, {},
                    {nullptr, nullptr});
  EXPECT_EQ(mesh->Triangles().size(), 1u);
  EXPECT_EQ(mesh->FaceTextures().size(), 1u);
  EXPECT_EQ(mesh->MapCoordinates().size(), 3u);
}

}  // namespace
