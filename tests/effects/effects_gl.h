// The offscreen window set up as the program sets it up, and pixel reads.
#pragma once

#include <GL/gl.h>

#include "runtime/gl_setup.h"
#include "tests/support/rgb.h"
#include "tests/support/gl_context.h"

class EffectsGLTest : public GLContextTest {
 protected:
  void SetUp() override { SetupOpenGL(640, 480); }

  static void ClearTo(float r, float g, float b) {
    glClearColor(r, g, b, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  }

  // The back buffer's pixel at window coordinates (origin lower left).
  static Rgb Pixel(int x, int y) {
    unsigned char p[3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
};
