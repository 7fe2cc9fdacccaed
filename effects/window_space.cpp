#include "effects/window_space.h"

#include "runtime/extensions.h"

void PushWindowMatrices() {
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, kWindowWidth, 0, kWindowHeight, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
}

void PopWindowMatrices() {
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
}

bool BlendWithConstantAlpha(float alpha) {
  if (!gExt.glBlendColorEXT) return false;
  gExt.glBlendColorEXT(0.0f, 0.0f, 0.0f, alpha);
  glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
  glEnable(GL_BLEND);
  return true;
}
