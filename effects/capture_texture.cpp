// Creating the frame-sized capture texture and copying the frame into it.
#include "effects/capture_texture.h"

#include <cstddef>
#include <vector>

#include "runtime/extensions.h"
#include "scene/window_space.h"

namespace {
constexpr int kTextureWidth = 1024;
constexpr int kTextureHeight = 512;
constexpr float kFrameRight = float(kWindowWidth) / kTextureWidth;   // 0.625
constexpr float kFrameTop = float(kWindowHeight) / kTextureHeight;   // 0.9375
}  // namespace

void CaptureTexture::Create() {
  if (created_ || !gExt.glBlendColorEXT) return;
  // The first draw only captures, so the initial texels are never shown.
  std::vector<unsigned char> scratch(static_cast<std::size_t>(kTextureWidth) * kTextureHeight * 4);
  glGenTextures(1, &name_);
  glBindTexture(GL_TEXTURE_2D, name_);
  glTexImage2D(GL_TEXTURE_2D, 0, internal_format_, kTextureWidth, kTextureHeight, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               scratch.data());
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  created_ = true;
}

bool CaptureTexture::Ready() const { return created_ && gExt.glBlendColorEXT; }

void CaptureTexture::Capture() const {
  if (!Ready()) return;
  glBindTexture(GL_TEXTURE_2D, name_);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, kWindowWidth, kWindowHeight);
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
  glTexCoord2f(kFrameRight, 0.0f);
  glVertex2f(kWindowWidth, 0.0f);
  glTexCoord2f(kFrameRight, kFrameTop);
  glVertex2f(kWindowWidth, kWindowHeight);
  glTexCoord2f(0.0f, kFrameTop);
  glVertex2f(0.0f, kWindowHeight);
  glEnd();
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_DEPTH_TEST);
  PopWindowMatrices();
  glDisable(GL_BLEND);
}
