// The OpenGL state every part of the show starts from.
#pragma once

#include "runtime/picture_area.h"

// Viewport (the picture), depth, culling, projection (45 degrees, near 0.01, far 10000),
// extensions, normalisation, client arrays off, lights 0 and 1 off, texture
// unit 1 off; points and lines as wide as a pixel of the 640x480 picture.
// Needs a current context.
void SetupOpenGL(const PictureArea& picture);
// The same for a width x height frame.
inline void SetupOpenGL(int width, int height) { SetupOpenGL(PictureArea::Centred(width, height)); }
