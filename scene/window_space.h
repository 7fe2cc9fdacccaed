// Drawing in the pixels of the fixed 640x480 window.
#pragma once

#include <GL/gl.h>

#include "runtime/window.h"

// Pushes the projection and model-view matrices and replaces them with an
// orthographic projection of the window (origin lower left) and the
// identity; leaves model-view mode current. Fog is off until the pop: it
// cannot change a window-space pixel.
void PushWindowMatrices();
// Pops both, returns to model-view mode and to the fog as it was.
void PopWindowMatrices();

// One quad over the whole window with the bound texture upright (its first
// row at the top), at window depth `depth`: 0 nearest, 1 the far plane.
// Between PushWindowMatrices and PopWindowMatrices.
void DrawWindowPicture(float depth = 0.5f);

// Constant-alpha blending: alpha times the incoming colour plus 1 - alpha
// times the frame. False, with nothing changed, where the blend-colour entry
// point is absent.
bool BlendWithConstantAlpha(float alpha);
