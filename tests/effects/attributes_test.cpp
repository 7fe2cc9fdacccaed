// Render attributes: GL state during and after a draw, and the pixels.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "effects/basic_attributes.h"
#include "effects/multi_texture.h"
#include "runtime/extensions.h"
#include "scene/scene.h"
#include "tests/effects/attribute_probe.h"
#include "tests/support/render_fixture.h"

namespace {

class AttributeTest : public RenderTest {
 protected:
  // A large triangle over the middle of the screen with the attributes and
  // a probe; drawn through vertex arrays.
  void Draw(std::vector<Attribute*> attributes, std::function<void()> during = [] {}) {
    mesh_.reset(Triangle(300, Identity(100, 50, 0)));
    for (Attribute* attribute : attributes) mesh_->AddAttribute(attribute);
    mesh_->AddAttribute(new Probe(std::move(during)));
    mesh_->Render(scene_);
  }

  static bool Enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

  // A texture of one colour.
  static GLuint Solid(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    const uint8_t texel[4] = {r, g, b, a};
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return id;
  }

  Scene scene_;
  std::unique_ptr<GLMesh> mesh_;
};

TEST_F(AttributeTest, ColorSetsTheCurrentColour) {
  Draw({new Color(0, 1, 0, 1)});
  EXPECT_EQ(RgbAt(150, 100), (std::array<uint8_t, 3>{0, 255, 0}));
  EXPECT_EQ(Color().kind, kColorKind);
  EXPECT_EQ(Color(1, 1, 1, 1).kind, kPlainColorKind);
}

TEST_F(AttributeTest, TextureDrawsTheMeshTextureAndSwitchesItOff) {
  TextureRef solid{Solid(255, 0, 255, 255), nullptr};
  mesh_.reset(Triangle(300, Identity(100, 50, 0)));
  mesh_->SetGeometry(mesh_->VertexArray(), mesh_->Triangles(), mesh_->MapCoordinates(), {&solid});
  mesh_->AddAttribute(new Color(0, 1, 0, 1));
  mesh_->AddAttribute(new Texture());
  mesh_->AddAttribute(new Probe([] {
    EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
    EXPECT_TRUE(Enabled(GL_TEXTURE_COORD_ARRAY));
  }));
  mesh_->Render(scene_);
  // The texture's colour, not the green before it: Texture sets white.
  EXPECT_EQ(RgbAt(150, 100), (std::array<uint8_t, 3>{255, 0, 255}));
  EXPECT_FALSE(Enabled(GL_TEXTURE_2D));
  EXPECT_FALSE(Enabled(GL_TEXTURE_COORD_ARRAY));
}

TEST_F(AttributeTest, LightingUsesTheNormalsDuringTheDrawOnly) {
  Draw({new Lighting()}, [] {
    EXPECT_TRUE(Enabled(GL_LIGHTING));
    EXPECT_TRUE(Enabled(GL_NORMAL_ARRAY));
  });
  EXPECT_FALSE(Enabled(GL_LIGHTING));
  EXPECT_FALSE(Enabled(GL_NORMAL_ARRAY));
}

TEST_F(AttributeTest, DoubleSidedDrawsBackFaces) {
  // Mirrored in x, the triangle turns its back to the viewer.
  auto draw_mirrored = [this](bool double_sided) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mesh_.reset(Triangle(300, Identity(400, 50, 0)));
    mesh_->Scale() = vec<float, 3>(-1.0f, 1.0f, 1.0f);
    mesh_->AddAttribute(new Color(1, 1, 1, 1));
    if (double_sided) mesh_->AddAttribute(new DoubleSided());
    mesh_->AddAttribute(new Probe([double_sided] { EXPECT_EQ(Enabled(GL_CULL_FACE), !double_sided); }));
    mesh_->Render(scene_);
    return RgbAt(350, 100)[0];
  };
  EXPECT_EQ(draw_mirrored(false), 0);
  EXPECT_EQ(draw_mirrored(true), 255);
  EXPECT_TRUE(Enabled(GL_CULL_FACE));
}

TEST_F(AttributeTest, TransparencyBlendsWithTheConstantColour) {
  if (!gExt.glBlendColorEXT || !gExt.glBlendEquation) GTEST_SKIP() << "no blend colour";
  glDepthMask(GL_FALSE);
  glDisable(GL_CULL_FACE);
  auto* transparency = new Transparency(GL_CONSTANT_COLOR, GL_ZERO);
  transparency->SetBlendColor(0.25f, 0.5f, 1.0f, 1.0f);
  EXPECT_EQ(transparency->order, 1);
  Draw({new Color(1, 1, 1, 1), transparency}, [] {
    EXPECT_TRUE(Enabled(GL_BLEND));
    EXPECT_FALSE(Enabled(GL_CULL_FACE));
    GLboolean depth_writes = GL_TRUE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depth_writes);
    EXPECT_EQ(depth_writes, GL_FALSE);
  });
  std::array<uint8_t, 3> pixel = RgbAt(150, 100);
  EXPECT_NEAR(pixel[0], 64, 1);
  EXPECT_NEAR(pixel[1], 128, 1);
  EXPECT_EQ(pixel[2], 255);
  // Afterwards depth writes and culling are on, whatever they were before.
  GLboolean depth_writes = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depth_writes);
  EXPECT_EQ(depth_writes, GL_TRUE);
  EXPECT_TRUE(Enabled(GL_CULL_FACE));
  EXPECT_FALSE(Enabled(GL_BLEND));
}

