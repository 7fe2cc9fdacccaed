// Planar mirrors through the stencil buffer. A frame with a mirror: draw the
// scene; BeginMirrorMask; draw the mirror's surface; BeginReflection; draw
// the scene again; EndReflection; all of it may sit between BeginMirrorScissor
// and EndMirrorScissor. The stencil buffer must be 0 beforehand.
#pragma once

#include <vector>

#include "maths/vec.h"

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

// Limits drawing, until EndMirrorScissor, to the window rectangle that holds
// the mirror surface's `vertices` as the current matrices project them: no
// pixel of the surface lies outside it, so the reflection drawn inside it is
// the same, and cheaper. No limit where a vertex lies behind the eye.
void BeginMirrorScissor(const std::vector<vec<float, 3>>& vertices);
void EndMirrorScissor();

// Restores the matrix, the winding and turns the stencil test and the clip
// plane off.
void EndReflection();
