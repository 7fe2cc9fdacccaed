// Helpers for attribute tests: a probe that checks GL state while a mesh is
// being drawn, one-colour textures, and GL state reads.
#pragma once

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "effects/attribute.h"

// Placed last in a list, it runs a check after every other attribute's
// set-up, while the mesh is being drawn.
class Probe : public Attribute {
 public:
  explicit Probe(std::function<void()> check) : Attribute(-1), check_(std::move(check)) {}
  void BeginArrays(Scene&, GLMesh&) override { check_(); }
  void BeginImmediate(GLMesh&) override { check_(); }

 private:
  std::function<void()> check_;
};

inline bool Enabled(GLenum capability) { return glIsEnabled(capability) == GL_TRUE; }

inline GLint Integer(GLenum name) {
  GLint value = 0;
  glGetIntegerv(name, &value);
  return value;
}

// The active unit's texture matrix is the identity.
inline void ExpectIdentityTextureMatrix() {
  float m[16];
  glGetFloatv(GL_TEXTURE_MATRIX, m);
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

// The blend function of ProjectiveTexture and Cubemap, set during the draw
// and left set after it.
inline void ExpectAdditiveBlendFunction() {
  EXPECT_EQ(Integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(Integer(GL_BLEND_DST), GL_ONE);
}

// A 2D texture from RGBA rows, nearest filtering.
inline GLuint TextureFromPixels(int width, int height, const std::vector<uint8_t>& rgba) {
  GLuint id = 0;
  glGenTextures(1, &id);
  glBindTexture(GL_TEXTURE_2D, id);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  return id;
}

// A 1 x 1 texture of one colour.
inline GLuint SolidTexture(uint8_t r, uint8_t g, uint8_t b, uint8_t a = 255) {
  return TextureFromPixels(1, 1, {r, g, b, a});
}
