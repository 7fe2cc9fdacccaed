// Foliage as the nature parts dress it, drawn from the show's data and read
// back from a real GL context: leaf cards cut out at every distance, and
// crowns lit as solid crowns.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "archive/afile.h"
#include "archive/demo_data.h"
#include "effects/fog.h"
#include "parts/scene_dressing.h"
#include "parts/tree_planting.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "scene/basic_attributes.h"
#include "scene/scene.h"
#include "tests/support/gl_context.h"

namespace {

class FoliageTest : public GLContextTest {
 protected:
  static void SetUpTestSuite() {
    GLContextTest::SetUpTestSuite();
    SetupOpenGL(kWindowWidth, kWindowHeight);
  }

  void SetUp() override {
    FreeArchives(gArchives);
    OpenDemoData(DEMO_DATA_FILE);
  }
};

// One leaf card as the trees grow them (the right half of "puutex2.jpg"),
// cut out as the parts dress it, drawn square in window pixels from near to
// far over blue: its middle is mostly spray at every size, and along its
// sides and far end (the near end holds the twig) nothing shows, neither
// the card's frame nor bark from the texture's other half.
TEST_F(FoliageTest, ALeafCardShowsItsSprayAndNoEdgeAtEveryDistance) {
  Scene scene;
  TextureRef* leaves = scene.Textures().GetTexture("Puutex", "puutex2.jpg");
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();  // a camera rebuilds its projection only when its field of view changes
  glLoadIdentity();
  glOrtho(0, 640, 0, 480, -100, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisable(GL_FOG);
  glDisable(GL_LIGHTING);
  for (int size : {256, 96, 40, 20}) {
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    GLMesh card(PathLocation(vec3f(8.0f, 8.0f, 0.0f), vec3f(8.0f, 8.0f, -1.0f), vec3f(0.0f, 1.0f, 0.0f)));
    const float s = float(size);
    card.SetGeometry({{0, s, 0}, {s, s, 0}, {s, 0, 0}, {0, 0, 0}}, {{0, 2, 1}, {0, 3, 2}},
                     {{0.5f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.5f, 1.0f}}, {leaves});
    card.AddAttribute(new Texture());
    DressCutOut(card);
    card.Render(scene);
    std::vector<uint8_t> rgb(size_t(size) * size * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(8, 8, size, size, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    auto shown = [&](int x, int y) {
      const uint8_t* p = &rgb[(size_t(y) * size + x) * 3];
      return !(p[0] == 0 && p[1] == 0 && p[2] == 255);
    };
    const int strip = std::max(1, size / 16);
    int edge = 0, middle = 0;
    for (int y = 0; y < size; ++y)
      for (int x = 0; x < size; ++x) {
        if (x < strip || x >= size - strip || y >= size - strip) edge += shown(x, y);
        if (std::abs(2 * x - size) < size / 4 && std::abs(2 * y - size) < size / 4) middle += shown(x, y);
      }
    EXPECT_EQ(edge, 0) << "card of " << size << " pixels";
    EXPECT_GT(middle, size * size / 16 / 2) << "card of " << size << " pixels";
  }
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

// A planted tree seen from the same place with a white light high in front
// of it and then high behind it, as the evening sun stands: lit leaves (bright green pixels) fill its crown in
// front and only its rim from behind, as a solid crown would, instead of
// each card lit alike from both sides.
TEST_F(FoliageTest, ACrownLitFromBehindIsDarkerThanOneLitFromTheFront) {
  constexpr int kLitLeaf = 48;  // green level of a leaf in the light
  const TreeKind kind{{1.2f, 2.3f, 0.56f, 0.016f, 4}, 0.6f, 2.6f};
  auto crown = [&](float light_y) {
    Scene scene;
    auto* placeholder = new GLMesh(PathLocation(vec3f(0.0f), vec3f(0, 0, -1), vec3f(0, 1, 0)));
    placeholder->SetName("tree");
    placeholder->SetGeometry({vec3f(0.0f), vec3f(1, 0, 0), vec3f(0, 1, 0)}, {{0, 1, 2}}, {{0, 0}, {0, 0}, {0, 0}},
                             {nullptr});
    placeholder->AddAttribute(new Texture());
    placeholder->AddAttribute(new Lighting());
    scene.AddObject(placeholder);
    PlantTrees(scene, "no terrain", {{"tree", &kind, 60.0f, vec3f(0.0f), 1.0f, 4, 13}});
    scene.AddLight(new Light(PathLocation(vec3f(0.0f, light_y, 3000.0f)), vec3f(0.1f), vec3f(1.0f), vec3f(0.0f),
                             vec3f(1, 0, 0), false));
    scene.SetScale(0.02f);
    scene.BuildRenderList(false);
    scene.Cameras()[0]->Position() = vec3f(0, -1000, 350);
    scene.Cameras()[0]->LookAt(vec3f(0, 0, 350), 0);
    scene.SetCamera(0);
    gFog.Disable();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    scene.Clear(false);
    scene.UpdateObjects();
    scene.BeginCamera();
    scene.RenderScene();
    scene.EndCamera();
    std::vector<uint8_t> rgb(640 * 480 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 640, 480, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    int lit = 0;
    for (size_t i = 0; i < rgb.size(); i += 3) lit += rgb[i + 1] > kLitLeaf && rgb[i + 1] > rgb[i];
    return lit;
  };
  const int from_front = crown(-5000.0f);
  EXPECT_GT(from_front, 640 * 480 / 200) << "the crown fills part of the view";
  EXPECT_LT(crown(5000.0f), from_front / 3);
}

}  // namespace
