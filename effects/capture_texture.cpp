// Creating the frame-sized capture texture and copying the frame into it.
#include "effects/capture_texture.h"

#include <cstddef>
#include <vector>

#include "runtime/extensions.h"
#include "scene/window_space.h"

int CaptureTextureSide(int pixels) {
  int side = 1;
  while (side < pixels) side *= 2;
  return side;
}

void CaptureTexture::Create(const PictureArea& picture) {
  if (created_ || !gExt.glBlendColorEXT) return;
  picture_ = picture;
  const int texture_width = CaptureTextureSide(picture.width), texture_height = CaptureTextureSide(picture.height);
  right_ = static_cast<float>(picture.width) / texture_width;  // 0.625 for 640 in 1024
  top_ = static_cast<float>(picture.height) / texture_height;  // 0.9375 for 480 in 512
  // The first draw only captures, so the initial texels are never shown.
  std::vector<unsigned char> scratch(static_cast<std::size_t>(texture_width) * texture_height * 4);
  glGenTextures(1, &name_);
  glBindTexture(GL_TEXTURE_2D, name_);
  glTexImage2D(GL_TEXTURE_2D, 0, internal_format_, texture_width, texture_height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               scratch.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  created_ = true;
}

bool CaptureTexture::Ready() const { return created_ && gExt.glBlendColorEXT; }

void CaptureTexture::Capture() const {
  if (!Ready()) return;
  glBindTexture(GL_TEXTURE_2D, name_);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, picture_.x, picture_.y, picture_.width, picture_.height);
}

void CaptureTexture::DrawOverWindow(float alpha) const {
  if (!Ready()) return;
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  BlendWithConstantAlpha(alpha);
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  PushWindowMatrices();
  glBindTexture(GL_TEXTURE_2D, name_);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(0.0f, 0.0f);
  glTexCoord2f(right_, 0.0f);
  glVertex2f(kWindowWidth, 0.0f);
  glTexCoord2f(right_, top_);
  glVertex2f(kWindowWidth, kWindowHeight);
  glTexCoord2f(0.0f, top_);
  glVertex2f(0.0f, kWindowHeight);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  PopWindowMatrices();
  glDisable(GL_BLEND);
}
