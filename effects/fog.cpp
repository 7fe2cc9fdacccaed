// The program's fog settings and the setters that send each one to OpenGL.
#include "effects/fog.h"

namespace {
constexpr GLint kModeTable[Fog::kModeCount] = {GL_EXP, GL_EXP2, GL_LINEAR};
}

Fog gFog(2);

Fog::Fog(unsigned mode) {
  if (mode < kModeCount) mode_ = mode;
}

bool Fog::Enable() {
  glEnable(GL_FOG);
  return enabled_ = true;
}

bool Fog::Disable() {
  glDisable(GL_FOG);
  return enabled_ = false;
}

bool Fog::Toggle() { return enabled_ ? Disable() : Enable(); }

unsigned Fog::SetMode(unsigned index) {
  if (index >= kModeCount) return mode_;
  mode_ = index;
  glFogi(GL_FOG_MODE, kModeTable[mode_]);
  return mode_;
}

const vec<float, 3>& Fog::SetColour(float red, float green, float blue) {
  colour_ = vec<float, 3>(red, green, blue);
  const GLfloat rgba[4] = {red, green, blue, 1.0f};
  glFogfv(GL_FOG_COLOR, rgba);
  return colour_;
}

float Fog::SetDensity(float density) {
  density_ = density;
  glFogf(GL_FOG_DENSITY, density_);
  return density_;
}

float Fog::SetStart(float start) {
  start_ = start;
  glFogf(GL_FOG_START, start_);
  return start_;
}

float Fog::SetEnd(float end) {
  end_ = end;
  glFogf(GL_FOG_END, end_);
  return end_;
}

void Fog::SetRange(float start, float end) {
  SetStart(start);
  SetEnd(end);
}
