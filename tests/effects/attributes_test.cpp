// The render attributes, checked by the pixels they leave.
#include <memory>
#include <utility>

#include "effects/multi_texture.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/effects/effects_gl.h"
#include "tests/support/render_fixture.h"

namespace {

class AttributeTest : public RenderTest {
 protected:
  // A large triangle covering (150, 100), drawn through vertex arrays.
  void Draw(std::vector<Attribute*> attributes, std::function<void()> during = [] {}, TextureRef* texture = nullptr) {
    mesh_.reset(Triangle(300, Identity(100, 50, 0)));
    if (texture) mesh_->SetGeometry(mesh_->VertexArray(), mesh_->Triangles(), mesh_->MapCoordinates(), {texture});
    for (Attribute* attribute : attributes) mesh_->AddAttribute(attribute);
    mesh_->AddAttribute(new Probe(std::move(during)));
    mesh_->Render(scene_);
  }

  Scene scene_;
  std::unique_ptr<GLMesh> mesh_;
};

TEST_F(AttributeTest, ColorSetsTheCurrentColour) {
  Draw({new Color(0, 1, 0, 1)});
  EXPECT_EQ(RgbAt(150, 100), (Rgb3{0, 255, 0}));
  EXPECT_EQ(Color(1, 1, 1, 1).kind, kPlainColorKind);
}

TEST_F(AttributeTest, TextureDrawsTheMeshTextureAndSwitchesItOff) {
  TextureRef solid{SolidTexture(255, 0, 255), nullptr};
  Draw({new Color(0, 1, 0, 1), new Texture()}, [] {}, &solid);
  EXPECT_EQ(RgbAt(150, 100), (Rgb3{255, 0, 255})) << "the texture's colour: Texture sets white";
  ExpectEnabled({GL_TEXTURE_2D, GL_TEXTURE_COORD_ARRAY}, false);
}

TEST_F(AttributeTest, LightingUsesTheNormalsDuringTheDrawOnly) {
  Draw({new Lighting()}, [] { ExpectEnabled({GL_LIGHTING, GL_NORMAL_ARRAY}, true); });
  ExpectEnabled({GL_LIGHTING, GL_NORMAL_ARRAY}, false);
}

TEST_F(AttributeTest, DoubleSidedDrawsBackFaces) {
  for (bool double_sided : {false, true}) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mesh_.reset(Triangle(300, Identity(400, 50, 0)));
    mesh_->Scale() = vec<float, 3>(-1.0f, 1.0f, 1.0f);  // its back to the viewer
    mesh_->AddAttribute(new Color(1, 1, 1, 1));
    if (double_sided) mesh_->AddAttribute(new DoubleSided());
    mesh_->Render(scene_);
    EXPECT_EQ(RgbAt(350, 100)[0], double_sided ? 255 : 0);
  }
  EXPECT_TRUE(Enabled(GL_CULL_FACE));
}

TEST_F(AttributeTest, TransparencyBlendsWithTheConstantColour) {
  if (!gExt.glBlendColorEXT || !gExt.glBlendEquation) GTEST_SKIP() << "no blend colour";
  glDepthMask(GL_FALSE);
  glDisable(GL_CULL_FACE);
  auto* transparency = new Transparency(GL_CONSTANT_COLOR, GL_ZERO);
  transparency->SetBlendColor(0.25f, 0.5f, 1.0f, 1.0f);
  EXPECT_EQ(transparency->order, 1);
  Draw({new Color(1, 1, 1, 1), transparency}, [] { EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_FALSE); });
  const Rgb3 pixel = RgbAt(150, 100);
  EXPECT_NEAR(pixel[0], 64, 1);
  EXPECT_NEAR(pixel[1], 128, 1);
  EXPECT_EQ(pixel[2], 255);
  EXPECT_EQ(Integer(GL_DEPTH_WRITEMASK), GL_TRUE);
  EXPECT_TRUE(Enabled(GL_CULL_FACE));
  EXPECT_FALSE(Enabled(GL_BLEND));
}

TEST_F(AttributeTest, MaskingDiscardsByAlpha) {
  Draw({new Color(1, 1, 1, 0.25f), new Masking(GL_GREATER, 0.5f)});
  EXPECT_EQ(RgbAt(150, 100)[0], 0);
  EXPECT_FALSE(Enabled(GL_ALPHA_TEST));
  Draw({new Color(1, 1, 1, 0.75f), new Masking(GL_GREATER, 0.5f)});
  EXPECT_EQ(RgbAt(150, 100)[0], 255);
}

