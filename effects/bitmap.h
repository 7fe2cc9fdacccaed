// Textured rectangles in the pixels of the 640x480 window (y down from the
// top): the full-screen pictures of the show.
#pragma once

#include <GL/gl.h>

#include <string>

#include "maths/vec.h"

struct TextureRef;

using vec2f = vec<float, 2>;

class BitmapBase {
 public:
  // Binds the texture with the shared texture manager; ignored when null.
  void Load(const std::string& texture_name, const std::string& file_name);
  void SetTexture(TextureRef* texture);
  TextureRef* Texture() const { return texture_; }

  void SetSize(float width, float height) { size_ = vec2f(width, height); }
  void SetScale(float x, float y) { scale_ = vec2f(x, y); }
  const vec<float, 4>& SetColour(float red, float green, float blue, float alpha);
  // Degrees, clockwise on the screen.
  void SetAngle(float degrees) { angle_ = degrees; }
  float AddAngle(float degrees) { return angle_ += degrees; }
  void SetOpacity(float opacity) { opacity_ = opacity; }
  void SetBlendFactors(GLenum source, GLenum destination);
  // Texels that fail `function` against `reference` are discarded.
  void SetAlphaTest(bool on, GLenum function, float reference);

  // Window projection, texturing on, depth test and culling off, the colour
  // current. Draw between Begin2D and End2D.
  void Begin2D() const;
  void End2D() const;

 protected:
  BitmapBase();
  // Draws the texture over the four corners (window pixels, relative to the
  // centre) about `centre`, turned by `angle` and blended by `opacity`.
  void DrawTextured(vec2f centre, const vec2f corners[4], float angle, float opacity) const;

  vec2f size_{0.0f, 0.0f};
  vec2f scale_{1.0f, 1.0f};
  vec<float, 4> colour_{1.0f, 1.0f, 1.0f, 1.0f};
  float angle_ = 0.0f;
  float opacity_ = 0.5f;
  GLenum blend_source_ = GL_CONSTANT_ALPHA;
  GLenum blend_destination_ = GL_ONE_MINUS_CONSTANT_ALPHA;
  bool blending_ = true;
  bool alpha_test_ = false;
  GLenum alpha_function_ = GL_NOTEQUAL;
  float alpha_reference_ = 0.0f;
  TextureRef* texture_;
};

class Bitmap : public BitmapBase {
 public:
  // Shows the shared manager's "default" texture until loaded.
  Bitmap() = default;

  void SetPosition(vec2f position) { position_ = position; }
  void SetPosition(float x, float y) { position_ = vec2f(x, y); }

  // The size (times the scale) centred on the position; the bitmap's own
  // values stand in for those left out.
  void Draw(vec2f position, vec2f size, float angle, float opacity) const;
  void Draw(vec2f position, vec2f size, float angle) const { Draw(position, size, angle, opacity_); }
  void Draw(vec2f position, vec2f size) const { Draw(position, size, angle_, opacity_); }
  void Draw(vec2f position) const { Draw(position, size_, angle_, opacity_); }
  void Draw() const { Draw(position_, size_, angle_, opacity_); }

  // The picture over four corners, turned about their centre: with (0, 0),
  // (640, 0), (640, 480), (0, 480) it covers the window upright.
  void DrawQuad(vec2f c1, vec2f c2, vec2f c3, vec2f c4, float angle, float opacity) const;
  void DrawQuad(vec2f c1, vec2f c2, vec2f c3, vec2f c4, float angle) const {
    DrawQuad(c1, c2, c3, c4, angle, opacity_);
  }
  void DrawQuad(vec2f c1, vec2f c2, vec2f c3, vec2f c4) const { DrawQuad(c1, c2, c3, c4, angle_, opacity_); }

 private:
  vec2f position_{0.0f, 0.0f};
};

// Draws the picture over the whole window, upright, blended by `opacity`.
void DrawFullScreen(const Bitmap& picture, float opacity);
