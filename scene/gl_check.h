// Debug switch: glGetError after every mesh and attribute step.
#pragma once

#include <string>

// On with the environment variable DEMO_GL_CHECK=1.
void SetGLErrorChecks(bool on);
bool GLErrorChecks();

// When checks are on, reads the GL error; the first error of the run is
// printed with the mesh's name and the step, and checking stops there.
void CheckGLError(const std::string& mesh_name, const char* step);
