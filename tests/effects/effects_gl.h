// Effect tests: the window as the program sets it up, pixel and GL state
// reads, one-colour textures, and a probe that runs mid-draw.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

#include "runtime/extensions.h"
#include "runtime/gl_setup.h"
#include "runtime/window.h"
#include "scene/attribute.h"
#include "tests/support/gl_context.h"
#include "tests/support/rgb.h"

using Rgb3 = std::array<uint8_t, 3>;
using Matrix16 = std::array<float, 16>;

class EffectsGLTest : public GLContextTest {
 protected:
  void SetUp() override { SetupOpenGL(kWindowWidth, kWindowHeight); }
  static void ClearTo(float r, float g, float b) {
    glClearColor(r, g, b, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  }
  // The back buffer's pixel, origin lower left.
  static Rgb Pixel(int x, int y) {
    unsigned char p[3];
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
  }
  struct At {
    int x, y;
    Rgb colour;
  };
  static void ExpectPixels(std::initializer_list<At> table) {
    for (const At& at : table) EXPECT_EQ(Pixel(at.x, at.y), at.colour) << "at " << at.x << "," << at.y;
  }
};

// Added last, it runs after every other attribute's set-up, mid-draw.
class Probe : public Attribute {
 public:
  explicit Probe(std::function<void()> check) : Attribute(-1), check_(std::move(check)) {}
  void BeginArrays(Scene&, GLMesh&) override { check_(); }
  void BeginImmediate(GLMesh&) override { check_(); }

 private:
  std::function<void()> check_;
};

inline bool Enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }
inline void ExpectEnabled(std::initializer_list<GLenum> capabilities, bool on) {
  for (GLenum c : capabilities) EXPECT_EQ(Enabled(c), on) << "capability 0x" << std::hex << c;
}
inline GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}
inline Matrix16 Matrix(GLenum name) {
  Matrix16 m;
  glGetFloatv(name, m.data());
  return m;
}

// Unit 1 of ProjectiveTexture and Cubemap after the draw: off, identity
// texture matrix, additive blend function left set, no GL error.
inline void ExpectUnitOneReset() {
  EXPECT_EQ(Integer(GL_ACTIVE_TEXTURE_ARB), GL_TEXTURE0_ARB);
  gExt.glActiveTextureARB(GL_TEXTURE1_ARB);
  ExpectEnabled({GL_TEXTURE_2D, GL_TEXTURE_CUBE_MAP, GL_TEXTURE_GEN_S, GL_TEXTURE_GEN_T, GL_TEXTURE_GEN_R,
                 GL_TEXTURE_GEN_Q},
                false);
  EXPECT_EQ(Matrix(GL_TEXTURE_MATRIX), (Matrix16{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}));
  gExt.glActiveTextureARB(GL_TEXTURE0_ARB);
  EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

inline GLuint TextureFromPixels(int width, int height, const std::vector<uint8_t>& rgba) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return id;
}
inline GLuint SolidTexture(uint8_t r, uint8_t g, uint8_t b) { return TextureFromPixels(1, 1, {r, g, b, 255}); }
