#include "scene/gl_check.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool FromEnvironment() {
  const char* v = std::getenv("DEMO_GL_CHECK");
  return v && *v && std::strcmp(v, "0") != 0;
}

bool gChecks = FromEnvironment();

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