// The filters of the texture bound to GL_TEXTURE_2D: minification, magnification.
std::pair<GLint, GLint> Filters(GLuint texture) {
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint min = 0, mag = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &min);
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &mag);
  return {min, mag};
}

TEST_F(AttributeTest, EnvironmentMapGeneratesSphereCoordinates) {
  Draw({new Texture(), new EnvironmentMap(nullptr)}, [] {
    ExpectEnabled({GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T}, true);
    GLint mode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
  });
  ExpectEnabled({GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T}, false);
}

// Its texture is filtered linearly from the attribute's making, and a draw
// sets no texture parameter: a part's first frame draws the texture as every
// later frame does, whether or not a frame was drawn before it.
TEST_F(AttributeTest, EnvironmentMapFiltersItsTextureOnceWhenMade) {
  TextureRef picture{SolidTexture(255, 0, 255), nullptr};
  const GLuint other = SolidTexture(0, 255, 0);
  glBindTexture(GL_TEXTURE_2D, picture.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
  glBindTexture(GL_TEXTURE_2D, other);
  auto* sphere = new EnvironmentMap(&picture);
  EXPECT_EQ(Integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(other)) << "the binding is left as it was";
  EXPECT_EQ(Filters(picture.id), std::make_pair(GL_LINEAR, GL_LINEAR));
  EXPECT_EQ(Filters(other), std::make_pair(GL_NEAREST, GL_NEAREST));
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST_MIPMAP_NEAREST);
  glBindTexture(GL_TEXTURE_2D, picture.id);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  Draw({new Texture(), sphere}, [] {}, &picture);
  EXPECT_EQ(Filters(picture.id), std::make_pair(GL_LINEAR, GL_NEAREST)) << "a draw sets no filter";
  EXPECT_EQ(Filters(other), std::make_pair(GL_NEAREST_MIPMAP_NEAREST, GL_NEAREST));
  const GLuint textures[2] = {picture.id, other};
  glDeleteTextures(2, textures);
}

TEST_F(AttributeTest, MultiTextureModulatesTwoUnits) {
  if (!gExt.glActiveTextureARB || !gExt.glClientActiveTextureARB) GTEST_SKIP() << "no multitexture";
  auto* multi = new MultiTexture();
  multi->SetTexture0(static_cast<int32_t>(SolidTexture(255, 255, 0)));
  multi->SetTexture1(static_cast<int32_t>(SolidTexture(0, 255, 255)));
  multi->SetGenerate0(false);
  Draw({multi});
  EXPECT_EQ(RgbAt(150, 100), (Rgb3{0, 255, 0})) << "yellow times cyan";
  for (GLenum unit : {GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
    gExt.glActiveTextureARB(unit);
    EXPECT_FALSE(Enabled(GL_TEXTURE_2D));
  }
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
}

TEST_F(AttributeTest, MultiTextureDefaultsToTheMeshTextureOnBothUnits) {
  if (!gExt.glActiveTextureARB) GTEST_SKIP() << "no multitexture";
  Draw({new MultiTexture()}, [this] {
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
      gExt.glActiveTextureARB(unit);
      EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_2D)), mesh_->FirstTexture()->id);
    }
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_TRUE(Enabled(GL_TEXTURE_GEN_S));  // unit 0 generates by default
  });
}

TEST_F(AttributeTest, CompiledColourIsSetOnceBeforeTheTriangles) {
  int begins = 0, vertices = 0;
  struct Counter : Attribute {
    Counter(int* b, int* v) : Attribute(-1), begins(b), vertices(v) {}
    void BeginImmediate(GLMesh&) override { ++*begins; }
    void Vertex(GLMesh&, uint32_t) override { ++*vertices; }
    int *begins, *vertices;
  };
  mesh_.reset(Triangle(300, Identity(100, 50, 0)));
  mesh_->AddAttribute(new Color(0, 0, 1, 1));
  mesh_->AddAttribute(new Counter(&begins, &vertices));
  mesh_->UseDisplayList();
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(vertices, 3);
  glColor4f(1, 1, 1, 1);
  mesh_->Render(scene_);
  EXPECT_EQ(RgbAt(150, 100), (Rgb3{0, 0, 255}));
}

}  // namespace
