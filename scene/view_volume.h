// What the current GL state lets through: a box in the space the scene's
// objects are drawn in can be tested against the view, the scissor box and
// clip plane 0 before it is sent.
#pragma once

#include <GL/gl.h>

#include "maths/vec.h"

// An axis-aligned box; empty until a point widens it.
struct WorldBox {
  vec<float, 3> lower = vec<float, 3>(1e30f);
  vec<float, 3> upper = vec<float, 3>(-1e30f);

  bool Empty() const { return lower[0] > upper[0]; }
  void Widen(const vec<float, 3>& p) {
    for (int i = 0; i < 3; ++i) {
      if (p[i] < lower[i]) lower[i] = p[i];
      if (p[i] > upper[i]) upper[i] = p[i];
    }
  }
};

class ViewVolume {
 public:
  // Reads the model-view and projection matrices, the viewport, the scissor
  // box when the scissor test is on and clip plane 0 when it is enabled.
  static ViewVolume Current();

  // False only when no point of `box`, drawn under the matrices read, can
  // land inside the viewport (or scissor box), between the near and far
  // planes and on the kept side of clip plane 0: a box that fails draws no
  // pixel. An empty box never shows.
  bool MayShow(const WorldBox& box) const;

 private:
  GLdouble model_view_[16];
  GLdouble projection_[16];
  double left_, right_, bottom_, top_;  // the window limits in device coordinates
  bool clipped_ = false;
  GLdouble plane_[4];  // clip plane 0 in eye coordinates
};
