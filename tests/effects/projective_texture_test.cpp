// ProjectiveTexture: the projector's texture lands on the mesh where the
// projector looks, on unit 1; GL state during and after the draw.
#include "effects/projective_texture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <memory>

#include "runtime/extensions.h"
#include "scene/scene.h"
#include "tests/effects/attribute_probe.h"
#include "tests/support/render_fixture.h"

namespace {

using Rgb3 = std::array<uint8_t, 3>;

constexpr float kProjectorHeight = 200.0f;

class ProjectiveTextureTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (!gExt.glActiveTextureARB) GTEST_SKIP() << "no multitexture";
    glDisable(GL_CULL_FACE);
    green_ = {SolidTexture(0, 255, 0), nullptr};
    // White in the middle, black around: outside the projected square the
    // clamped border darkens nothing.
    std::vector<uint8_t> square(4 * 4 * 4, 0);
    for (int y = 1; y < 3; ++y)
      for (int x = 1; x < 3; ++x)
        for (int c = 0; c < 4; ++c) square[4 * (4 * y + x) + c] = 255;
    square_ = {TextureFromPixels(4, 4, square), nullptr};
  }

  // The whole window covered by a green-textured mesh in pixel units, with
  // the projector above the point (x, y) looking down the -z axis.
  void DrawWithProjectorAt(float x, float y, std::function<void()> during = [] {}) {
    projector_.reset(Triangle(1, Identity(x, y, kProjectorHeight)));
    SetTexture(*projector_, &square_);
    mesh_.reset(Triangle(1500));
    SetTexture(*mesh_, &green_);
    projective_ = new ProjectiveTexture(projector_.get());
    mesh_->AddAttribute(projective_);
    mesh_->AddAttribute(new Probe(std::move(during)));
    mesh_->Render(scene_);
  }

  static void SetTexture(GLMesh& mesh, TextureRef* texture) {
    mesh.SetGeometry(mesh.VertexArray(), mesh.Triangles(), mesh.MapCoordinates(), {texture});
  }

  // The projective texture coordinates (s/q, t/q) of a mesh point, through
  // unit 1's texture matrix.
  static std::array<float, 2> Projected(const float* m, float x, float y, float z) {
    float v[4];
    for (int r = 0; r < 4; ++r) v[r] = m[r] * x + m[4 + r] * y + m[8 + r] * z + m[12 + r];
    return {v[0] / v[3], v[1] / v[3]};
  }

  Scene scene_;
  TextureRef green_{};
  TextureRef square_{};
  std::unique_ptr<GLMesh> projector_;
  std::unique_ptr<GLMesh> mesh_;
  ProjectiveTexture* projective_ = nullptr;
};

TEST_F(ProjectiveTextureTest, IsADynamicKindSevenAttribute) {
  ProjectiveTexture projective(nullptr);
  EXPECT_EQ(projective.kind, kProjectiveTextureKind);
  EXPECT_EQ(projective.order, 0);
  EXPECT_TRUE(projective.dynamic);
  std::unique_ptr<GLMesh> mesh(Triangle(1));
  mesh->AddAttribute(new ProjectiveTexture(nullptr));
  EXPECT_TRUE(mesh->IsDynamic());
}

TEST_F(ProjectiveTextureTest, SetsUpBothUnitsDuringTheDraw) {
  DrawWithProjectorAt(320, 240, [this] {
    EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
    EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)), green_.id);
    EXPECT_TRUE(Enabled(GL_TEXTURE_COORD_ARRAY));
    ExpectAdditiveBlendFunction();

    gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
    EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
    EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)), square_.id);
    GLint value = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_BLEND);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_CLAMP);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_CLAMP);
    const GLenum coordinates[4] = {GL_S, GL_T, GL_R, GL_Q};
    const GLenum generators[4] = {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q};
    for (int i = 0; i < 4; ++i) {
      EXPECT_TRUE(Enabled(generators[i]));
      glGetTexGeniv(coordinates[i], GL_TEXTURE_GEN_MODE, &value);
      EXPECT_EQ(value, GL_EYE_LINEAR);
      // The identity eye planes under the identity model-view.
      float plane[4];
      glGetTexGenfv(coordinates[i], GL_EYE_PLANE, plane);
      for (int j = 0; j < 4; ++j) EXPECT_FLOAT_EQ(plane[j], i == j ? 1.0f : 0.0f);
    }
    EXPECT_EQ(Integer(GL_TEXTURE_STACK_DEPTH), 2);
    float m[16];
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    // The point under the projector maps to the texture's centre, a point
    // at the edge of its 45 degree cone to the right-hand edge.
    std::array<float, 2> centre = Projected(m, 320, 240, 0);
    EXPECT_NEAR(centre[0], 0.5f, 1e-4f);
    EXPECT_NEAR(centre[1], 0.5f, 1e-4f);
    const float edge = kProjectorHeight * std::tan(22.5f * 3.1415927f / 180.0f);
    EXPECT_NEAR(Projected(m, 320 + edge, 240, 0)[0], 1.0f, 1e-4f);
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  });
}

TEST_F(ProjectiveTextureTest, DarkensTheMeshWhereThePictureFalls) {
  // GL_BLEND with the black environment colour: colour x (1 - texel).
  DrawWithProjectorAt(320, 240);
  EXPECT_EQ(RgbAt(320, 240), (Rgb3{0, 0, 0}));
  EXPECT_EQ(RgbAt(470, 240), (Rgb3{0, 255, 0}));
  EXPECT_EQ(RgbAt(320, 400), (Rgb3{0, 255, 0}));

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawWithProjectorAt(150, 100);
  EXPECT_EQ(RgbAt(150, 100), (Rgb3{0, 0, 0}));
  EXPECT_EQ(RgbAt(320, 240), (Rgb3{0, 255, 0}));
}

TEST_F(ProjectiveTextureTest, RestoresTheUnitsAfterTheDraw) {
  DrawWithProjectorAt(320, 240);
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  EXPECT_FALSE(Enabled(GL_TEXTURE_2D));
  EXPECT_FALSE(Enabled(GL_TEXTURE_COORD_ARRAY));
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  EXPECT_FALSE(Enabled(GL_TEXTURE_2D));
  for (GLenum generator : {GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R, GL_TEXTURE_GEN_Q})
    EXPECT_FALSE(Enabled(generator));
  EXPECT_EQ(Integer(GL_TEXTURE_STACK_DEPTH), 1);
  ExpectIdentityTextureMatrix();
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  ExpectAdditiveBlendFunction();  // left set
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
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
