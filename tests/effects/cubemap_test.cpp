// Cubemap: six pictures as the faces of a cube map reflected on unit 1, or
// the faces rendered around the mesh.
#include "effects/cubemap.h"

#include <GL/glu.h>

#include <cstring>
#include <memory>
#include <string>

#include "runtime/extensions.h"
#include "scene/scene.h"
#include "tests/effects/effects_gl.h"
#include "tests/support/render_fixture.h"
#include "textures/texture_manager.h"

namespace {

// Picture i's colour, and white darkened by it (GL_BLEND with the black
// environment colour gives colour x (1 - texel)).
constexpr Rgb3 kColours[6] = {{255, 0, 0}, {255, 255, 0}, {0, 255, 0}, {0, 255, 255}, {255, 0, 255}, {0, 0, 255}};
Rgb3 Reflected(int picture) {
  const Rgb3& c = kColours[picture];
  return {static_cast<uint8_t>(255 - c[0]), static_cast<uint8_t>(255 - c[1]), static_cast<uint8_t>(255 - c[2])};
}

// Six one-colour pictures entered in the image table as if loaded, all 4x4
// but the fifth.
std::array<std::string, 6> Pictures(int fifth_size = 4) {
  std::array<std::string, 6> names;
  for (int i = 0; i < 6; ++i) {
    const int size = i == 4 ? fifth_size : 4;
    names[i] = "cube" + std::to_string(i + 1) + "_" + std::to_string(size) + ".png";
    auto* image = new TextureImage{size, size, new uint8_t[size * size * 4], new char[names[i].size() + 1]};
    for (int p = 0; p < size * size; ++p) {
      std::memcpy(image->pixels + 4 * p, kColours[i].data(), 3);
      image->pixels[4 * p + 3] = 255;
    }
    std::memcpy(image->name, names[i].c_str(), names[i].size() + 1);
    Images()[names[i]] = image;
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

  // Each face's colour, in the order given.
  static void ExpectFaces(GLuint texture, const std::array<GLenum, 6>& faces) {
    glBindTexture(GL_TEXTURE_CUBE_MAP, texture);
    std::vector<uint8_t> pixels(4 * 4 * 4);
    for (int i = 0; i < 6; ++i) {
      glGetTexImage(faces[i], 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
      EXPECT_EQ((Rgb3{pixels[20], pixels[21], pixels[22]}), kColours[i]) << i;
    }
  }

  static std::array<GLint, 4> Viewport() {
    std::array<GLint, 4> viewport;
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    return viewport;
  }

  Scene scene_;
  std::unique_ptr<GLMesh> mesh_;
};

const std::initializer_list<GLenum> kUnitOneState = {GL_TEXTURE_CUBE_MAP, GL_TEXTURE_2D, GL_TEXTURE_GEN_S,
                                                     GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R};

TEST_F(CubemapTest, KindAndDynamicFollowThePictures) {
  Cubemap plain(true);
  EXPECT_EQ(plain.kind, kPlainColorKind);
  EXPECT_FALSE(plain.dynamic);
  Cubemap pictured(false, Pictures());
  EXPECT_EQ(pictured.kind, kCubemapKind);
  EXPECT_TRUE(pictured.dynamic);
  EXPECT_EQ(pictured.width, 4);
  EXPECT_EQ(pictured.faces[0]->image->name, std::string("cube1_4.png"));
}

// Reflected straight back at the viewer, the ray points along the view's +z;
// the texture matrix turns it back into the square's frame, where it is -x
// for a view turned by +90 degrees and +x for -90.
TEST_F(CubemapTest, ReflectsTheFaceBehindTheViewerInWorldDirections) {
  DrawSquare(new Cubemap(false, Pictures()), 90);
  EXPECT_EQ(RgbAt(320, 240), Reflected(5));  // picture 6: -X
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawSquare(new Cubemap(false, Pictures()), -90);
  EXPECT_EQ(RgbAt(320, 240), Reflected(2));  // picture 3: +X
}

// During the draw unit 1's texture matrix is the inverse (the transpose) of
// the model-view's rotation; afterwards unit 1 is off and reset.
TEST_F(CubemapTest, SetsUpUnitOneForTheDrawOnly) {
  auto* cubemap = new Cubemap(false, Pictures());
  DrawSquare(cubemap, 90, [cubemap] {
    ExpectEnabled({GL_NORMAL_ARRAY, GL_NORMALIZE}, true);
    const Matrix16 model_view = Matrix(GL_MODELVIEW_MATRIX);
    gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
    ExpectEnabled(kUnitOneState, true);
    EXPECT_EQ(static_cast<GLuint>(Integer(GL_TEXTURE_BINDING_CUBE_MAP)), cubemap->TextureName());
    const Matrix16 texture = Matrix(GL_TEXTURE_MATRIX);
    for (int r = 0; r < 4; ++r)
      for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(texture[4 * c + r], r < 3 && c < 3 ? model_view[4 * r + c] : (r == c ? 1.0f : 0.0f), 1e-6f);
    gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  });
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  ExpectEnabled({GL_NORMAL_ARRAY, GL_NORMALIZE}, false);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  ExpectEnabled(kUnitOneState, false);
  ExpectIdentityTextureMatrix();
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  ExpectAdditiveBlendFunction();  // left set
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(CubemapTest, UploadsEachPictureToItsFace) {
  Cubemap cubemap(false, Pictures());
  cubemap.Update(scene_, *std::unique_ptr<GLMesh>(Triangle(1)));
  ExpectFaces(cubemap.TextureName(),
              {GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_POSITIVE_X,
               GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_X});
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
  int renderings = 0;  // by a scene object that only watches
  auto* watcher = new GLMesh(Identity());
  watcher->AddAttribute(new Probe([&] {
    ++renderings;
    EXPECT_FALSE(mesh->IsVisible());
    EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 4, 4}));
  }));
  scene_.AddObject(watcher);
  scene_.BuildRenderList(false);
  const Matrix16 projection = Matrix(GL_PROJECTION_MATRIX), model_view = Matrix(GL_MODELVIEW_MATRIX);
  Cubemap cubemap(true, Pictures());
  cubemap.Update(scene_, *mesh);
  EXPECT_EQ(renderings, 6);
  EXPECT_TRUE(mesh->IsVisible());
  EXPECT_FALSE(scene_.HasBackground());
  // Face i of the turning camera goes to its face of the cube.
  ExpectFaces(cubemap.TextureName(),
              {GL_TEXTURE_CUBE_MAP_NEGATIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Z,
               GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y});
  EXPECT_EQ(Viewport(), (std::array<GLint, 4>{0, 0, 640, 480}));
  EXPECT_EQ(Matrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(Matrix(GL_MODELVIEW_MATRIX), model_view);
  EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
}

}  // namespace
