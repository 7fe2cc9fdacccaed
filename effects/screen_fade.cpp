// Covering the window with a colour, or cross-fading a captured frame over it, at a constant opacity.
#include "effects/screen_fade.h"

#include <GL/gl.h>

#include <algorithm>

#include "effects/capture_texture.h"
#include "scene/window_space.h"

namespace {
// Crossfades blend with a constant alpha: no alpha of its own.
CaptureTexture gFadeTexture(GL_RGB8);
}

ScreenFade gScreenFade;

ScreenFade::ScreenFade() { Create(); }

ScreenFade::ScreenFade(float red, float green, float blue) : colour_(red, green, blue) {}

void ScreenFade::Create(const PictureArea& picture) { gFadeTexture.Create(picture); }

float ScreenFade::SetOpacity(float opacity) { return opacity_ = std::clamp(opacity, 0.0f, 1.0f); }

void ScreenFade::Fade(float opacity) const {
  glColor4f(colour_[0], colour_[1], colour_[2], 1.0f);
  if (!BlendWithConstantAlpha(opacity)) return;
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_TEXTURE_2D);
  PushWindowMatrices();
  glBegin(GL_QUADS);
  glVertex2f(0.0f, 0.0f);
  glVertex2f(kWindowWidth, 0.0f);
  glVertex2f(kWindowWidth, kWindowHeight);
  glVertex2f(0.0f, kWindowHeight);
  glEnd();
  glEnable(GL_DEPTH_TEST);
  PopWindowMatrices();
  glDisable(GL_BLEND);
}

void ScreenFade::Capture() const { gFadeTexture.Capture(); }

void ScreenFade::Crossfade(float t) const { gFadeTexture.DrawOverWindow(1.0f - t); }
