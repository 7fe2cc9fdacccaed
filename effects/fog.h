// The program's one set of OpenGL fog settings. Each setter stores its value,
// sends it to OpenGL and returns the stored value.
#pragma once

#include <GL/gl.h>

#include "maths/vec.h"

class Fog {
 public:
  // Indexes of the mode table: GL_EXP, GL_EXP2, GL_LINEAR.
  static constexpr unsigned kModeCount = 3;

  // Keeps the initial settings without sending them: the global object is
  // made before any GL context exists. Each part sends its own when it begins.
  explicit Fog(unsigned mode);

  bool Enable();
  bool Disable();
  // Inverts the enabled flag and sends it; returns the new flag.
  bool Toggle();
  bool Enabled() const { return enabled_; }

  // An index outside the mode table is ignored: the mode stays as it was.
  unsigned SetMode(unsigned index);
  unsigned Mode() const { return mode_; }
  const vec<float, 3>& SetColour(float red, float green, float blue);
  const vec<float, 3>& Colour() const { return colour_; }
  float SetDensity(float density);
  float Density() const { return density_; }
  float SetStart(float start);
  float Start() const { return start_; }
  float SetEnd(float end);
  float End() const { return end_; }
  // The start is sent before the end.
  void SetRange(float start, float end);

 private:
  unsigned mode_ = 2;
  float density_ = 0.35f;
  float start_ = 1.0f;
  float end_ = 1000.0f;
  vec<float, 3> colour_{0.5f, 0.5f, 0.5f};
  bool enabled_ = false;
};

// The fog of the whole program, made before main in linear mode. Only the
// scene dressing's SetEveningFog writes it, as each scene part begins and
// warms up; the warm-up puts back what it found.
extern Fog gFog;
