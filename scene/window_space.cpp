// Window-pixel matrices without fog, and constant-alpha blending.
#include "scene/window_space.h"

#include "runtime/extensions.h"

void PushWindowMatrices() {
  // A window-space quad lies at eye distance 0, short of every fog start:
  // fog changes none of its pixels, but llvmpipe still pays for it per pixel.
  glPushAttrib(GL_FOG_BIT);
  glDisable(GL_FOG);
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
  glPopAttrib();
}

void DrawWindowPicture(float depth) {
  const float z = 1.0f - 2.0f * depth;  // the window projection maps z -1..1 onto depth 1..0
  glBegin(GL_QUADS);
  glTexCoord2f(0, 1);
  glVertex3f(0, 0, z);
  glTexCoord2f(1, 1);
  glVertex3f(kWindowWidth, 0, z);
  glTexCoord2f(1, 0);
  glVertex3f(kWindowWidth, kWindowHeight, z);
  glTexCoord2f(0, 0);
  glVertex3f(0, kWindowHeight, z);
  glEnd();
}

bool BlendWithConstantAlpha(float alpha) {
  if (!gExt.glBlendColorEXT) return false;
  gExt.glBlendColorEXT(0.0f, 0.0f, 0.0f, alpha);
  glBlendFunc(GL_CONSTANT_ALPHA, GL_ONE_MINUS_CONSTANT_ALPHA);
  glEnable(GL_BLEND);
  return true;
}
