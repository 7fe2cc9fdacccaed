// Offscreen GL tests that draw and read pixels back: the show's initial GL
// state, a pixel-exact orthographic view and small meshes.
#pragma once

#include <GL/gl.h>

#include <array>
#include <cstdint>
#include <vector>

#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "scene/gl_mesh.h"
#include "tests/support/gl_context.h"

using Rgba = std::array<uint8_t, 4>;

class RenderTest : public GLContextTest {
 protected:
  void SetUp() override {
    SetupOpenGL(kWindowWidth, kWindowHeight);
    PixelView();
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  }

  // One unit per pixel, origin at the lower left, depth -100 to 100.
  static void PixelView() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 640, 0, 480, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
  }


 public:
  // Window coordinates, from the lower left.
  static Rgba PixelAt(int x, int y) {
    Rgba p;
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p.data());
    return p;
  }

  // Colour without alpha, which the window may not keep.
  static std::array<uint8_t, 3> RgbAt(int x, int y) {
    Rgba p = PixelAt(x, y);
    return {p[0], p[1], p[2]};
  }

  static std::vector<uint8_t> Screen() {
    std::vector<uint8_t> pixels(640 * 480 * 4);
    glReadPixels(0, 0, 640, 480, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
  }

  // Unturned: looking along -z with y up.
  static PathLocation Identity(float x = 0, float y = 0, float z = 0) {
    return PathLocation(vec<float, 3>(x, y, z), vec<float, 3>(x, y, z - 1), vec<float, 3>(0.0f, 1.0f, 0.0f));
  }

  // A counter-clockwise right triangle with legs of the given size at the
  // origin, map coordinates (0,0), (1,0), (0,1).
  static GLMesh* Triangle(float size, const PathLocation& at = Identity()) {
    auto* mesh = new GLMesh(at);
    mesh->SetGeometry({{0.0f, 0.0f, 0.0f}, {size, 0.0f, 0.0f}, {0.0f, size, 0.0f}}, {{0, 1, 2}},
                      {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}}, {mesh->FirstTexture()});
    return mesh;
  }
};
