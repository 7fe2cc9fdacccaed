// Reporting the first GL error after a mesh step or a presented frame, when DEMO_GL_CHECK is on.
#include "runtime/gl_check.h"

#include <GL/gl.h>

#include <cstdio>

#include "runtime/log.h"

namespace {

bool gChecks = EnvironmentSwitch("DEMO_GL_CHECK");
const char* gPart = "start-up";

// The pending GL error when checks are on, which then stop; 0 when none.
GLenum FirstError() {
  if (!gChecks) return GL_NO_ERROR;
  const GLenum error = glGetError();
  if (error != GL_NO_ERROR) gChecks = false;
  return error;
}

}  // namespace

void SetGLErrorChecks(bool on) { gChecks = on; }
bool GLErrorChecks() { return gChecks; }

void CheckGLError(const std::string& mesh_name, const char* step) {
  if (const GLenum error = FirstError()) std::printf("GL error 0x%x after %s of '%s'\n", error, step, mesh_name.c_str());
}

void SetGLCheckPart(const char* part) { gPart = part; }

void CheckFrameGLError(long long frame) {
  if (const GLenum error = FirstError()) std::printf("GL error 0x%x in frame %lld of '%s'\n", error, frame, gPart);
}
