#include "parts/placeholder_part.h"

#include <GL/gl.h>

#include "runtime/log.h"
#include "runtime/present.h"

bool PlaceholderPart::Frame(float t) {
  FrameLog("placeholder part: %.3f\n", t);
  glClearColor(r_, g_, b_, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_STENCIL_BUFFER_BIT);
  glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
  PresentFrame();
  return true;
}
