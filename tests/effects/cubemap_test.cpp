// Cubemap: six pictures as the faces of a cube map reflected on unit 1, or
// the faces rendered around the mesh; GL state during and after the draw.
#include "effects/cubemap.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <memory>
#include <string>

#include "runtime/extensions.h"
#include "scene/scene.h"
#include "tests/effects/attribute_probe.h"
#include "tests/support/render_fixture.h"
#include "textures/texture_manager.h"

namespace {

using Rgb3 = std::array<uint8_t, 3>;

// Picture i's colour, and white darkened by it (GL_BLEND with the black
// environment colour gives colour x (1 - texel)).
constexpr Rgb3 kColours[6] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {255, 0, 255}, {0, 0, 255}};
Rgb3 Reflected(int picture) {
  const Rgb3& c = kColours[picture];
  return {static_cast<uint8_t>(255 - c[0]), static_cast<uint8_t>(255 - c[1]), static_cast<uint8_t>(255 - c[2])};
}

// Enters a picture of one colour in the image table, as if loaded.
std::string AddPicture(const std::string& name, int size, const Rgb3& colour) {
  auto* image = new TextureImage{size, size, new uint8_t[size * size * 4], new char[name.size() + 1]};
  for (int i = 0; i < size * size; ++i) {
    std::memcpy(image->pixels + 4 * i, colour.data(), 3);
    image->pixels[4 * i + 3] = 255;
  }
  std::memcpy(image->name, name.c_str(), name.size() + 1);
  Images()[name] = image;
  return name;
}

std::array<std::string, 6> Pictures(int fifth_size = 4) {
  std::array<std::string, 6> names;
  for (int i = 0; i < 6; ++i) {
    const int size = i == 4 ? fifth_size : 4;
    names[i] = AddPicture("cube" + std::to_string(i + 1) + "_" + std::to_string(size) + ".png", size, kColours[i]);
  }
  return names;
}

class CubemapTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    if (!gExt.glActiveTextureARB) GTEST_SKIP() << "no multitexture";
    glDisable(GL_CULL_FACE);
    glColor4f(1, 1, 1, 1);
  }

  // A 2 x 2 square in the y-z plane at the origin; the view turns it by
  // `turn` degrees about y to face the viewer 5 units away.
  void DrawSquare(Attribute* cubemap, float turn, std::function<void()> during = [] {}) {
    mesh_.reset(new GLMesh(Identity()));
    mesh_->SetGeometry({{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}}, {{0, 1, 2}, {0, 2, 3}}, {}, {});
    mesh_->AddAttribute(cubemap);
    mesh_->AddAttribute(new Probe(std::move(during)));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 640.0 / 480.0, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0, 0, -5);
    glRotatef(turn, 0, 1, 0);
    mesh_->Update(scene_);
    mesh_->Render(scene_);
  }

  static Rgb3 FacePixel(GLuint texture, GLenum face) {
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    std::vector<uint8_t> pixels(4 * 4 * 4);
    glGetTexImage(face, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return {pixels[20], pixels[21], pixels[22]};
  }

  Scene scene_;
  std::unique_ptr<GLMesh> mesh_;
};

TEST_F(CubemapTest, KindAndDynamicFollowThePictures) {
  Cubemap plain(true);
  EXPECT_EQ(plain.kind, kPlainColorKind);
  EXPECT_FALSE(plain.dynamic);
  EXPECT_EQ(plain.width, 256);
  EXPECT_EQ(plain.pixels.size(), 256u * 256u * 4u);
  Cubemap pictured(false, Pictures());
  EXPECT_EQ(pictured.kind, kCubemapKind);
  EXPECT_TRUE(pictured.dynamic);
  EXPECT_EQ(pictured.width, 4);
  EXPECT_EQ(pictured.height, 4);
  EXPECT_EQ(pictured.pixels.size(), 4u * 4u * 4u);
  EXPECT_EQ(pictured.faces[0]->image->name, std::string("cube1_4.png"));
}

TEST_F(CubemapTest, ReflectsTheFaceBehindTheViewerInWorldDirections) {
  // Reflected straight back at the viewer, the ray points along the view's
  // +z; the texture matrix turns it back into the square's frame, where it
  // is -x for a view turned by +90 degrees and +x for -90.
  DrawSquare(new Cubemap(false, Pictures()), 90);
  EXPECT_EQ(RgbAt(320, 240), Reflected(5));  // picture 6: -X
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawSquare(new Cubemap(false, Pictures()), -90);
  EXPECT_EQ(RgbAt(320, 240), Reflected(2));  // picture 3: +X
}

