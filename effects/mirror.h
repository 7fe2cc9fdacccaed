// Planar mirrors through the stencil buffer. A frame with a mirror: draw the
// scene; BeginMirrorMask; draw the mirror's surface; BeginReflection; draw
// the scene again; EndReflection. The stencil buffer must be 0 beforehand.
#pragma once

#include "scene/vec.h"

// Colour writes and depth writes off, depth test GL_LEQUAL: the surface drawn
// next writes 1 into the stencil buffer wherever it is visible, also when the
// scene has just drawn the same surface.
void BeginMirrorMask();

// Draws only where the mask is 1, with depth writes and GL_LESS restored, the
// depth buffer cleared and the
// model-view matrix reflected about the plane through `point` with unit
// `normal`. Clip plane 0 cuts away what lies on the far side of the mirror
// from the camera, so that it is not reflected into view.
void BeginReflection(vec<float, 3> point, vec<float, 3> normal);

// Restores the matrix, the winding and turns the stencil test and the clip
// plane off.
void EndReflection();
