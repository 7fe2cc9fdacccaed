// Loading a picture's texture and drawing it as a textured rectangle in window pixels.
#include "effects/bitmap.h"

#include "runtime/extensions.h"
#include "scene/window_space.h"
#include "textures/texture_manager.h"

BitmapBase::BitmapBase() : texture_(GetTexture("default", "default")) {}

void BitmapBase::Load(const std::string& texture_name, const std::string& file_name) {
  SetTexture(GetTexture(texture_name, file_name));
}

void BitmapBase::SetTexture(TextureRef* texture) {
  if (texture) texture_ = texture;
}

const vec<float, 4>& BitmapBase::SetColour(float red, float green, float blue, float alpha) {
  return colour_ = vec<float, 4>(red, green, blue, alpha);
}

void BitmapBase::SetBlendFactors(GLenum source, GLenum destination) {
  blend_source_ = source;
  blend_destination_ = destination;
}

void BitmapBase::SetAlphaTest(bool on, GLenum function, float reference) {
  alpha_test_ = on;
  alpha_function_ = function;
  alpha_reference_ = reference;
}

void BitmapBase::Begin2D() const {
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  PushWindowMatrices();
  glColor4f(colour_[0], colour_[1], colour_[2], colour_[3]);
  glDisable(GL_CULL_FACE);
}

void BitmapBase::End2D() const {
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  PopWindowMatrices();
  glEnable(GL_CULL_FACE);
}

void BitmapBase::DrawTextured(vec2f centre, const vec2f corners[4], float angle, float opacity) const {
  glPushMatrix();
  if (alpha_test_) {
    glAlphaFunc(alpha_function_, alpha_reference_);
    glEnable(GL_ALPHA_TEST);
  }
  glTranslatef(centre[0], kWindowHeight - centre[1], 0.0f);
  glRotatef(angle, 0.0f, 0.0f, -1.0f);
  // Without the blend colour the picture is drawn opaque.
  const bool blend = blending_ && gExt.glBlendColorEXT;
  if (blend) {
    glBlendFunc(blend_source_, blend_destination_);
    gExt.glBlendColorEXT(0.0f, 0.0f, 0.0f, opacity);
    glEnable(GL_BLEND);
  }
  glBindTexture(GL_TEXTURE_2D, texture_->id);
  static constexpr float kTexCoords[4][2] = {{0, 1}, {1, 1}, {1, 0}, {0, 0}};
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2f(kTexCoords[i][0], kTexCoords[i][1]);
    glVertex2f(corners[i][0], corners[i][1]);
  }
  glEnd();
  if (blend) glDisable(GL_BLEND);
  if (alpha_test_) glDisable(GL_ALPHA_TEST);
  glPopMatrix();
}

void Bitmap::Draw(vec2f position, vec2f size, float angle, float opacity) const {
  const float hx = size[0] * 0.5f * scale_[0];
  const float hy = size[1] * 0.5f * scale_[1];
  const vec2f corners[4] = {vec2f(-hx, -hy), vec2f(hx, -hy), vec2f(hx, hy), vec2f(-hx, hy)};
  DrawTextured(position, corners, angle, opacity);
}

void Bitmap::DrawQuad(vec2f c1, vec2f c2, vec2f c3, vec2f c4, float angle, float opacity) const {
  const vec2f centre = (c1 + c2 + c3 + c4) * 0.25f;
  const vec2f corners[4] = {c1 - centre, c2 - centre, c3 - centre, c4 - centre};
  DrawTextured(centre, corners, angle, opacity);
}

void DrawFullScreen(const Bitmap& picture, float opacity) {
  const float w = kWindowWidth, h = kWindowHeight;
  picture.Begin2D();
  picture.DrawQuad(vec2f(0, 0), vec2f(w, 0), vec2f(w, h), vec2f(0, h), 0.0f, opacity);
  picture.End2D();
}