TEST_F(CubemapTest, SetsUpUnitOneDuringTheDraw) {
  auto* cubemap = new Cubemap(false, Pictures());
  DrawSquare(cubemap, 90, [cubemap] {
    EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
    EXPECT_TRUE(Enabled(GL_NORMAL_ARRAY));
    EXPECT_TRUE(Enabled(GL_NORMALIZE));
    ExpectAdditiveBlendFunction();
    float model_view[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, model_view);

    gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
    for (GLenum capability : {GL_TEXTURE_CUBE_MAP, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R})
      EXPECT_TRUE(Enabled(capability));
    EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_CUBE_MAP)), cubemap->TextureName());
    GLint value = 0;
    for (GLenum coordinate : {GL_S, GL_T, GL_R}) {
      glGetTexGeniv(coordinate, GL_TEXTURE_GEN_MODE, &value);
      EXPECT_EQ(value, GL_REFLECTION_MAP);
    }
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &value);
    EXPECT_EQ(value, GL_BLEND);
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    // The texture matrix holds the inverse (the transpose) of the
    // model-view's rotation, over the identity it replaced.
    float texture[16];
    glGetFloatv(GL_TEXTURE_MATRIX, texture);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c) {
        const float expected = r < 3 && c < 3 ? model_view[4 * r + c] : (r == c ? 1.0f : 0.0f);
        EXPECT_NEAR(texture[4 * c + r], expected, 1e-6f) << r << "," << c;
      }
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  });
}

TEST_F(CubemapTest, SwitchesUnitOneOffAfterTheDraw) {
  DrawSquare(new Cubemap(false, Pictures()), 90);
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  EXPECT_FALSE(Enabled(GL_NORMAL_ARRAY));
  EXPECT_FALSE(Enabled(GL_NORMALIZE));
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  for (GLenum capability : {GL_TEXTURE_CUBE_MAP, GL_TEXTURE_2D, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R})
    EXPECT_FALSE(Enabled(capability));
  ExpectIdentityTextureMatrix();
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  ExpectAdditiveBlendFunction();  // left set
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CubemapTest, UploadsEachPictureToItsFace) {
  Cubemap cubemap(false, Pictures());
  cubemap.Update(scene_, *std::unique_ptr<GLMesh>(Triangle(1)));
  const GLenum faces[6] = {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_POSITIVE_Y,
                           GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z,
                           GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_X};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(FacePixel(cubemap.TextureName(), faces[i]), kColours[i]) << i;
}

TEST_F(CubemapTest, APictureOfAnotherSizeLeavesItsFaceEmpty) {
  testing::internal::CaptureStdout();
  Cubemap cubemap(false, Pictures(8));
  EXPECT_EQ(testing::internal::GetCapturedStdout(),
            "Cubemap: 'cube5_8.png' is 8x8, not 4x4 like the first picture: face left empty\n");
  cubemap.Update(scene_, *std::unique_ptr<GLMesh>(Triangle(1)));
  glBindTexture(GL_TEXTURE_CUBE_MAP, cubemap.TextureName());
  GLint width = -1;
  glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 0);
  glGetTexLevelParameteriv(GL_TEXTURE_CUBE_MAP_NEGATIVE_X, 0, GL_TEXTURE_WIDTH, &width);
  EXPECT_EQ(width, 4);
}

TEST_F(CubemapTest, DynamicFacesRenderTheSceneWithPictureBackgrounds) {
  std::unique_ptr<GLMesh> mesh(Triangle(1, Identity(1, 2, 3)));
  // A scene object that only watches the six renderings.
  int renderings = 0;
  auto* watcher = new GLMesh(Identity());
  watcher->AddAttribute(new Probe([&] {
    ++renderings;
    EXPECT_FALSE(mesh->IsVisible());
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 4);
    EXPECT_EQ(viewport[3], 4);
  }));
  scene_.AddObject(watcher);
  scene_.BuildRenderList(false);
  float projection[16], model_view[16];
  glGetFloatv(GL_PROJECTION_MATRIX, projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, model_view);

  Cubemap cubemap(true, Pictures());
  cubemap.Update(scene_, *mesh);

  EXPECT_EQ(renderings, 6);
  EXPECT_TRUE(mesh->IsVisible());
  EXPECT_FALSE(scene_.HasBackground());
  // Face i of the turning camera goes to its face of the cube.
  const GLenum faces[6] = {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_X,
                           GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_POSITIVE_X,
                           GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(FacePixel(cubemap.TextureName(), faces[i]), kColours[i]) << i;
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 640);
  EXPECT_EQ(viewport[3], 480);
  float after[16];
  glGetFloatv(GL_PROJECTION_MATRIX, after);
  EXPECT_EQ(std::memcmp(after, projection, sizeof after), 0);
  glGetFloatv(GL_MODELVIEW_MATRIX, after);
  EXPECT_EQ(std::memcmp(after, model_view, sizeof after), 0);
  EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
}

}  // namespace
