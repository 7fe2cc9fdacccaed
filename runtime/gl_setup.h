// The OpenGL state every part of the show starts from.
#pragma once

// Viewport, depth, culling, projection (45 degrees, near 0.01, far 10000),
// extensions, normalisation, client arrays off, lights 0 and 1 off, texture
// unit 1 off. Needs a current context.
void SetupOpenGL(int width, int height);
