#include "scene/gl_check.h"

#include <GL/gl.h>

#include <cstdio>

#include "runtime/log.h"

namespace {
bool gChecks = EnvironmentSwitch("DEMO_GL_CHECK");
}  // namespace

void SetGLErrorChecks(bool on) { gChecks = on; }
bool GLErrorChecks() { return gChecks; }

void CheckGLError(const std::string& mesh_name, const char* step) {
  if (!gChecks) return;
  const GLenum error = glGetError();
  if (error == GL_NO_ERROR) return;
  std::printf("GL error 0x%x after %s of '%s'\n", error, step, mesh_name.c_str());
  gChecks = false;
}
