// The pools' reflection mapping, checked by the pixels of a level surface
// seen low, where a sphere map tears.
#include "effects/pool_reflection.h"

#include <GL/glu.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/effects/effects_gl.h"
#include "tests/support/grid_mesh.h"
#include "tests/support/render_fixture.h"

namespace {

constexpr int kTexels = 64;
// The rows of the window that the surface covers from the camera below,
// short of its far edge and of the window's bottom.
constexpr int kLowestRow = 20, kHighestRow = 200;

// Red grows with s and green with t, so a jump in colour is a jump in the
// coordinates.
GLuint GradientTexture() {
  std::vector<uint8_t> rgba;
  for (int t = 0; t < kTexels; ++t)
    for (int s = 0; s < kTexels; ++s)
      rgba.insert(rgba.end(), {uint8_t(s * 255 / (kTexels - 1)), uint8_t(t * 255 / (kTexels - 1)), 128, 255});
  const GLuint id = TextureFromPixels(kTexels, kTexels, rgba);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  return id;
}

class PoolReflectionTest : public RenderTest {
 protected:
  void TearDown() override { glDeleteTextures(1, &picture_.id); }

  // A level 400 x 400 surface, its normals up, seen from 15 above its near
  // edge looking along it; returns the largest step in colour between
  // neighbouring pixels along the rows it covers.
  int LargestStep(Attribute* mapping) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!picture_.id) picture_.id = GradientTexture();
    auto mesh = GridMesh(40, 10, [](int, int) { return 0.0f; });
    mesh->SetGeometry(mesh->VertexArray(), mesh->Triangles(), mesh->MapCoordinates(), {&picture_});
    mesh->AddAttribute(new Texture());
    mesh->AddAttribute(mapping);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(60.0, 640.0 / 480.0, 1.0, 2000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(200, -20, 15, 200, 400, 0, 0, 0, 1);
    glColor4f(1, 1, 1, 1);
    glNormal3f(0, 0, 1);
    mesh->Render(scene_);
    const std::vector<uint8_t> screen = Screen();
    int largest = 0;
    for (int y = kLowestRow; y < kHighestRow; ++y)
      for (int x = 0; x + 1 < 640; ++x)
        for (int c = 0; c < 2; ++c)
          largest = std::max(largest, std::abs(screen[(y * 640 + x) * 4 + c] - screen[(y * 640 + x + 1) * 4 + c]));
    return largest;
  }

  Scene scene_;
  TextureRef picture_{0, nullptr};
};

TEST_F(PoolReflectionTest, ALevelSurfaceSeenLowShowsNoStreakOrSeam) {
  EXPECT_GT(LargestStep(new EnvironmentMap(nullptr)), 16) << "a sphere map tears in this view";
  EXPECT_LT(LargestStep(new PoolReflection()), 8) << "smooth along every row";
}

TEST_F(PoolReflectionTest, RestoresTheTextureMatrixAndGeneration) {
  LargestStep(new PoolReflection());
  ExpectEnabled({GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R}, false);
  const Matrix16 identity = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
  EXPECT_EQ(Matrix(GL_TEXTURE_MATRIX), identity);
  EXPECT_EQ(Integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
