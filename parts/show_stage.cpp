#include "parts/show_stage.h"

#include <GL/gl.h>

#include "parts/placeholder_part.h"
#include "runtime/music.h"
#include "runtime/present.h"

namespace {

// Draws a full-window quad of one colour, blended by alpha, in 2D.
void DrawScreenQuad(float r, float g, float b, float a) {
  glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_CULL_FACE);
  glDisable(GL_FOG);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, 640, 0, 480, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glColor4f(r, g, b, a < 0.0f ? 0.0f : (a > 1.0f ? 1.0f : a));
  glBegin(GL_QUADS);
  glVertex2f(0, 0);
  glVertex2f(640, 0);
  glVertex2f(640, 480);
  glVertex2f(0, 480);
  glEnd();
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopAttrib();
}

}  // namespace

std::unique_ptr<Effect> DemoStage::CreateIntro() { return std::make_unique<Effect>(); }

bool DemoStage::LoadingStep(float, ShowParts& parts) {
  parts.natu1 = std::make_unique<PlaceholderPart>(0.93f, 0.42f, 0.09f);
  parts.techno1 = std::make_unique<PlaceholderPart>(0.10f, 0.20f, 0.45f);
  parts.natu2 = std::make_unique<PlaceholderPart>(0.80f, 0.50f, 0.20f);
  parts.techno2 = std::make_unique<PlaceholderPart>(0.15f, 0.30f, 0.60f);
  parts.natu3 = std::make_unique<PlaceholderPart>(0.70f, 0.35f, 0.15f);
  parts.techno3 = std::make_unique<PlaceholderPart>(0.20f, 0.20f, 0.30f);
  return true;
}

void DemoStage::DrawPicture(Picture picture, float opacity) {
  const float grey = picture == Picture::Interlude ? 0.6f : 0.3f;
  DrawScreenQuad(grey, grey, grey, opacity);
}

void DemoStage::Fade(float r, float g, float b, float opacity) { DrawScreenQuad(r, g, b, opacity); }

void DemoStage::Present() { PresentFrame(); }

void DemoStage::DisableLights() {
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

void DemoStage::StartMusic() { MusicPlay(); }
