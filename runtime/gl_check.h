// Debug switch: glGetError after every mesh and attribute step, and once per
// presented frame.
#pragma once

#include <string>

// On with the environment variable DEMO_GL_CHECK=1; tests set it too. One
// switch and one part name per process, like the GL error flag they read.
void SetGLErrorChecks(bool on);
bool GLErrorChecks();

// When checks are on, reads the GL error; the first error of the run is
// printed with the mesh's name and the step, and checking stops there.
void CheckGLError(const std::string& mesh_name, const char* step);

// Names the part of the show whose frames follow; the show sets it as its
// timeline moves on. "start-up" until then.
void SetGLCheckPart(const char* part);
// The check at the presentation point, once per frame, so that an error
// anywhere in the frame is caught: printed with the frame's number and
// part, as the first error of the run.
void CheckFrameGLError(long long frame);
