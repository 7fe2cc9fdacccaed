// Cubemap: six pictures, or the scene rendered around the mesh, as cube faces reflected on unit 1.
#include "effects/cubemap.h"

#include <GL/glu.h>

#include <cstring>
#include <memory>
#include <string>
#include <tuple>

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

// Six one-colour pictures in the image table, all 4x4 but the fifth.
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

  // A 2 x 2 square in the y-z plane, turned `turn` degrees about y, 5 units away.
  void DrawSquare(Attribute* cubemap, float turn) {
    mesh_.reset(new GLMesh(Identity()));
    mesh_->SetGeometry({{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}}, {{0, 1, 2}, {0, 2, 3}}, {}, {});
    mesh_->AddAttribute(cubemap);
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
    return glGetIntegerv(GL_VIEWPORT, viewport.data()), viewport;
  }

  Scene scene_;
  std::unique_ptr<GLMesh> mesh_;
};

TEST_F(CubemapTest, KindAndDynamicFollowThePictures) {
  Cubemap plain(true), pictured(false, Pictures());
  EXPECT_EQ(std::tuple(plain.kind, plain.dynamic), std::tuple(kPlainColorKind, false));
  EXPECT_EQ(std::tuple(pictured.kind, pictured.dynamic, pictured.width), std::tuple(kCubemapKind, true, 4));
}

// Reflected straight back, the ray is the view's +z; unit 1's texture matrix
// turns it into the square's frame: -x for a view turned +90 degrees, +x for -90.
TEST_F(CubemapTest, ReflectsTheFaceBehindTheViewerInWorldDirectionsForTheDrawOnly) {
  DrawSquare(new Cubemap(false, Pictures()), 90);
  EXPECT_EQ(RgbAt(320, 240), Reflected(5));  // picture 6: -X
  ExpectEnabled({GL_NORMAL_ARRAY, GL_NORMALIZE}, false);
  ExpectUnitOneReset();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  DrawSquare(new Cubemap(false, Pictures()), -90);
  EXPECT_EQ(RgbAt(320, 240), Reflected(2));  // picture 3: +X
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