TEST_F(AttributeTest, MaskingDiscardsByAlpha) {
  Draw({new Color(1, 1, 1, 0.25f), new Masking(GL_GREATER, 0.5f)}, [] { EXPECT_TRUE(Enabled(GL_ALPHA_TEST)); });
  EXPECT_EQ(RgbAt(150, 100)[0], 0);
  EXPECT_FALSE(Enabled(GL_ALPHA_TEST));
  Draw({new Color(1, 1, 1, 0.75f), new Masking(GL_GREATER, 0.5f)});
  EXPECT_EQ(RgbAt(150, 100)[0], 255);
}

TEST_F(AttributeTest, EnvironmentMapGeneratesSphereCoordinates) {
  Draw({new Texture(), new EnvironmentMap()}, [] {
    EXPECT_TRUE(Enabled(GL_TEXTURE_GEN_S));
    EXPECT_TRUE(Enabled(GL_TEXTURE_GEN_T));
    GLint mode = 0;
    glGetTexGeniv(GL_S, GL_TEXTURE_GEN_MODE, &mode);
    EXPECT_EQ(mode, GL_SPHERE_MAP);
  });
  EXPECT_FALSE(Enabled(GL_TEXTURE_GEN_S));
  EXPECT_FALSE(Enabled(GL_TEXTURE_GEN_T));
  GLint filter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &filter);
  EXPECT_EQ(filter, GL_LINEAR);  // left set
}

TEST_F(AttributeTest, MultiTextureModulatesTwoUnits) {
  if (!gExt.glActiveTextureARB || !gExt.glClientActiveTextureARB) GTEST_SKIP() << "no multitexture";
  const GLuint yellow = Solid(255, 255, 0, 255);
  const GLuint cyan = Solid(0, 255, 255, 255);
  auto* multi = new MultiTexture();
  multi->SetTexture0(static_cast<int32_t>(yellow));
  multi->SetTexture1(static_cast<int32_t>(cyan));
  multi->SetGenerate0(false);
  Draw({multi}, [&] {
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
      gExt.glActiveTextureARB(unit);
      EXPECT_TRUE(Enabled(GL_TEXTURE_2D));
      gExt.glClientActiveTextureARB(unit);
      EXPECT_TRUE(Enabled(GL_TEXTURE_COORD_ARRAY));
    }
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
    gExt.glClientActiveTextureARB(GL_TEXTURE0_ARB);
  });
  // Yellow times cyan.
  EXPECT_EQ(RgbAt(150, 100), (std::array<uint8_t, 3>{0, 255, 0}));
  for (GLenum unit : {GL_TEXTURE1_ARB, GL_TEXTURE0_ARB}) {
    gExt.glActiveTextureARB(unit);
    EXPECT_FALSE(Enabled(GL_TEXTURE_2D));
  }
  GLint active = 0;
  glGetIntegerv(GL_ACTIVE_TEXTURE_ARB, &active);
  EXPECT_EQ(active, GL_TEXTURE0_ARB);
}

TEST_F(AttributeTest, MultiTextureDefaultsToTheMeshTextureOnBothUnits) {
  if (!gExt.glActiveTextureARB) GTEST_SKIP() << "no multitexture";
  Draw({new MultiTexture()}, [this] {
    GLint bound = 0;
    for (GLenum unit : {GL_TEXTURE0_ARB, GL_TEXTURE1_ARB}) {
      gExt.glActiveTextureARB(unit);
      glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
      EXPECT_EQ(static_cast<GLuint>(bound), mesh_->FirstTexture()->id);
    }
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
    EXPECT_TRUE(Enabled(GL_TEXTURE_GEN_S));  // unit 0 generates by default
  });
}

TEST_F(AttributeTest, CompiledColourIsSetOnceBeforeTheTriangles) {
  int begins = 0;
  int vertices = 0;
  struct Counter : Attribute {
    Counter(int* b, int* v) : Attribute(-1), begins(b), vertices(v) {}
    void BeginImmediate(GLMesh&) override { ++*begins; }
    void Vertex(GLMesh&, uint32_t) override { ++*vertices; }
    int* begins;
    int* vertices;
  };
  mesh_.reset(Triangle(300, Identity(100, 50, 0)));
  mesh_->AddAttribute(new Color(0, 0, 1, 1));
  mesh_->AddAttribute(new Counter(&begins, &vertices));
  mesh_->UseDisplayList();
  EXPECT_EQ(begins, 1);
  EXPECT_EQ(vertices, 3);
  glColor4f(1, 1, 1, 1);
  mesh_->Render(scene_);
  EXPECT_EQ(RgbAt(150, 100), (std::array<uint8_t, 3>{0, 0, 255}));
}

}  // namespace
