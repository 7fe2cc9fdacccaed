// ProjectiveTexture: the projector's texture lands on the mesh where the
// projector looks, on unit 1.
#include "effects/projective_texture.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "scene/scene.h"
#include "tests/effects/effects_gl.h"
#include "tests/support/render_fixture.h"

namespace {

constexpr float kProjectorHeight = 200.0f;

class ProjectiveTextureTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (!gExt.glActiveTextureARB) GTEST_SKIP() << "no multitexture";
    glDisable(GL_CULL_FACE);
    green_ = {SolidTexture(0, 255, 0), nullptr};
    // White in the middle 2x2 of 4x4, black around.
    std::vector<uint8_t> square(4 * 4 * 4, 0);
    for (int i : {5, 6, 9, 10}) std::fill_n(square.begin() + 4 * i, 4, 255);
    square_ = {TextureFromPixels(4, 4, square), nullptr};
  }

  // A green mesh over the whole window, the projector above (x, y) looking down -z.
  void DrawWithProjectorAt(float x, float y, std::function<void()> during = [] {}) {
    projector_.reset(Triangle(1, Identity(x, y, kProjectorHeight)));
    projector_->SetGeometry(projector_->VertexArray(), projector_->Triangles(), projector_->MapCoordinates(),
                            {&square_});
    mesh_.reset(Triangle(1500));
    mesh_->SetGeometry(mesh_->VertexArray(), mesh_->Triangles(), mesh_->MapCoordinates(), {&green_});
    mesh_->AddAttribute(new ProjectiveTexture(projector_.get()));
    mesh_->AddAttribute(new Probe(std::move(during)));
    mesh_->Render(scene_);
  }

  Scene scene_;
  TextureRef green_{}, square_{};
  std::unique_ptr<GLMesh> projector_, mesh_;
};

TEST_F(ProjectiveTextureTest, MakesTheMeshDynamic) {
  std::unique_ptr<GLMesh> mesh(Triangle(1));
  mesh->AddAttribute(new ProjectiveTexture(nullptr));
  EXPECT_EQ(ProjectiveTexture(nullptr).kind, kProjectiveTextureKind);
  EXPECT_TRUE(mesh->IsDynamic());
}

// Unit 1's texture matrix maps the point under the projector to the
// texture's centre and the edge of its 45 degree cone to the right edge.
TEST_F(ProjectiveTextureTest, ProjectsThroughAFortyFiveDegreeConeForTheDrawOnly) {
  DrawWithProjectorAt(320, 240, [] {
    gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
    const Matrix16 m = Matrix(GL_TEXTURE_MATRIX);
    auto projected = [&m](float x, float y) {
      float v[4];
      for (int r = 0; r < 4; ++r) v[r] = m[r] * x + m[4 + r] * y + m[12 + r];
      return std::array<float, 2>{v[0] / v[3], v[1] / v[3]};
    };
    EXPECT_NEAR(projected(320, 240)[0], 0.5f, 1e-4f);
    EXPECT_NEAR(projected(320, 240)[1], 0.5f, 1e-4f);
    EXPECT_NEAR(projected(320 + kProjectorHeight * std::tan(22.5f * 3.1415927f / 180.0f), 240)[0], 1.0f, 1e-4f);
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  });
  ExpectEnabled({GL_TEXTURE_2D, GL_TEXTURE_COORD_ARRAY}, false);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  EXPECT_EQ(Integer(GL_TEXTURE_STACK_DEPTH), 1);
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  ExpectUnitOneReset();
}

// GL_BLEND with the black environment colour: colour x (1 - texel).
TEST_F(ProjectiveTextureTest, DarkensTheMeshWhereThePictureFalls) {
  DrawWithProjectorAt(320, 240);
  EXPECT_EQ(RgbAt(320, 240), (Rgb3{0, 0, 0}));
  EXPECT_EQ(RgbAt(470, 240), (Rgb3{0, 255, 0}));
  EXPECT_EQ(RgbAt(320, 400), (Rgb3{0, 255, 0}));
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawWithProjectorAt(150, 100);
  EXPECT_EQ(RgbAt(150, 100), (Rgb3{0, 0, 0}));
  EXPECT_EQ(RgbAt(320, 240), (Rgb3{0, 255, 0}));
}

TEST_F(ProjectiveTextureTest, WithoutAProjectorTheMeshIsDrawnPlain) {
  mesh_.reset(Triangle(1500));
  mesh_->AddAttribute(new ProjectiveTexture(nullptr));
  glColor4f(1, 0, 1, 1);
  mesh_->Render(scene_);
  EXPECT_EQ(RgbAt(320, 240), (Rgb3{255, 0, 255}));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
